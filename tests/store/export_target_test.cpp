#include "core/user_error.h"
#include "store/export_target.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::TempDir;
using yilou::testing::writeFile;

// The copy may be named anything but the program's own files, under any path or link.
TEST(ExportTarget, TheDatabaseItsJournalsAndTheBackupFileAreRefused) {
    TempDir dir;
    writeFile(dir / "tabula.mdb", "database");
    writeFile(dir / "lsbf.txt", "backup");
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink(dir / "tabula.mdb", dir / "link.txt");
    const std::filesystem::path refused[] = {
        dir / "tabula.mdb",         dir / "sub/../tabula.mdb", dir / "link.txt",
        dir / "tabula.mdb-journal", dir / "tabula.mdb-wal",    dir / "lsbf.txt",
    };
    for (const auto& target : refused) {
        try {
            checkExportTarget(target, dir.path());
            ADD_FAILURE() << target << " was allowed";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find("写入会毁掉历史号码"), std::string::npos);
        }
    }
    EXPECT_NO_THROW(checkExportTarget(dir / "sub/copy.txt", dir.path()));
    EXPECT_NO_THROW(checkExportTarget(dir / "tabula.mdb.txt", dir.path()));
}

} // namespace
} // namespace yilou::history
