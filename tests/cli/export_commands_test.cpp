#include "cli_test_support.h"
#include "support/text_files.h"
#include "support/workbook_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace yilou::cli::testing {
namespace {

using yilou::testing::readFile;
using yilou::testing::readWorkbook;

/// The rows of the first table of a --format csv output, as the workbook reader gives them.
std::vector<yilou::testing::ReadRow> csvRows(const std::string& csv) {
    std::vector<yilou::testing::ReadRow> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        yilou::testing::ReadRow& cells = rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            cells.push_back(field);
    }
    return rows;
}

using ExportXls = FiveDraws;

struct GridCommand {
    const char* grid;
    const char* file;
    std::vector<std::string> options; ///< those of the command that prints the same grid
    const char* printingCommand;
};

// Each grid goes to its own file in the data folder with the cells the table format prints,
// and to FILE as a copy; the grid's options are those of its own command.
TEST_F(ExportXls, EachGridIsWrittenAsItsCommandPrintsIt) {
    const std::vector<GridCommand> commands{
        {"history", "lishi.xls", {}, "history"},
        {"search", "Jiansuo.xls", {"--pos", "1=03", "--fixed", "--type", "number"}, "search"},
        {"group", "Jieguo.xls", {"--select", "1,2,3", "--k", "2", "--sort", "min"}, "group"},
        {"plays", "Wanfa.xls", {"--play", "q2x", "--sort", "currentGap", "--desc"}, "plays"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.grid);
        const auto copy = cli.dataDir() / "copy" / command.file;
        std::filesystem::create_directories(copy.parent_path());
        std::vector<std::string> args{"export-xls", command.grid};
        args.insert(args.end(), command.options.begin(), command.options.end());
        args.push_back(copy.string());
        const auto exported = cli.run(args);
        ASSERT_EQ(exported.status, 0) << exported.err;
        const auto file = cli.dataDir() / command.file;
        EXPECT_EQ(exported.out, "已导出到 " + file.string() + "\n已另存到 " + copy.string() + "\n");

        std::vector<std::string> print{command.printingCommand};
        print.insert(print.end(), command.options.begin(), command.options.end());
        print.insert(print.end(), {"--format", "csv"});
        const auto sheets = readWorkbook(file);
        ASSERT_EQ(sheets.size(), 1u);
        EXPECT_EQ(sheets[0].cells, csvRows(cli.run(print).out));
        EXPECT_EQ(readFile(copy), readFile(file));
    }
}

// A file that cannot be replaced is reported with its name, the command fails, and nothing
// else is written in its place.
TEST_F(ExportXls, AFileThatCannotBeReplacedIsReported) {
    const auto blocked = cli.dataDir() / "Jieguo.xls";
    std::filesystem::create_directories(blocked / "inside");
    const auto result = cli.run({"export-xls", "group", "--select", "1,2", "--k", "2"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, ::testing::HasSubstr(blocked.string()));
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    EXPECT_EQ(result.out, "");
}

// A copy onto the program's own files is refused before anything is written.
TEST_F(ExportXls, TheCopyNeverOverwritesTheDatabase) {
    const auto database = cli.dataDir() / "tabula.mdb";
    const std::string before = readFile(database);
    const auto result = cli.run({"export-xls", "history", database.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, ::testing::HasSubstr("写入会毁掉历史号码"));
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(cli.dataDir() / "lishi.xls"));
    EXPECT_EQ(readFile(database), before);
}

} // namespace
} // namespace yilou::cli::testing
