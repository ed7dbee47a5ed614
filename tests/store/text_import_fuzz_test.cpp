// Random input for the text-line parser and the import, seeded and bounded. Each run tries
// YILOU_FUZZ_ITERATIONS inputs (200 by default, so the suite stays quick, also under the
// sanitizers); YILOU_TEST_SEED repeats a run. Inputs are made of the pieces real files hold
// (issues, number pairs, blanks, separators, line ends, GBK bytes) and of random bytes.

#include "core/draw_validation.h"
#include "core/user_error.h"
#include "store/history_db.h"
#include "store/text_import.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace yilou::history {
namespace {

using yilou::testing::TempDir;
using yilou::testing::writeFile;

std::uint64_t runSeed() {
    if (const char* text = std::getenv("YILOU_TEST_SEED"))
        return std::strtoull(text, nullptr, 10);
    return std::random_device{}();
}

int iterations() {
    if (const char* text = std::getenv("YILOU_FUZZ_ITERATIONS"))
        return std::atoi(text);
    return 200;
}

/// Text shaped like a history file, with every kind of damage.
std::string randomText(std::mt19937_64& random) {
    static const std::vector<std::string> pieces{
        "2017081201", "17081284",  "2099123199", "2014130101",   "2000010101", "2017081200",
        "170929001",  "170929100", "03",         "11",           "12",         "00",
        "7",          "123",       " ",          "  ",           "\t",         ",",
        "\r\n",       "\n",        "\r",         "\xEF\xBB\xBF", "\xB5\xDA",   "\xA3\xAC",
        "x",          "-",
    };
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, 400)(random);
    for (int i = 0; i < count; ++i) {
        if (random() % 20 == 0) {
            // A random byte other than NUL, which refuses the whole file.
            text += static_cast<char>(1 + random() % 255);
        } else {
            text += pieces[random() % pieces.size()];
        }
    }
    return text;
}

/// The same line fed in random pieces gives what the whole line gives, nine-digit issues read
/// or not.
void expectSameInPieces(std::string_view line, std::mt19937_64& random) {
    for (const bool nineDigitIssues : {false, true}) {
        const HistoryLine whole = parseHistoryLine(line, nineDigitIssues);
        HistoryLineParser parser(nineDigitIssues);
        std::string_view rest = line;
        while (!rest.empty()) {
            const std::size_t size = 1 + random() % std::min<std::size_t>(rest.size(), 13);
            parser.add(rest.substr(0, size));
            rest.remove_prefix(size);
        }
        const HistoryLine pieces = parser.finish();
        EXPECT_EQ(pieces.blank, whole.blank);
        EXPECT_EQ(pieces.issue, whole.issue);
        EXPECT_EQ(pieces.refusedIssue, whole.refusedIssue);
        EXPECT_EQ(pieces.numberCount, whole.numberCount);
        EXPECT_EQ(pieces.numbers, whole.numbers);
        EXPECT_EQ(pieces.moreNumbers, whole.moreNumbers);
        EXPECT_LE(whole.numberCount, 5);
        for (int i = 0; i < whole.numberCount; ++i)
            EXPECT_TRUE(whole.numbers[i] >= 0 && whole.numbers[i] <= 99);
    }
}

/// Whatever the file holds, what is read can be stored: valid draws, distinct issues, line
/// numbers within the file, and only the first skipped lines kept, in order.
void expectStorable(const HistoryText& text, const std::string& content, const Game& game) {
    std::set<Issue> issues;
    std::size_t lastLine = 0;
    for (const TextDraw& draw : text.draws) {
        EXPECT_EQ(drawProblem(draw.issue, draw.numbers, game), std::nullopt);
        EXPECT_TRUE(issues.insert(draw.issue).second) << issueText(draw.issue);
        EXPECT_GT(draw.line, lastLine);
        lastLine = draw.line;
    }
    const std::size_t lineEnds = static_cast<std::size_t>(std::count_if(
        content.begin(), content.end(), [](char c) { return c == '\r' || c == '\n'; }));
    EXPECT_LE(text.draws.size() + text.skipped.count, lineEnds + 1);
    EXPECT_LE(text.longLines, text.draws.size());
    EXPECT_LE(text.skipped.first.size(), SkippedLines::kKept);
    EXPECT_EQ(text.skipped.first.size(), std::min(text.skipped.count, SkippedLines::kKept));
    EXPECT_TRUE(
        std::is_sorted(text.skipped.first.begin(), text.skipped.first.end(),
                       [](const LineProblem& a, const LineProblem& b) { return a.line < b.line; }));
}

TEST(TextImportFuzz, RandomFilesAreReadSafely) {
    const std::uint64_t seed = runSeed();
    SCOPED_TRACE("YILOU_TEST_SEED=" + std::to_string(seed));
    std::mt19937_64 random(seed);
    TempDir dir;
    HistoryDb db(dir / kDatabaseFileName);
    const AttributeRules rules = AttributeRules::startup(1, 1);
    const Game* games[] = {&gameAt(0), &gameAt(27)};
    for (int i = 0, n = iterations(); i < n; ++i) {
        SCOPED_TRACE("input " + std::to_string(i));
        const std::string content = randomText(random);
        expectSameInPieces(content, random);
        writeFile(dir / "h.txt", content);
        const Game& game = *games[random() % 2];
        HistoryText text;
        try {
            text = readHistoryText(dir / "h.txt", game);
        } catch (const UserError& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        ASSERT_NO_FATAL_FAILURE(expectStorable(text, content, game));
        if (::testing::Test::HasFailure())
            return;
        // Now and then the whole import: the history becomes exactly the draws read.
        if (i % 10 == 0 && !text.draws.empty()) {
            const ImportReport report = importHistoryFile(db, dir / "h.txt", game, rules);
            EXPECT_EQ(report.stored, text.draws.size());
            EXPECT_EQ(db.drawCount(), text.draws.size());
        }
    }
}

// The same draws whatever the line ends: LF, CR LF or CR alone.
TEST(TextImportFuzz, LineEndsDoNotChangeTheDraws) {
    const std::uint64_t seed = runSeed();
    SCOPED_TRACE("YILOU_TEST_SEED=" + std::to_string(seed));
    std::mt19937_64 random(seed);
    TempDir dir;
    for (int i = 0, n = iterations(); i < n; ++i) {
        SCOPED_TRACE("input " + std::to_string(i));
        std::string lf = randomText(random);
        std::erase_if(lf, [](char c) { return c == '\r'; });
        std::vector<Issue> issues[3];
        int form = 0;
        for (const char* end : {"\n", "\r\n", "\r"}) {
            std::string content;
            for (char c : lf)
                content += c == '\n' ? std::string(end) : std::string(1, c);
            writeFile(dir / "h.txt", content);
            for (const TextDraw& draw : readHistoryText(dir / "h.txt", gameAt(0)).draws)
                issues[form].push_back(draw.issue);
            ++form;
        }
        ASSERT_EQ(issues[1], issues[0]);
        ASSERT_EQ(issues[2], issues[0]);
    }
}

} // namespace
} // namespace yilou::history
