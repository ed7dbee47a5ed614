#include "analysis/grouped_combination.h"
#include "core/user_error.h"
#include "support/grouped_oracle.h"
#include "support/history_generator.h"
#include "support/reference_attributes.h"
#include "support/temp_dir.h"
#include "support/test_seed.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace yilou::analysis {
namespace {

using history::YlRow;
using history::YlSortColumn;

constexpr int kCasesPerHistory = 125;

/// Codes a request may pick for a type: every code the history can hold and a few around them
/// that it never holds.
std::vector<int> candidateCodes(SearchType type) {
    const int highest = type == SearchType::Number || type == SearchType::Zodiac ? 13
                        : type == SearchType::Head                               ? 2
                        : type == SearchType::Segment                            ? 4
                                                                                 : 10;
    std::vector<int> codes;
    for (int code = 0; code <= highest; ++code)
        codes.push_back(code);
    return codes;
}

std::string describe(const GroupRequest& request) {
    std::ostringstream out;
    out << "type " << static_cast<int>(request.type) << " k " << request.k << " codes";
    for (int code : request.codes)
        out << ' ' << code;
    out << " range " << request.startIssue << ".." << request.endIssue << " SxIni "
        << request.sxIni;
    return out.str();
}

/// A random request over the history, starting on a stored issue and ending on a stored or a
/// missing issue at or after it.
GroupRequest randomRequest(std::mt19937_64& random, const history::Snapshot& snapshot, int sxIni) {
    GroupRequest request;
    request.type = static_cast<SearchType>(random() % kSearchTypeCount);
    request.sxIni = sxIni;
    auto pool = candidateCodes(request.type);
    std::shuffle(pool.begin(), pool.end(), random);
    const std::size_t n = std::min<std::size_t>(pool.size(), random() % 9);
    request.codes.assign(pool.begin(), pool.begin() + static_cast<std::ptrdiff_t>(n));
    // Box order is ascending for the panel; the command line may give any order.
    if (random() % 2)
        std::sort(request.codes.begin(), request.codes.end());
    request.k = 1 + static_cast<int>(random() % 6);

    const std::size_t first = random() % snapshot.size();
    const std::size_t last = first + random() % (snapshot.size() - first);
    request.startIssue = snapshot.issues[first];
    history::Issue end = snapshot.issues[last];
    // An end issue between two stored draws (the history has holes), or past the newest one;
    // an ordinal 00 is no issue and is refused.
    if (random() % 4 == 0) {
        const history::Issue between =
            last + 1 < snapshot.size() ? snapshot.issues[last + 1] - 1 : end + 1;
        if (history::isPlausibleIssue(between))
            end = between;
    }
    request.endIssue = end;
    return request;
}

/// The rows, and YL read back by every column, as the database statements give them.
void expectSameAsDatabase(history::HistoryDb& db, const history::Snapshot& snapshot,
                          const GroupRequest& request) {
    const auto expected = testing::oracleGroupedRows(db, request);
    if (static_cast<int>(request.codes.size()) < request.k) {
        // The statements give no row; the calculation says why.
        EXPECT_TRUE(expected.empty());
        EXPECT_THROW(P6Count(snapshot, request), UserError);
        return;
    }
    const auto rows = P6Count(snapshot, request);
    ASSERT_EQ(rows, expected);

    std::vector<std::vector<YlRow>> sorted;
    for (int column = 0; column < 5; ++column)
        sorted.push_back(testing::oracleSortedRows(db, static_cast<YlSortColumn>(column)));
    history::storeYlRows(db, rows);
    for (int column = 0; column < 5; ++column) {
        SCOPED_TRACE("sorted by column " + std::to_string(column));
        ASSERT_EQ(history::readYlRows(db, static_cast<YlSortColumn>(column)), sorted[column]);
        ASSERT_EQ(history::sortYlRows(rows, static_cast<YlSortColumn>(column)), sorted[column]);
    }
}

TEST(GroupedDifferential, MatchesTheDatabaseStatementsOnRandomHistories) {
    const std::uint64_t seed = testing::testSeed();
    SCOPED_TRACE("YILOU_TEST_SEED=" + std::to_string(seed));
    std::mt19937_64 random(seed);
    testing::TempDir dir;
    int compared = 0;
    for (int highestNumber : {11, 12})
        for (int sxIni : {0, 1})
            for (int dsIni : {0, 1}) {
                testing::GeneratedHistory settings;
                settings.draws = 20 + random() % 80;
                settings.seed = random();
                settings.highestNumber = highestNumber;
                settings.missingShare = 0.1;
                settings.rules = history::AttributeRules::startup(sxIni, dsIni);
                const auto records = testing::generateDraws(settings);
                const auto snapshot = testing::snapshotOf(records);
                history::HistoryDb db(dir / ("h" + std::to_string(compared) + ".mdb"));
                db.sql().exec("PRAGMA synchronous = OFF");
                db.replaceAll(records);
                testing::writeReferenceAttributes(db, settings.rules);

                for (int c = 0; c < kCasesPerHistory; ++c, ++compared) {
                    const GroupRequest request = randomRequest(random, snapshot, sxIni);
                    SCOPED_TRACE(describe(request));
                    expectSameAsDatabase(db, snapshot, request);
                    if (::testing::Test::HasFatalFailure())
                        return;
                }
            }
}

TEST(GroupedDifferential, WidestSelectionInAnyOrder) {
    const auto records = testing::generateDraws(60, 3);
    const auto snapshot = testing::snapshotOf(records);
    testing::TempDir dir;
    history::HistoryDb db(dir / history::kDatabaseFileName);
    db.replaceAll(records);
    testing::writeReferenceAttributes(db, history::AttributeRules{});
    GroupRequest request;
    request.type = SearchType::Tail;
    for (int code = kMaxGroupCodes - 1; code >= 0; --code)
        request.codes.push_back(code);
    request.startIssue = snapshot.issues[5];
    request.endIssue = snapshot.issues[50];
    for (int k : {1, 2}) {
        request.k = k;
        SCOPED_TRACE(describe(request));
        expectSameAsDatabase(db, snapshot, request);
    }
}

/// The figures of a request's rows (no labels) by one scan of the range per combination, in
/// lexicographic order of code positions: a draw hits when every member stands in one of its
/// five places.
std::vector<YlRow> scanPerCombination(const history::Snapshot& snapshot,
                                      const GroupRequest& request, std::size_t first,
                                      std::size_t last) {
    const history::Letter letter = searchTypeInfo(request.type).letter;
    const auto holds = [&](std::size_t i, int code) {
        for (int p = 0; p < 5; ++p)
            if (snapshot.value(history::NumberOrder::Drop, letter, p, i) == code)
                return true;
        return false;
    };
    std::vector<YlRow> rows;
    const int n = static_cast<int>(request.codes.size());
    std::vector<bool> chosen(static_cast<std::size_t>(n));
    std::fill(chosen.begin(), chosen.begin() + request.k, true);
    do {
        YlRow row;
        std::size_t previous = first; // the IDX before the range
        row.intMinYL = 32767;
        for (std::size_t i = first; i <= last; ++i) {
            bool all = true;
            for (int c = 0; c < n && all; ++c)
                all = !chosen[c] || holds(i, request.codes[c]);
            if (!all)
                continue;
            const int gap = static_cast<int>(i + 1 - previous);
            row.intMinYL = std::min(row.intMinYL, gap);
            row.intMaxYL = std::max(row.intMaxYL, gap);
            previous = i + 1;
        }
        row.intLstYl = static_cast<int>(snapshot.size() + 1 - previous);
        row.sglLlr = static_cast<float>(static_cast<double>(row.intMaxYL) / row.intLstYl);
        rows.push_back(row);
    } while (std::prev_permutation(chosen.begin(), chosen.end()));
    return rows;
}

TEST(GroupedDifferential, EveryGroupSizeOfEveryTypeMatchesAScanPerCombination) {
    testing::GeneratedHistory settings;
    settings.draws = 3000;
    settings.highestNumber = 12;
    settings.missingShare = 0.05;
    settings.rules = history::AttributeRules::startup(1, 1);
    const auto snapshot = testing::snapshotOf(testing::generateDraws(settings));
    const std::size_t first = 700, last = 2500;
    for (int t = 0; t < kSearchTypeCount; ++t)
        for (int k = 1; k <= kMaxGroupSize; ++k) {
            GroupRequest request;
            request.type = static_cast<SearchType>(t);
            request.codes = selectableCodes(request.type, 12, 1, 1);
            request.k = k;
            request.startIssue = snapshot.issues[first];
            request.endIssue = snapshot.issues[last];
            if (static_cast<int>(request.codes.size()) < k)
                continue;
            SCOPED_TRACE(describe(request));
            auto rows = P6Count(snapshot, request);
            for (YlRow& row : rows)
                row.content.clear();
            ASSERT_EQ(rows, scanPerCombination(snapshot, request, first, last));
        }
}

} // namespace
} // namespace yilou::analysis
