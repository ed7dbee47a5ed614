#include "cli/search_output.h"

#include "cli/json_writer.h"
#include "session/grid_text.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace yilou::cli {

namespace {

/// One json row of a hit, built in place: appending to a string field by field costs more than
/// the text (half a million rows make ten million appends).
class RowText {
public:
    void put(std::string_view text) {
        std::memcpy(end_, text.data(), text.size());
        end_ += text.size();
    }
    void number(std::int32_t value) { end_ = std::to_chars(end_, end_ + 12, value).ptr; }
    std::string_view text() const {
        return {buffer_.data(), static_cast<std::size_t>(end_ - buffer_.data())};
    }

private:
    // Five labels of at most 12 bytes as json strings, the issue and three numbers of at most
    // 11 characters, and the keys: less than 256.
    std::array<char, 256> buffer_;
    char* end_ = buffer_.data();
};

/// The labels of the values the hits hold, quoted for the output by `quote`, made once for each
/// value.
class Labels {
public:
    using Quote = void (*)(std::string&, std::string_view);
    Labels(const analysis::SearchResult& result, Quote quote) : result_(result), quote_(quote) {}

    std::string_view of(std::int8_t value) {
        std::string& text = texts_[static_cast<std::uint8_t>(value)];
        if (text.empty())
            quote_(text, result_.text(value));
        return text;
    }

private:
    const analysis::SearchResult& result_;
    Quote quote_;
    std::array<std::string, 256> texts_;
};

void writeJson(std::ostream& out, const analysis::SearchResult& result) {
    Labels labels(result, appendJsonString);
    JsonWriter json(out);
    json.beginObject().key("hits").beginArray();
    json.elements(result.hits.size(), [&](std::size_t i, std::string& text) {
        const analysis::HitRow& hit = result.hits[i];
        RowText row;
        row.put("{\"issue\":\"");
        row.put(history::issueText(hit.issue)); // digits only
        row.put("\",\"values\":[");
        for (int p = 0; p < 5; ++p) {
            row.put(p ? "," : "");
            row.put(labels.of(hit.values[p]));
        }
        row.put("],\"codes\":[");
        for (int p = 0; p < 5; ++p) {
            row.put(p ? "," : "");
            row.number(hit.values[p]);
        }
        row.put("],\"gap\":");
        row.number(hit.gap);
        row.put(",\"seq\":");
        row.number(hit.seq);
        row.put("}");
        text += row.text();
    });
    const auto& summary = result.summary;
    json.endArray()
        .key("summary")
        .beginObject()
        .field("desc", summary.desc)
        .field("codes", summary.codes)
        .field("min", summary.min)
        .field("max", summary.max)
        .field("last", summary.last)
        .key("ratio")
        .numberText(summary.ratio)
        .endObject()
        .endObject()
        .finish();
}

/// The detail grid as csv: its headers, then per hit the cells of the grid's columns.
void writeCsvHits(std::ostream& out, const analysis::SearchResult& result) {
    std::string text;
    const auto& headers = session::SearchGrid::headers();
    for (std::size_t i = 0; i < headers.size(); ++i) {
        text += i ? "," : "";
        appendCsvField(text, headers[i]);
    }
    text += '\n';
    Labels labels(result, appendCsvField);
    for (const analysis::HitRow& hit : result.hits) {
        RowText row;
        row.put(history::issueText(hit.issue));
        for (int p = 0; p < 5; ++p) {
            row.put(",");
            row.put(labels.of(hit.values[p]));
        }
        row.put(",");
        row.number(hit.gap);
        row.put(",");
        row.number(hit.seq);
        row.put("\n");
        text += row.text();
        if (text.size() >= std::size_t{1} << 16) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace

void printSearchResult(std::ostream& out, OutputFormat format,
                       const analysis::SearchResult& result) {
    if (format == OutputFormat::Json)
        return writeJson(out, result);
    if (format == OutputFormat::Csv)
        writeCsvHits(out, result);
    else
        printTable(out, format, session::searchTextGrid(result));
    out << '\n';
    printTable(out, format, session::summaryTextGrid(result.summary));
}

} // namespace yilou::cli
