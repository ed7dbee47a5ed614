#include "store/text_import.h"

#include "core/draw_validation.h"
#include "core/messages.h"
#include "core/page_issue_form.h"
#include "core/system_error_text.h"
#include "core/user_error.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <new>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace yilou::history {

namespace {

constexpr std::size_t kListedProblems = 5;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kReadSize = 1 << 16;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

[[noreturn]] void unreadable(const std::filesystem::path& file, const std::string& cause) {
    throw UserError(messages::cannotReadFile(file, cause));
}

/// Closes a file descriptor when it goes.
struct FileDescriptor {
    int fd;
    ~FileDescriptor() { ::close(fd); }
};

/// Turns the lines of a file, as they end, into draws and skipped lines.
/// The highest number any game draws (快乐12).
constexpr int kHighestNumberOfAnyGame = 12;

class DrawCollector {
public:
    explicit DrawCollector(const LineRules& rules) : rules_(rules) {}

    void line(std::size_t lineNumber, const HistoryLine& parsed) {
        if (parsed.blank)
            return;
        if (parsed.issue == 0) { // an issue of zeros marks a line of no draw
            previous_ = 0;
            return;
        }
        if (parsed.refusedIssue) {
            text_.skipped.add({lineNumber, *parsed.refusedIssue});
            previous_ = parsed.issue;
            return;
        }
        if (!parsed.issue && !previous_) {
            text_.skipped.add({lineNumber, messages::noIssueToCountFrom()});
            return;
        }
        const Issue issue = parsed.issue ? *parsed.issue : *previous_ + 1;
        previous_ = issue;
        if (parsed.numberCount < 5) {
            text_.skipped.add({lineNumber, messages::tooFewNumbers(parsed.numberCount)});
            return;
        }
        for (const int number : parsed.numbers)
            if (number <= kHighestNumberOfAnyGame)
                text_.highestNumber = std::max(text_.highestNumber, number);
        if (auto problem = drawProblem(issue, parsed.numbers, rules_.highestNumber)) {
            text_.skipped.add({lineNumber, std::move(*problem)});
            return;
        }
        text_.draws.push_back({issue, parsed.numbers, lineNumber});
        if (parsed.moreNumbers)
            ++text_.longLines;
    }

    HistoryText& text() { return text_; }

private:
    const LineRules& rules_;
    HistoryText text_;
    std::optional<Issue> previous_;
};

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
        text.skipped.add({draw.line, messages::issueRepeatsLine(draw.issue, draws[first].line)});
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < draws.size(); ++i)
        if (!repeated[i])
            draws[kept++] = draws[i];
    draws.resize(kept);
}

} // namespace

void HistoryLineParser::scanBody(std::string_view text) {
    for (char c : text) {
        if (!isDigit(c)) {
            pendingDigit_ = -1;
        } else if (pendingDigit_ < 0) {
            pendingDigit_ = c - '0';
        } else {
            if (line_.numberCount < 5)
                line_.numbers[line_.numberCount++] = pendingDigit_ * 10 + (c - '0');
            else
                line_.moreNumbers = true;
            pendingDigit_ = -1;
        }
    }
}

void HistoryLineParser::decideHead() {
    headDone_ = true;
    const std::string_view head(head_.data(), headSize_);
    const auto digitsFirst = [&](std::size_t count) {
        return head.size() >= count && std::all_of(head.begin(), head.begin() + count, isDigit);
    };
    // The ordinal has three digits: the nine digits YYMMDDNNN stand alone or after "20".
    const auto readNineDigits = [&](std::string_view digits) {
        if (const auto stored = PageIssueForm{3}.toStored(issueFromDigits(digits)))
            line_.issue = *stored;
        else
            line_.refusedIssue = messages::nineDigitIssueUnusable(digits);
    };
    // The issue keeps a date that does not exist, so that the lines after it count on from it.
    const auto readDigits = [&](std::string_view digits) {
        WrittenIssue written = readWrittenIssue(digits);
        line_.issue = written.issue;
        line_.refusedIssue = std::move(written.problem);
    };
    std::size_t body = 0;
    if (nineDigitIssues_ && digitsFirst(11)) {
        readNineDigits(head.substr(2, 9));
        body = 12;
    } else if (digitsFirst(10)) {
        readDigits(head.substr(0, 10));
        body = 11;
    } else if (nineDigitIssues_ && digitsFirst(9)) {
        readNineDigits(head.substr(0, 9));
        body = 10;
    } else if (digitsFirst(8)) {
        readDigits(head.substr(0, 8));
        body = 9;
    }
    if (body < head.size())
        scanBody(head.substr(body));
}

void HistoryLineParser::add(std::string_view piece) {
    while (!piece.empty() && !headDone_) {
        if (!started_) {
            if (isBlank(piece.front())) {
                piece.remove_prefix(1);
                continue;
            }
            started_ = true;
        }
        head_[headSize_++] = piece.front();
        piece.remove_prefix(1);
        if (headSize_ == kHeadSize)
            decideHead();
    }
    if (headDone_)
        scanBody(piece);
}

HistoryLine HistoryLineParser::finish() {
    if (!started_)
        line_.blank = true;
    else if (!headDone_)
        decideHead();
    const HistoryLine out = line_;
    line_ = HistoryLine();
    started_ = false;
    headDone_ = false;
    headSize_ = 0;
    pendingDigit_ = -1;
    return out;
}

