#pragma once

#include <concepts>
#include <optional>
#include <ostream>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::cli {

/// Writes one JSON document to a stream as it is built, placing the commas itself. A number is
/// always a JSON number: an integer as it is, a fraction with the digits the grids show
/// (session::fractionText), and a figure that does not exist as null. Issues and labels are
/// strings. The text is gathered in pieces of about 64 KB before it goes to the stream (a
/// result of half a million rows makes some twenty million calls); what is gathered is written
/// by finish() and, should the document be left unfinished, when the writer goes.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;
    ~JsonWriter() { flush(); }

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// Ends the document with a line end.
    void finish();

    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(bool flag) { return raw(flag ? "true" : "false"); }
    JsonWriter& value(std::integral auto number) { return integer(static_cast<long long>(number)); }
    JsonWriter& value(double number);
    JsonWriter& value(std::nullopt_t);
    template <typename T> JsonWriter& value(const std::optional<T>& figure) {
        return figure ? value(*figure) : value(std::nullopt);
    }
    /// An array of the items.
    template <std::ranges::range Items>
    requires(!std::convertible_to<const Items&, std::string_view>)
        JsonWriter& value(const Items& items) {
        beginArray();
        for (const auto& item : items)
            value(item);
        return endArray();
    }

    /// A number already written as a grid shows it ("13.3333333333333", "1e+07"), with the
    /// same digits; a text that is not a JSON number is written as null.
    JsonWriter& numberText(std::string_view text);

    /// `count` elements of the open array, element i appended to `text` as JSON by
    /// `element(i, text)`: for results of many rows, where a call per field would cost more
    /// than the text itself.
    template <typename Element> JsonWriter& elements(std::size_t count, Element element) {
        for (std::size_t i = 0; i < count; ++i) {
            separate();
            element(i, pending_);
        }
        return *this;
    }

    /// key(name), then value(v).
    template <typename T> JsonWriter& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }

private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    JsonWriter& integer(long long number);
    JsonWriter& raw(std::string_view text);
    void separate();
    void flushWhenFull();
    void flush();

    std::ostream& out_;
    std::string pending_;            ///< written, not yet given to the stream
    std::vector<bool> firstInLevel_; ///< per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

/// Appends the JSON string literal of a UTF-8 text.
void appendJsonString(std::string& out, std::string_view text);
/// Appends an integer in decimal.
void appendJsonInteger(std::string& out, long long number);

} // namespace yilou::cli
