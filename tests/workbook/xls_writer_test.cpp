#include "core/user_error.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/text_files.h"
#include "support/workbook_reader.h"
#include "workbook/spreadsheet_export.h"
#include "workbook/xls_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace yilou::history {
namespace {

using yilou::testing::readFile;
using yilou::testing::readWorkbook;
using yilou::testing::TempDir;
using Row = yilou::testing::ReadRow;

/// A grid held whole, small enough to compare cell by cell; nullopt and "" are both empty.
TextGrid gridOf(const std::vector<Row>& rows) {
    return {rows.size(), rows.empty() ? 0 : rows[0].size(),
            [&rows](std::size_t r, std::vector<std::string>& cells) {
                for (std::size_t c = 0; c < cells.size(); ++c)
                    cells[c] = rows[r][c].value_or("");
            }};
}

/// A history-like grid of `rows` rows: the header, then an issue and five numbers a row.
TextGrid generatedGrid(std::size_t rows) {
    return {rows, 6, [](std::size_t r, std::vector<std::string>& cells) {
                if (r == 0) {
                    cells = {"期号", "落1码", "落2码", "落3码", "落4码", "落5码"};
                    return;
                }
                cells[0] = std::to_string(2010000000 + r);
                for (int c = 1; c < 6; ++c)
                    cells[c] = std::to_string((r + c) % 11 + 1);
            }};
}

Row generatedRow(std::size_t r) {
    Row row{std::to_string(2010000000 + r)};
    for (int c = 1; c < 6; ++c)
        row.push_back(std::to_string((r + c) % 11 + 1));
    return row;
}

std::string repeated(const std::string& text, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

struct GridCase {
    const char* name;
    std::vector<Row> rows;
    /// What the reader finds where the grid has no cell texts at all.
    std::size_t readRows;
    std::size_t readColumns;
    /// Of each row read: 't' text, 'n' number, '-' empty.
    std::vector<std::string> kinds;
};

void PrintTo(const GridCase& grid, std::ostream* out) {
    *out << grid.name;
}

class WorkbookCells : public ::testing::TestWithParam<GridCase> {};

// Every cell shows the grid's text, unchanged ("5" stays "5"); a plain decimal number is a
// number that sums and sorts, shown with all its digits; an empty text leaves the cell empty.
TEST_P(WorkbookCells, EveryCellReadsBackAsItsText) {
    TempDir dir;
    const auto& grid = GetParam();
    ASSERT_TRUE(writeWorkbook(dir / "book.xls", gridOf(grid.rows)));
    const auto sheets = readWorkbook(dir / "book.xls");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].name, "Sheet1");
    EXPECT_EQ(sheets[0].rows, grid.readRows);
    EXPECT_EQ(sheets[0].columns, grid.readColumns);
    std::vector<Row> expected;
    for (std::size_t r = 0; r < grid.readRows; ++r) {
        Row row = grid.rows[r];
        for (auto& cell : row)
            if (cell && cell->empty())
                cell.reset();
        expected.push_back(row);
    }
    EXPECT_EQ(sheets[0].cells, expected);
    EXPECT_EQ(sheets[0].kinds, grid.kinds);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, WorkbookCells,
    ::testing::Values(
        GridCase{"History",
                 {{"期号", "落1码", "落2码", "落3码", "落4码", "落5码"},
                  {"2017092901", "3", "7", "1", "11", "5"},
                  {"2017092902", "10", "2", "4", "6", "8"}},
                 3,
                 6,
                 {"tttttt", "nnnnnn", "nnnnnn"}},
        GridCase{"TextsOfEveryKind",
                 {{"号码（分组）", "大后比", "Ünïcode"},
                  {"鼠 牛 虎", "0.666666666666667", "é"},
                  {"\"quoted\" \\ back", "tab\there", "𝄞 outside the basic plane"},
                  {"", std::nullopt, "last"}},
                 4,
                 3,
                 {"ttt", "tnt", "ttt", "--t"}},
        // Numbers: whole ones as RK records up to 2^29 - 1, beyond as NUMBER
        // records; fractions with up to 15 significant digits and 20 decimals.
        GridCase{"Numbers",
                 {{"0", "7", "536870911", "536870912", "2015021510"},
                  {"0.03160406", "2.28571428571429", "16383.5", "1.50", "32767"},
                  {"123456789012345", "0.0000305185094759972", "0.00000000000000000001",
                   "99999999999999.9", "1.0"}},
                 3,
                 5,
                 {"nnnnn", "nnnnn", "nnnnn"}},
        // Labels stay text, and so do numbers that a double or the formats would
        // show otherwise.
        GridCase{"Labels",
                 {{"03", "07 08 09 10 11", "鼠", "—", "00"},
                  {"1.", ".5", "-1", "1e5", "+1"},
                  {" 1", "1 ", "1.2.3", "0x1F", "１"},
                  {"1234567890123456", "0.000000000000000000001", "1.0000000000000001",
                   "3.051758e-05", "inf"}},
                 4,
                 5,
                 {"ttttt", "ttttt", "ttttt", "ttttt"}},
        GridCase{"EmptyCells",
                 {{"a", "", "c"}, {"", "", ""}, {"", "", "z"}},
                 3,
                 3,
                 {"t-t", "---", "--t"}},
        GridCase{"LongestText", {{std::string(255, 'x'), repeated("中", 255)}}, 1, 2, {"tt"}},
        GridCase{"HeaderOnly", {{"期号", "平1位"}}, 1, 2, {"tt"}},
        GridCase{"NoRows", {}, 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SplitCase {
    std::size_t rows;
    std::vector<std::size_t> sheetRows;
};

void PrintTo(const SplitCase& split, std::ostream* out) {
    *out << split.rows << " rows";
}

class WorkbookSheets : public ::testing::TestWithParam<SplitCase> {};

// A worksheet holds 65,536 rows: a longer grid continues on Sheet2, Sheet3 …, each starting
// with the header row, and no grid row is lost or repeated.
TEST_P(WorkbookSheets, LongGridsContinueOnFurtherSheetsUnderTheHeader) {
    TempDir dir;
    const auto& split = GetParam();
    ASSERT_TRUE(writeWorkbook(dir / "book.xls", generatedGrid(split.rows)));
    EXPECT_EQ(sheetCount(split.rows), split.sheetRows.size());
    const auto sheets = readWorkbook(dir / "book.xls");
    ASSERT_EQ(sheets.size(), split.sheetRows.size());
    const Row header{"期号", "落1码", "落2码", "落3码", "落4码", "落5码"};
    std::size_t gridRow = 1;
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(sheets[s].name, "Sheet" + std::to_string(s + 1));
        ASSERT_EQ(sheets[s].rows, split.sheetRows[s]);
        ASSERT_EQ(sheets[s].cells.size(), split.sheetRows[s]);
        EXPECT_EQ(sheets[s].cells[0], header);
        for (std::size_t r = 1; r < sheets[s].rows; ++r, ++gridRow)
            ASSERT_EQ(sheets[s].cells[r], generatedRow(gridRow)) << "sheet row " << r;
    }
    EXPECT_EQ(gridRow, split.rows);
}

INSTANTIATE_TEST_SUITE_P(Rows, WorkbookSheets,
                         ::testing::Values(SplitCase{65536, {65536}}, SplitCase{65537, {65536, 2}},
                                           SplitCase{2 * 65535 + 2, {65536, 65536, 2}}));

// A history of 1,000,000 draws: 16 worksheets, and a file large enough that the container
// needs more allocation-table sectors than its header can list.
TEST(Workbook, AMillionDrawHistoryFillsSixteenSheets) {
    TempDir dir;
    ASSERT_TRUE(writeWorkbook(dir / "lishi.xls", generatedGrid(1000001)));
    const auto sheets = readWorkbook(dir / "lishi.xls", false);
    ASSERT_EQ(sheets.size(), 16u);
    for (std::size_t s = 0; s < 15; ++s)
        EXPECT_EQ(sheets[s].rows, 65536u);
    EXPECT_EQ(sheets[15].rows, 1000000u - 15 * 65535 + 1);
    EXPECT_EQ(sheets[15].columns, 6u);
}

TEST(Workbook, ProgressCountsTheRowsAndCanStopTheWrite) {
    TempDir dir;
    const auto file = dir / "book.xls";
    yilou::testing::writeFile(file, "previous");
    std::vector<std::size_t> reported;
    ASSERT_TRUE(writeWorkbook(file, generatedGrid(70000), [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 70000u);
        EXPECT_TRUE(reported.empty() || done > reported.back());
        reported.push_back(done);
        return true;
    }));
    ASSERT_GT(reported.size(), 10u);
    EXPECT_EQ(reported.back(), 70000u);

    // Stopped half-way: the previous file stays, and nothing is left beside it.
    yilou::testing::writeFile(file, "previous");
    EXPECT_FALSE(writeWorkbook(file, generatedGrid(70000),
                               [](std::size_t done, std::size_t) { return done < 30000; }));
    EXPECT_EQ(readFile(file), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// What cannot be written whole is not written: the previous workbook stays as it was and the
// message names the file.
TEST(Workbook, AFailedWriteKeepsThePreviousFile) {
    TempDir dir;
    const auto file = dir / "Jieguo.xls";
    ASSERT_TRUE(writeWorkbook(file, gridOf({{"号码（分组）"}, {"01 02"}})));
    const std::string previous = readFile(file);
    struct Failure {
        const char* what;
        std::string message; ///< a part of it
        std::function<void()> write;
    };
    const std::vector<Failure> failures{
        {"disk full", file.string(),
         [&] {
             const yilou::testing::FileSizeLimit limit(100000);
             writeWorkbook(file, generatedGrid(10000));
         }},
        {"too many columns", "257 列",
         [&] {
             writeWorkbook(file, TextGrid{1, 257, [](auto, auto&) {}});
         }},
        {"text too long", "255 个字符",
         [&] {
             writeWorkbook(file, gridOf({{"a"}, {std::string(256, 'x')}}));
         }},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        try {
            failure.write();
            ADD_FAILURE() << "no error";
        } catch (const UserError& error) {
            EXPECT_THAT(error.what(), ::testing::HasSubstr(failure.message));
        }
        EXPECT_EQ(readFile(file), previous);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

// The three grids go to their own files in the data folder; an export replaces the last one.
TEST(SpreadsheetExport, EachGridReplacesItsOwnFile) {
    TempDir dir;
    const std::vector<std::pair<ExportedGrid, const char*>> grids{
        {ExportedGrid::History, "lishi.xls"},
        {ExportedGrid::Search, "Jiansuo.xls"},
        {ExportedGrid::Group, "Jieguo.xls"}};
    for (const auto& [grid, name] : grids) {
        for (const char* text : {"first", "second"}) {
            const std::vector<Row> rows{{"期号"}, {text}};
            const auto done = exportSpreadsheet(dir.path(), grid, gridOf(rows));
            ASSERT_TRUE(done);
            EXPECT_EQ(done->file, dir / name);
            EXPECT_EQ(done->sheets, 1u);
            EXPECT_EQ(readWorkbook(done->file)[0].cells[1], Row{text});
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

TEST(SpreadsheetExport, ALongGridTakesFurtherSheets) {
    TempDir dir;
    const auto done = exportSpreadsheet(dir.path(), ExportedGrid::History, generatedGrid(65537));
    ASSERT_TRUE(done);
    EXPECT_EQ(done->sheets, 2u);
}

} // namespace
} // namespace yilou::history
