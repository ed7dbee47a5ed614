#include "core/atomic_file.h"
#include "core/user_error.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::TempDir;
using yilou::testing::writeFile;

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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace yilou::history
