#pragma once

#include <filesystem>

namespace yilou::settings {

/// The folder that holds tabula.mdb, lsbf.txt, the folder 历史号码 and the exports:
/// $XDG_DATA_HOME/11S5OMBRIX (normally ~/.local/share/11S5OMBRIX).
std::filesystem::path defaultDataFolder();

/// Creates the data folder and its folder 历史号码 when they are missing; throws UserError when
/// that fails.
void prepareDataFolder(const std::filesystem::path& folder);

} // namespace yilou::settings
