#include "history/text_import.h"

#include "history/draw_validation.h"
#include "history/messages.h"
#include "history/user_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>

namespace yilou::history {

namespace {

constexpr std::size_t kListedProblems = 5;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool startsWithDigits(std::string_view text, std::size_t count) {
    return text.size() >= count && std::all_of(text.begin(), text.begin() + count, isDigit);
}

[[noreturn]] void unreadable(const std::filesystem::path& file, int error) {
    throw UserError(messages::cannotReadFile(file, std::strerror(error)));
}

/// Keeps the first draw of every issue and reports the later ones.
void rejectRepeatedIssues(HistoryText& text) {
    auto& draws = text.draws;
    const auto ascending = [](const TextDraw& a, const TextDraw& b) { return a.issue < b.issue; };
    if (std::adjacent_find(draws.begin(), draws.end(), std::not_fn(ascending)) == draws.end())
        return; // strictly ascending, the usual case: nothing repeats

    std::vector<std::size_t> order(draws.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return ascending(draws[a], draws[b]); });
    std::vector<bool> repeated(draws.size());
    std::size_t first = order.front(); // the draw that keeps the issue of the current run
    for (std::size_t k = 1; k < order.size(); ++k) {
        const TextDraw& draw = draws[order[k]];
        if (draw.issue != draws[order[k - 1]].issue) {
            first = order[k];
            continue;
        }
        repeated[order[k]] = true;
        text.skipped.push_back(
            {draw.line, messages::issueRepeatsLine(draw.issue, draws[first].line)});
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < draws.size(); ++i)
        if (!repeated[i])
            draws[kept++] = draws[i];
    draws.resize(kept);
    std::stable_sort(text.skipped.begin(), text.skipped.end(),
                     [](const LineProblem& a, const LineProblem& b) { return a.line < b.line; });
}

} // namespace

HistoryLine parseHistoryLine(std::string_view line) {
    line = trimmed(line);
    HistoryLine out;
    if (line.empty()) {
        out.blank = true;
        return out;
    }
    std::size_t pos = 0;
    if (startsWithDigits(line, 10)) {
        out.issue = issueFromDigits(line.substr(2, 8));
        pos = 11;
    } else if (startsWithDigits(line, 8)) {
        out.issue = issueFromDigits(line.substr(0, 8));
        pos = 9;
    }
    while (pos + 1 < line.size() && out.numberCount < 5) {
        if (isDigit(line[pos]) && isDigit(line[pos + 1])) {
            out.numbers[out.numberCount++] = (line[pos] - '0') * 10 + (line[pos + 1] - '0');
            pos += 2;
        } else {
            ++pos;
        }
    }
    return out;
}

HistoryText readHistoryText(const std::filesystem::path& file, const Game& game) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"),
                                                       &std::fclose);
    if (!in)
        unreadable(file, errno);

    HistoryText text;
    std::optional<Issue> previous;
    char* buffer = nullptr;
    std::size_t capacity = 0;
    std::size_t lineNumber = 0;
    ssize_t length;
    while ((length = getline(&buffer, &capacity, in.get())) >= 0) {
        ++lineNumber;
        std::string_view line(buffer, static_cast<std::size_t>(length));
        if (line.ends_with('\n'))
            line.remove_suffix(1);
        if (lineNumber == 1 && line.starts_with(kUtf8Bom))
            line.remove_prefix(kUtf8Bom.size());

        const HistoryLine parsed = parseHistoryLine(line);
        if (parsed.blank)
            continue;
        if (!parsed.issue && !previous) {
            text.skipped.push_back({lineNumber, messages::noIssueToCountFrom()});
            continue;
        }
        const Issue issue = parsed.issue ? *parsed.issue : *previous + 1;
        previous = issue;
        if (issue < 1)
            continue;
        if (parsed.numberCount < 5) {
            text.skipped.push_back({lineNumber, messages::tooFewNumbers(parsed.numberCount)});
            continue;
        }
        if (auto problem = drawProblem(issue, parsed.numbers, game)) {
            text.skipped.push_back({lineNumber, std::move(*problem)});
            continue;
        }
        text.draws.push_back({issue, parsed.numbers, lineNumber});
    }
    const int error = errno;
    const bool failed = std::ferror(in.get()) != 0;
    std::free(buffer);
    if (failed)
        unreadable(file, error);

    rejectRepeatedIssues(text);
    return text;
}

void replaceHistory(HistoryDb& db, const std::vector<TextDraw>& draws,
                    const AttributeRules& rules) {
    std::vector<DrawRecord> records;
    records.reserve(draws.size());
    for (const TextDraw& draw : draws)
        records.push_back(DeriveAttributes(draw.issue, draw.numbers, rules));
    db.replaceAll(records);
}

ImportReport importHistoryFile(HistoryDb& db, const std::filesystem::path& file, const Game& game,
                               const AttributeRules& rules) {
    HistoryText text = readHistoryText(file, game);
    if (text.draws.empty()) {
        std::string message = messages::noDrawsInFile(file);
        if (!text.skipped.empty())
            message += "\n" + skippedLinesText(text.skipped);
        throw UserError(message);
    }
    replaceHistory(db, text.draws, rules);
    ImportReport report;
    report.stored = text.draws.size();
    report.skipped = std::move(text.skipped);
    return report;
}

std::string skippedLinesText(const std::vector<LineProblem>& skipped) {
    std::string out;
    for (std::size_t i = 0; i < std::min(skipped.size(), kListedProblems); ++i) {
        if (i > 0)
            out += '\n';
        out += messages::skippedLine(skipped[i].line, skipped[i].reason);
    }
    if (skipped.size() > kListedProblems)
        out += "\n" + messages::moreLinesNotListed(skipped.size() - kListedProblems);
    return out;
}

std::string ImportReport::summary() const {
    const std::string out = messages::importSummary(stored, skipped.size());
    return skipped.empty() ? out : out + "\n" + skippedLinesText(skipped);
}

} // namespace yilou::history
