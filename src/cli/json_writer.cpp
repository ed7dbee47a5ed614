#include "cli/json_writer.h"

#include "session/grid_text.h"

#include <charconv>
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

void JsonWriter::flush() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
}

void JsonWriter::flushWhenFull() {
    if (pending_.size() >= std::size_t{1} << 16)
        flush();
}

void JsonWriter::separate() {
    flushWhenFull();
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInLevel_.empty()) {
        if (!firstInLevel_.back())
            pending_ += ',';
        firstInLevel_.back() = false;
    }
}

JsonWriter& JsonWriter::raw(std::string_view text) {
    separate();
    pending_ += text;
    return *this;
}

JsonWriter& JsonWriter::open(char bracket) {
    raw(std::string_view(&bracket, 1));
    firstInLevel_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    firstInLevel_.pop_back();
    pending_ += bracket;
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
    pending_ += '\n';
    flush();
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    appendJsonString(pending_, name);
    pending_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    appendJsonString(pending_, text);
    return *this;
}

JsonWriter& JsonWriter::integer(long long number) {
    separate();
    appendJsonInteger(pending_, number);
    return *this;
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

void appendJsonInteger(std::string& out, long long number) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end);
}

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t plain = 0; // start of the characters not yet appended, none needing an escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
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
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        }
        }
    }
    out.append(text, plain);
    out += '"';
}

} // namespace yilou::cli
