#include "core/user_error.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace yilou::history {
namespace {

using yilou::testing::TempDir;

/// Empty if both snapshots hold the same draws, else where they first differ.
std::string firstDifference(const Snapshot& actual, const Snapshot& expected) {
    if (actual.size() != expected.size())
        return "size " + std::to_string(actual.size()) + " instead of " +
               std::to_string(expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (actual.issues[i] != expected.issues[i])
            return "issue at " + std::to_string(i);
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p) {
                const auto& a = actual.columns[o][l][p];
                const auto& e = expected.columns[o][l][p];
                const auto at = std::mismatch(a.begin(), a.end(), e.begin()).first - a.begin();
                if (at != static_cast<std::ptrdiff_t>(a.size()))
                    return std::string{kOrderPrefix[o]} + std::to_string(p + 1) + kLetterChars[l] +
                           " at " + std::to_string(at);
            }
    return {};
}

TEST(AscendingPositions, SortsLikeAStableSortIncludingEqualAndExtremeNumbers) {
    // Every five-tuple over values that include repeats and the ends of a column's range.
    const std::array<int, 5> alphabet{-128, -1, 0, 5, 127};
    PositionValues numbers{};
    for (int code = 0; code < 5 * 5 * 5 * 5 * 5; ++code) {
        for (int i = 0, rest = code; i < 5; ++i, rest /= 5)
            numbers[i] = alphabet[rest % 5];
        std::array<int, 5> expected{};
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](int a, int b) { return numbers[a] < numbers[b]; });
        ASSERT_EQ(ascendingPositions(numbers), expected)
            << numbers[0] << " " << numbers[1] << " " << numbers[2] << " " << numbers[3] << " "
            << numbers[4];
    }
}

// The loader's derivation must give what the stored rows hold, which recordFromStored made.
TEST(SnapshotSetStored, DerivesEveryColumnAsRecordFromStored) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> value(-128, 127);
    std::uniform_int_distribution<int> small(0, 3); // many repeated numbers within a draw
    constexpr std::size_t kOffset = 3;
    std::vector<StoredDraw> draws(700); // more than one block of the derivation
    Snapshot expected;
    for (std::size_t i = 0; i < kOffset; ++i)
        expected.push(DrawRecord{});
    for (std::size_t i = 0; i < draws.size(); ++i) {
        StoredDraw& draw = draws[i];
        draw.issue = static_cast<Issue>(17010101 + i);
        std::array<PositionValues, 3> stored{};
        for (int p = 0; p < 5; ++p) {
            stored[0][p] = i % 2 ? small(random) : value(random);
            stored[1][p] = value(random);
            stored[2][p] = value(random);
            draw.numbers[p] = static_cast<std::int8_t>(stored[0][p]);
            draw.zodiac[p] = static_cast<std::int8_t>(stored[1][p]);
            draw.segment[p] = static_cast<std::int8_t>(stored[2][p]);
        }
        expected.push(recordFromStored(draw.issue, stored[0], stored[1], stored[2]));
    }
    Snapshot snapshot;
    snapshot.resize(kOffset + draws.size());
    snapshot.setStored(kOffset, draws);
    EXPECT_EQ(firstDifference(snapshot, expected), "");
}

// What the database holds is checked as an import checks it: a row that no import stores (put
// in by another program) is refused with its place in issue order, never loaded as a draw.
TEST(SnapshotLoad, RefusesARowThatNoImportStores) {
    struct Case {
        const char* set;
        int idx; ///< the row changed, which stays in its place in issue order
        const char* says;
    };
    const Case cases[] = {
        {"[SQQH] = -5", 1, "期号 -5 不是有效的期号"},
        {"[SQQH] = [SQQH] / 10000 * 10000 + 1", 1, "日期不存在"},
        {"[SQQH] = [SQQH] / 100 * 100", 1, "期序须从 01 起"},
        {"[L3A] = 99", 20, "号码 99 超出范围"},
        {"[L1A] = -1", 20, "超出范围 01～12"},
        {"[L4A] = [L5A]", 20, "重复"},
        {"[L2A] = NULL", 38, "L2A 为空"},
        {"[L5B] = NULL", 39, "L5B 为空"},
        {"[L3H] = 300", 40, "L3H 值 300 超出范围"},
    };
    const auto records = yilou::testing::generateDraws(40, 8);
    for (const auto& [set, idx, says] : cases) {
        SCOPED_TRACE(set);
        TempDir dir;
        HistoryDb db(dir / kDatabaseFileName);
        db.replaceAll(records);
        db.sql().exec("UPDATE [Lishi] SET " + std::string(set) +
                      " WHERE [IDX] = " + std::to_string(idx));
        // The newest draws alone (history --tail) name the row by its place in the whole.
        for (const bool newest : {false, true}) {
            if (newest && idx <= 35)
                continue; // not one of the newest five
            try {
                newest ? db.loadNewest(5) : db.loadSnapshot();
                ADD_FAILURE() << (newest ? "newest loaded" : "loaded");
            } catch (const UserError& error) {
                const std::string message = error.what();
                EXPECT_NE(message.find("数据库中第 " + std::to_string(idx) + " 行"),
                          std::string::npos)
                    << message;
                EXPECT_NE(message.find(says), std::string::npos) << message;
            }
        }
    }
}

