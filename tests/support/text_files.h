#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace yilou::testing {

/// Writes `content` byte for byte, replacing the file.
void writeFile(const std::filesystem::path& file, std::string_view content);

/// The file's bytes.
std::string readFile(const std::filesystem::path& file);

} // namespace yilou::testing
