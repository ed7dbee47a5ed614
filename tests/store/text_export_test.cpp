#include "core/user_error.h"
#include "store/text_export.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::TempDir;

TEST(TextExport, OneLinePerDrawNamedAfterTheNewestIssue) {
    TempDir dir;
    const AttributeRules rules = AttributeRules::startup(1, 1);
    const auto snapshot = yilou::testing::snapshotOf({
        DeriveAttributes(17092901, {3, 7, 1, 11, 5}, rules),
        DeriveAttributes(17092902, {10, 2, 4, 6, 8}, rules),
        DeriveAttributes(17092984, {9, 1, 2, 3, 4}, rules),
    });
    const std::string expected = "2017092901 03 07 01 11 05 \r\n"
                                 "2017092902 10 02 04 06 08 \r\n"
                                 "2017092984 09 01 02 03 04 \r\n";
    for (int round = 0; round < 2; ++round) { // the second export replaces the first
        const auto path = exportHistoryText(snapshot, dir.path());
        EXPECT_EQ(path, dir / "更新至17092984期历史号码.txt");
        EXPECT_EQ(readFile(path), expected);
    }
    EXPECT_EQ(expected.size(), 3u * (26 + 2));
}

TEST(TextExport, AnEmptyHistoryWritesNoFile) {
    TempDir dir;
    EXPECT_THROW(exportHistoryText(Snapshot{}, dir.path()), UserError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(TextExport, AnUnwritableFolderIsReported) {
    TempDir dir;
    const auto snapshot = yilou::testing::snapshotOf(yilou::testing::generateDraws(2));
    EXPECT_THROW(exportHistoryText(snapshot, dir / "missing"), UserError);
}

} // namespace
} // namespace yilou::history