/// A history large enough to be loaded by two connections, stored once for all tests of the
/// suite; each test works on its own copy of the file.
class ParallelLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempDir;
        yilou::testing::GeneratedHistory settings;
        settings.draws = 60001; // odd: the halves differ in size
        settings.missingShare = 0.1;
        records_ = new std::vector<DrawRecord>(yilou::testing::generateDraws(settings));
        HistoryDb db(*folder_ / kDatabaseFileName);
        db.replaceAll(*records_);
    }
    static void TearDownTestSuite() {
        delete records_;
        delete folder_;
    }

    void SetUp() override {
        std::filesystem::copy_file(*folder_ / kDatabaseFileName, file());
        db_.emplace(file());
    }

    std::filesystem::path file() const { return dir_ / kDatabaseFileName; }
    static const std::vector<DrawRecord>& records() { return *records_; }

    TempDir dir_;
    std::optional<HistoryDb> db_;

private:
    static inline TempDir* folder_ = nullptr;
    static inline std::vector<DrawRecord>* records_ = nullptr;
};

TEST_F(ParallelLoad, LoadsEveryStoredDraw) {
    EXPECT_EQ(firstDifference(db_->loadSnapshot(), yilou::testing::snapshotOf(records())), "");
    // The connection is free again: a write goes through at once.
    db_->clear();
    EXPECT_TRUE(db_->loadSnapshot().empty());
}

// The second connection opens the file by its path; when the file there is not this
// connection's any more, it cannot be opened or holds another history.
TEST_F(ParallelLoad, ReadsOnOneConnectionWhenTheFileWasMoved) {
    std::filesystem::rename(file(), dir_ / "moved.mdb");
    EXPECT_EQ(firstDifference(db_->loadSnapshot(), yilou::testing::snapshotOf(records())), "");
}

TEST_F(ParallelLoad, ReadsOnOneConnectionWhenTheFileWasReplaced) {
    // Same issues, other numbers: every count and issue the halves are checked by agrees.
    auto other = records();
    for (auto& record : other) {
        PositionValues numbers = record.drop[Letter::A];
        std::rotate(numbers.begin(), numbers.begin() + 1, numbers.end());
        record = DeriveAttributes(record.issue, numbers, AttributeRules{});
    }
    const auto replacement = dir_ / "replacement.mdb";
    HistoryDb(replacement).replaceAll(other);
    std::filesystem::rename(replacement, file());
    EXPECT_EQ(firstDifference(db_->loadSnapshot(), yilou::testing::snapshotOf(records())), "");
}

// A file switched to WAL by another program lets writers commit beside a reader; it loads on
// one connection.
TEST_F(ParallelLoad, LoadsAFileInWalMode) {
    db_->sql().exec("PRAGMA journal_mode = WAL");
    EXPECT_EQ(firstDifference(db_->loadSnapshot(), yilou::testing::snapshotOf(records())), "");
}

// Inside a write transaction the uncommitted state is loaded, which only this connection sees.
TEST_F(ParallelLoad, SeesTheChangesOfTheOpenTransaction) {
    const Issue last = records().back().issue;
    Transaction transaction(db_->sql());
    db_->sql().exec("UPDATE [Lishi] SET [L1A] = [L2A], [L2A] = [L1A] WHERE [SQQH] = " +
                    std::to_string(last));
    const Snapshot snapshot = db_->loadSnapshot();
    ASSERT_EQ(snapshot.size(), records().size());
    EXPECT_EQ(snapshot.value(NumberOrder::Drop, Letter::A, 0, snapshot.size() - 1),
              records().back().drop[Letter::A][1]);
}

TEST_F(ParallelLoad, RefusesAValueOutOfRangeInEitherHalf) {
    for (const std::size_t index : {std::size_t{10}, records().size() - 10}) {
        const Issue issue = records()[index].issue;
        const std::string where = " WHERE [SQQH] = " + std::to_string(issue);
        db_->sql().exec("UPDATE [Lishi] SET [L3H] = 300" + where);
        try {
            db_->loadSnapshot();
            ADD_FAILURE() << "no error for " << issueText(issue);
        } catch (const UserError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(issueText(issue)), std::string::npos) << message;
            EXPECT_NE(message.find("L3H"), std::string::npos) << message;
        }
        db_->sql().exec("UPDATE [Lishi] SET [L3H] = 1" + where);
    }
}

} // namespace
} // namespace yilou::history
