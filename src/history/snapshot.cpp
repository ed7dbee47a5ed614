#include "history/snapshot.h"

namespace yilou::history {

PositionValues Snapshot::numbers(std::size_t index) const {
    PositionValues out{};
    for (int p = 0; p < 5; ++p)
        out[p] = value(NumberOrder::Drop, Letter::A, p, index);
    return out;
}

void Snapshot::reserve(std::size_t count) {
    issues.reserve(count);
    for (auto& order : columns)
        for (auto& letter : order)
            for (auto& column : letter)
                column.reserve(count);
}

void Snapshot::push(const DrawRecord& record) {
    append({&record, 1});
}

void Snapshot::append(std::span<const DrawRecord> records) {
    for (const DrawRecord& record : records)
        issues.push_back(record.issue);
    for (int o = 0; o < 2; ++o)
        for (int l = 0; l < kLetterCount; ++l)
            for (int p = 0; p < 5; ++p) {
                Column& column = columns[o][l][p];
                for (const DrawRecord& record : records)
                    column.push_back(static_cast<std::int8_t>(
                        record.set(static_cast<NumberOrder>(o)).values[l][p]));
            }
}

} // namespace yilou::history
