#include "cli/json_writer.h"

#include "session/grid_text.h"

#include <cmath>
#include <cstdio>

namespace yilou::cli {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// Whether `text` is a number by JSON's grammar: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool isJsonNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i > start;
    };
    if (i < text.size() && text[i] == '-')
        ++i;
    if (i < text.size() && text[i] == '0')
        ++i;
    else if (!digits())
        return false;
    if (i < text.size() && text[i] == '.' && (++i, !digits()))
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

} // namespace

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInLevel_.empty()) {
        if (!firstInLevel_.back())
            out_ << ',';
        firstInLevel_.back() = false;
    }
}

JsonWriter& JsonWriter::raw(std::string_view text) {
    separate();
    out_ << text;
    return *this;
}

JsonWriter& JsonWriter::open(char bracket) {
    raw(std::string_view(&bracket, 1));
    firstInLevel_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    firstInLevel_.pop_back();
    out_ << bracket;
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    return open('{');
}

JsonWriter& JsonWriter::endObject() {
    return close('}');
}

JsonWriter& JsonWriter::beginArray() {
    return open('[');
}

JsonWriter& JsonWriter::endArray() {
    return close(']');
}

void JsonWriter::finish() {
    out_ << '\n';
}

JsonWriter& JsonWriter::key(std::string_view name) {
    raw(jsonString(name));
    out_ << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    return raw(jsonString(text));
}

JsonWriter& JsonWriter::integer(long long number) {
    return raw(std::to_string(number));
}

JsonWriter& JsonWriter::value(double number) {
    return std::isfinite(number) ? raw(session::fractionText(number)) : value(std::nullopt);
}

JsonWriter& JsonWriter::value(std::nullopt_t) {
    return raw("null");
}

JsonWriter& JsonWriter::numberText(std::string_view text) {
    return isJsonNumber(text) ? raw(text) : value(std::nullopt);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

} // namespace yilou::cli
