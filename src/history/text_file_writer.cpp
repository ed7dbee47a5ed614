#include "history/text_file_writer.h"

#include "history/user_error.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace yilou::history {

TextFileWriter::TextFileWriter(const std::filesystem::path& file) : path_(file) {
    file_ = std::fopen(file.c_str(), "wb");
    if (!file_)
        fail(errno);
}

TextFileWriter::~TextFileWriter() {
    if (file_)
        std::fclose(file_);
}

void TextFileWriter::write(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
        fail(errno);
}

void TextFileWriter::close() {
    std::FILE* file = file_;
    file_ = nullptr;
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const int error = errno;
    if (std::fclose(file) != 0 || !flushed)
        fail(flushed ? errno : error);
}

void TextFileWriter::fail(int error) const {
    throw UserError("无法写入文件 " + path_.string() + "：" + std::strerror(error));
}

} // namespace yilou::history