LineRules LineRules::storedDraws() {
    int highest = 0;
    for (const Game& game : games())
        highest = std::max(highest, game.highestNumber);
    return {highest, false};
}

HistoryLine parseHistoryLine(std::string_view line, bool nineDigitIssues) {
    HistoryLineParser parser(nineDigitIssues);
    parser.add(line);
    return parser.finish();
}

HistoryText readHistoryText(const std::filesystem::path& file, const LineRules& rules) {
    const FileDescriptor in{::open(file.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0)
        unreadable(file, systemErrorText(errno));
    struct stat status {};
    if (::fstat(in.fd, &status) != 0)
        unreadable(file, systemErrorText(errno));
    // A device or a pipe may never end (/dev/urandom), a folder is no file of draws.
    if (!S_ISREG(status.st_mode))
        unreadable(file, messages::notARegularFile());

    DrawCollector collector(rules);
    HistoryLineParser parser(rules.nineDigitIssues);
    std::vector<char> buffer(kReadSize);
    std::size_t lineNumber = 0;
    bool lineOpen = false; // bytes arrived since the last line end
    bool afterCr = false;  // the last byte was CR, so an LF now ends no further line
    bool first = true;
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        // Any failure ends the read as a failure, never as the end of the file.
        if (got < 0)
            unreadable(file, systemErrorText(errno));
        if (got == 0)
            break;
        std::string_view chunk(buffer.data(), static_cast<std::size_t>(got));
        if (chunk.find('\0') != std::string_view::npos)
            unreadable(file, messages::notATextFile());
        if (first && chunk.starts_with(kUtf8Bom))
            chunk.remove_prefix(kUtf8Bom.size());
        first = false;
        while (!chunk.empty()) {
            std::size_t end = 0;
            while (end < chunk.size() && chunk[end] != '\n' && chunk[end] != '\r')
                ++end;
            if (end == chunk.size()) {
                parser.add(chunk);
                lineOpen = true;
                afterCr = false;
                break;
            }
            if (end > 0) {
                parser.add(chunk.substr(0, end));
                lineOpen = true;
            }
            const char terminator = chunk[end];
            if (!(terminator == '\n' && afterCr && end == 0 && !lineOpen))
                collector.line(++lineNumber, parser.finish());
            lineOpen = false;
            afterCr = terminator == '\r';
            chunk.remove_prefix(end + 1);
        }
    }
    if (lineOpen)
        collector.line(++lineNumber, parser.finish());

    HistoryText& text = collector.text();
    rejectRepeatedIssues(text);
    return std::move(text);
}

void replaceHistory(HistoryDb& db, const std::vector<TextDraw>& draws,
                    const AttributeRules& rules) {
    std::vector<DrawRecord> records;
    records.reserve(draws.size());
    for (const TextDraw& draw : draws)
        records.push_back(DeriveAttributes(draw.issue, draw.numbers, rules));
    db.replaceAll(records);
}

HistoryText readImportFile(const std::filesystem::path& file, const Game& game) {
    try {
        HistoryText text;
        try {
            text = readHistoryText(file, game);
        } catch (const UserError& error) {
            throw UserError(messages::historyUnchanged(error.what()));
        }
        if (text.draws.empty()) {
            std::string message = messages::noDrawsInFile(file);
            if (!text.skipped.empty())
                message += "\n" + text.skipped.text();
            throw UserError(message);
        }
        return text;
    } catch (const std::bad_alloc&) {
        throw UserError(messages::outOfMemoryReading(file, outOfMemoryText()));
    }
}

ImportReport storeImport(HistoryDb& db, HistoryText text, const std::filesystem::path& file,
                         const AttributeRules& rules) {
    try {
        replaceHistory(db, text.draws, rules);
    } catch (const std::bad_alloc&) {
        throw UserError(messages::outOfMemoryReading(file, outOfMemoryText()));
    }
    ImportReport report;
    report.stored = text.draws.size();
    report.longLines = text.longLines;
    report.skipped = std::move(text.skipped);
    return report;
}

ImportReport importHistoryFile(HistoryDb& db, const std::filesystem::path& file, const Game& game,
                               const AttributeRules& rules) {
    return storeImport(db, readImportFile(file, game), file, rules);
}

void SkippedLines::add(LineProblem problem) {
    ++count;
    if (first.size() == kKept && problem.line >= first.back().line)
        return;
    const auto at = std::upper_bound(
        first.begin(), first.end(), problem.line,
        [](std::size_t line, const LineProblem& kept) { return line < kept.line; });
    first.insert(at, std::move(problem));
    if (first.size() > kKept)
        first.pop_back();
}

std::string SkippedLines::text() const {
    std::string out;
    for (std::size_t i = 0; i < std::min(first.size(), kListedProblems); ++i) {
        if (i > 0)
            out += '\n';
        out += messages::skippedLine(first[i].line, first[i].reason);
    }
    if (count > kListedProblems)
        out += "\n" + messages::moreLinesNotListed(count - kListedProblems);
    return out;
}

std::string ImportReport::summary() const {
    std::string out = messages::importSummary(stored, skipped.count);
    if (longLines > 0)
        out += "\n" + messages::linesWithMoreNumbers(longLines);
    if (!skipped.empty())
        out += "\n" + skipped.text();
    return out;
}

} // namespace yilou::history
