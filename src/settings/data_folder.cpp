#include "settings/data_folder.h"

#include "core/file_names.h"
#include "core/messages.h"
#include "core/system_error_text.h"
#include "core/user_error.h"

#include <QStandardPaths>
#include <system_error>

namespace yilou::settings {

std::filesystem::path defaultDataFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(base.toStdString()) / "11S5OMBRIX";
}

void prepareDataFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder / history::kHistoryTextFolder, error);
    if (error)
        throw UserError(
            messages::cannotCreateDataFolder(folder, history::systemErrorText(error.value())));
}

} // namespace yilou::settings
