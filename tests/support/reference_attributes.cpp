#include "support/reference_attributes.h"

#include "store/sqlite_db.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace yilou::testing {

namespace {

using history::Statement;

struct Row {
    std::int64_t issue;
    std::array<int, 5> numbers;
};

/// Spring Festival as month × 100 + day, 2001..2020.
int springFestival(int year) {
    static const std::map<int, int> dates{
        {2001, 124}, {2002, 212}, {2003, 201}, {2004, 122}, {2005, 209}, {2006, 129}, {2007, 218},
        {2008, 207}, {2009, 126}, {2010, 214}, {2011, 203}, {2012, 123}, {2013, 210}, {2014, 131},
        {2015, 219}, {2016, 208}, {2017, 128}, {2018, 216}, {2019, 205}, {2020, 125}};
    const auto found = dates.find(year);
    return found == dates.end() ? 0 : found->second;
}

/// The zodiac (鼠 = 0 … 猪 = 11) of a number in the year of the draw: 01 belongs to the
/// zodiac of the year, 02 to the one before it, and so on round the twelve.
int zodiacIndex(std::int64_t issue, int number) {
    int year = 2000 + static_cast<int>(issue / 1000000);
    const int monthDay = static_cast<int>(issue / 100 % 10000);
    if (monthDay < springFestival(year))
        --year;
    const int ofYear = ((year - 1972) % 12 + 12) % 12;
    return ((ofYear - (number - 1)) % 12 + 12) % 12;
}

std::string twoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string occurrences(const std::array<int, 5>& values, bool padded) {
    std::map<int, int> seen;
    std::string text;
    for (int v : values)
        text += std::to_string(++seen[v]) + "X" + (padded ? twoDigits(v) : std::to_string(v)) + " ";
    return text;
}

/// Letters A B E F G H of one column set, per position.
std::array<std::array<int, 5>, 6> attributes(const std::array<int, 5>& numbers, std::int64_t issue,
                                             const history::AttributeRules& rules) {
    std::array<std::array<int, 5>, 6> set{};
    for (int p = 0; p < 5; ++p) {
        const int n = numbers[p];
        set[0][p] = n;
        set[1][p] = rules.zodiac.code[zodiacIndex(issue, n)];
        set[2][p] = n / 10;
        set[3][p] = n % 10;
        set[4][p] = n / 10 + n % 10;
        set[5][p] = (n - 1) / 4 + rules.dsIni;
    }
    return set;
}

} // namespace

void writeReferenceAttributes(history::HistoryDb& db, const history::AttributeRules& rules) {
    auto& sql = db.sql();
    std::vector<Row> rows;
    {
        Statement read(sql, "SELECT [SQQH], [L1A], [L2A], [L3A], [L4A], [L5A] FROM [Lishi]");
        while (read.step()) {
            Row row{read.integer(0), {}};
            for (int p = 0; p < 5; ++p)
                row.numbers[p] = static_cast<int>(read.integer(p + 1));
            rows.push_back(row);
        }
    }
    static constexpr std::array<char, 6> letters{'A', 'B', 'E', 'F', 'G', 'H'};
    std::string assignments;
    for (char prefix : {'L', 'D'})
        for (char letter : letters)
            for (int p = 1; p <= 5; ++p)
                assignments += std::string("[") + prefix + std::to_string(p) + letter + "] = ?, ";
    assignments += "[txtHisLst] = ?, [txtHisLstHm] = ?, [txtHisLstSx] = ?, [txtHisLstTou] = ?, "
                   "[txtHisLstWei] = ?, [txtHisLstHe] = ?, [txtHisLstDs] = ?";
    history::Transaction transaction(sql);
    Statement update(sql, "UPDATE [Lishi] SET " + assignments + " WHERE [SQQH] = ?");
    for (const Row& row : rows) {
        auto ascending = row.numbers;
        std::sort(ascending.begin(), ascending.end());
        const auto drop = attributes(row.numbers, row.issue, rules);
        const auto sorted = attributes(ascending, row.issue, rules);
        int index = 1;
        for (const auto* set : {&drop, &sorted})
            for (const auto& values : *set)
                for (int v : values)
                    update.bind(index++, std::int64_t{v});
        std::string numbers;
        for (int n : row.numbers)
            numbers += twoDigits(n) + " ";
        update.bind(index++, numbers);
        update.bind(index++, occurrences(drop[0], true));
        update.bind(index++, occurrences(drop[1], true));
        update.bind(index++, occurrences(drop[2], false));
        update.bind(index++, occurrences(drop[3], false));
        update.bind(index++, occurrences(drop[4], true));
        update.bind(index++, occurrences(drop[5], false));
        update.bind(index, row.issue);
        update.run();
        update.reset();
    }
    transaction.commit();
}

} // namespace yilou::testing
