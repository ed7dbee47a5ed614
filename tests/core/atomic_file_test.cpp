#include "core/atomic_file.h"
#include "core/user_error.h"
#include "support/file_size_limit.h"
#include "support/special_files.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::SpecialFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

std::size_t entries(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

void writeWhole(const std::filesystem::path& file, std::string_view text) {
    AtomicFile writer(file);
    writer.write(text);
    writer.close();
}

// The backup file and the export are only complete when every byte reached the file; a write
// that fails part-way (here at a file size limit, as on a full disk) or is abandoned leaves
// the previous file as it was and nothing beside it.
TEST(AtomicFile, AFailedOrAbandonedWriteKeepsThePreviousFile) {
    TempDir dir;
    const auto target = dir / "lsbf.txt";
    writeFile(target, "17081201 01 02 03 04 05 \n");
    {
        const yilou::testing::FileSizeLimit limit(4096);
        AtomicFile file(target);
        const std::string lines(1000, '1');
        EXPECT_THROW(
            {
                for (int i = 0; i < 10; ++i)
                    file.write(lines);
                file.close();
            },
            UserError);
    }
    {
        AtomicFile file(target);
        file.write("17081202 ");
    }
    EXPECT_EQ(readFile(target), "17081201 01 02 03 04 05 \n");
    EXPECT_EQ(entries(dir.path()), 1u);
}

// A link stays a link: the file it names (through a chain of links, relative or absolute, or
// not there yet) is written, beside itself, and keeps its mode, read-only included.
TEST(AtomicFile, ALinkIsWrittenThroughAndTheFileKeepsItsMode) {
    TempDir dir;
    std::filesystem::create_directory(dir / "real");
    writeFile(dir / "real/book.xls", "previous");
    ::chmod((dir / "real/book.xls").c_str(), 0440);
    std::filesystem::create_symlink("real/book.xls", dir / "relative.xls");
    std::filesystem::create_symlink(dir / "relative.xls", dir / "chain.xls");
    std::filesystem::create_symlink("real/new.xls", dir / "dangling.xls");
    const std::pair<const char*, const char*> written[] = {{"relative.xls", "real/book.xls"},
                                                           {"chain.xls", "real/book.xls"},
                                                           {"dangling.xls", "real/new.xls"}};
    for (const auto& [link, file] : written) {
        SCOPED_TRACE(link);
        writeWhole(dir / link, link);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / link));
        EXPECT_EQ(readFile(dir / file), link);
    }
    struct stat status {};
    ASSERT_EQ(::stat((dir / "real/book.xls").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0440u);
    EXPECT_EQ(entries(dir.path()), 4u);
    EXPECT_EQ(entries(dir / "real"), 2u);
}

// Nothing but a regular file is replaced: a device, a FIFO, a socket or a folder, named or
// linked to, is refused before anything is written, and so is a loop of links.
TEST(AtomicFile, OnlyARegularFileIsReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    std::vector<std::filesystem::path> special{dir / "folder"};
    for (const auto& [name, kind] : {std::pair{"fifo", SpecialFile::Fifo},
                                     {"socket", SpecialFile::Socket},
                                     {"null", SpecialFile::Device}})
        if (makeSpecialFile(dir / name, kind))
            special.push_back(dir / name);
    ASSERT_GE(special.size(), 3u); // a device node needs root
    std::vector<std::pair<std::filesystem::path, std::string>> refused;
    for (const auto& path : special) {
        const std::filesystem::path link = path.string() + "-link";
        std::filesystem::create_symlink(path.filename(), link);
        refused.emplace_back(path, "不是普通文件");
        refused.emplace_back(link, "不是普通文件");
    }
    std::filesystem::create_symlink("loop", dir / "loop");
    refused.emplace_back(dir / "loop", (dir / "loop").string());
    const std::size_t before = entries(dir.path());
    for (const auto& [path, reason] : refused) {
        SCOPED_TRACE(path);
        const auto type = std::filesystem::symlink_status(path).type();
        try {
            writeWhole(path, "text");
            ADD_FAILURE() << "written";
        } catch (const UserError& error) {
            EXPECT_THAT(error.what(), ::testing::HasSubstr("无法写入文件"));
            EXPECT_THAT(error.what(), ::testing::HasSubstr(reason));
        }
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
    }
    EXPECT_EQ(entries(dir.path()), before);
}

// A write first removes the temporary files that killed writes of the same file name left in
// its folder; those of running writers and of other files stay.
TEST(AtomicFile, TemporaryFilesOfKilledWritesOfTheFileAreRemoved) {
    TempDir dir;
    const std::string ended = std::to_string(yilou::testing::endedProcessId());
    const std::string running = std::to_string(::getpid());
    const std::pair<std::string, bool> files[] = {
        {".copy.xls." + ended + "-0.tmp", false},  {".copy.xls." + ended + "-7.tmp", false},
        {".copy.xls." + running + "-0.tmp", true}, {".other.xls." + ended + "-0.tmp", true},
        {"copy.xls." + ended + "-0.tmp", true},
    };
    for (const auto& [name, kept] : files)
        writeFile(dir / name, "part");
    writeWhole(dir / "copy.xls", "whole");
    for (const auto& [name, kept] : files)
        EXPECT_EQ(std::filesystem::exists(dir / name), kept) << name;
}

} // namespace
} // namespace yilou::history
