#include "session/messages.h"

#include <gtest/gtest.h>

namespace yilou::messages {
namespace {

// The export names its file, and a grid longer than a sheet where the rest went.
TEST(WorkbookExported, NamesTheFileAndTheFurtherSheets) {
    const std::filesystem::path file = "/data/lishi.xls";
    EXPECT_EQ(workbookExported(file, 1), "已导出到 /data/lishi.xls");
    EXPECT_EQ(workbookExported(file, 2),
              "已导出到 /data/lishi.xls\n每个工作表最多 65536 行，表格分在 Sheet1～Sheet2 共 2 "
              "个工作表中，每个工作表的第一行都是表头。");
}

} // namespace
} // namespace yilou::messages
