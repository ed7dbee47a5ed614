#include "online/page_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace yilou::history {

namespace {

/// A meta tag naming the charset stands near the start of a page; browsers look at the first
/// 1,024 bytes, saved pages sometimes carry more before it.
constexpr std::size_t kMetaScanBytes = 4096;
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

/// The value after "charset=" in `text` (already lowered), without quotes; empty when none.
std::string charsetValue(std::string_view text) {
    const auto at = text.find("charset=");
    if (at == std::string_view::npos)
        return {};
    std::string_view value = text.substr(at + 8);
    while (!value.empty() &&
           (value.front() == '"' || value.front() == '\'' || value.front() == ' '))
        value.remove_prefix(1);
    const auto end = value.find_first_of("\"'; \t\r\n/>");
    return std::string(value.substr(0, end));
}

/// The name iconv knows a charset label by: the Chinese labels are read as GB18030, which
/// contains GB2312 and GBK.
std::string charsetName(const std::string& label) {
    static constexpr std::array<std::string_view, 9> kChinese{
        "gb2312",  "gbk",     "x-gbk",     "gb_2312-80",     "csgb2312",
        "chinese", "gb18030", "iso-ir-58", "csiso58gb231280"};
    if (std::find(kChinese.begin(), kChinese.end(), label) != kChinese.end())
        return "GB18030";
    if (label == "utf8" || label == "unicode-1-1-utf-8")
        return "UTF-8";
    std::string name = label;
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return name;
}

bool convertible(const std::string& charset) {
    if (charset.empty())
        return false;
    const iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

std::string metaCharset(std::string_view page) {
    const std::string head = lowered(page.substr(0, kMetaScanBytes));
    for (auto at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 1)) {
        const auto end = head.find('>', at);
        std::string value = charsetValue(std::string_view(head).substr(at, end - at));
        if (!value.empty())
            return value;
    }
    return {};
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80         ? 1
                                   : (c >> 5) == 6  ? 2
                                   : (c >> 4) == 14 ? 3
                                   : (c >> 3) == 30 ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        i += length;
    }
    return true;
}

} // namespace

std::string pageInUtf8(std::string_view page, std::string_view charsetName) {
    const std::string charset(charsetName);
    if (charset == "UTF-8" && isValidUtf8(page))
        return std::string(page);
    const iconv_t cd = iconv_open("UTF-8", convertible(charset) ? charset.c_str() : "UTF-8");
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, &iconv_close);
    std::string out(page.size() + page.size() / 2 + 16, '\0');
    char* in = const_cast<char*>(page.data());
    std::size_t inLeft = page.size();
    std::size_t used = 0;
    while (inLeft > 0) {
        char* to = out.data() + used;
        std::size_t toLeft = out.size() - used;
        const std::size_t result = iconv(cd, &in, &inLeft, &to, &toLeft);
        used = out.size() - toLeft;
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else { // an invalid or cut-off sequence: one byte is replaced and skipped
            if (out.size() - used < kReplacementCharacter.size())
                out.resize(out.size() * 2);
            out.replace(used, kReplacementCharacter.size(), kReplacementCharacter);
            used += kReplacementCharacter.size();
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    out.resize(used);
    return out;
}

namespace {

/// What an element means for the text.
enum class Kind { Inline, Block, Skipped, LineBreak, Table, Row, Cell, Preformatted };

Kind kindOf(const xmlChar* name) {
    static const std::unordered_map<std::string_view, Kind> kinds = [] {
        std::unordered_map<std::string_view, Kind> map;
        for (std::string_view block :
             {"address",    "article", "aside",  "blockquote", "caption", "center",  "dd",
              "details",    "dialog",  "dir",    "div",        "dl",      "dt",      "fieldset",
              "figcaption", "figure",  "footer", "form",       "h1",      "h2",      "h3",
              "h4",         "h5",      "h6",     "header",     "hr",      "legend",  "li",
              "main",       "menu",    "nav",    "ol",         "p",       "section", "summary",
              "tbody",      "tfoot",   "thead",  "ul"})
            map.emplace(block, Kind::Block);
        for (std::string_view skipped :
             {"script", "style", "head", "title", "noscript", "template"})
            map.emplace(skipped, Kind::Skipped);
        map.emplace("br", Kind::LineBreak);
        map.emplace("table", Kind::Table);
        map.emplace("tr", Kind::Row);
        map.emplace("td", Kind::Cell);
        map.emplace("th", Kind::Cell);
        map.emplace("pre", Kind::Preformatted);
        return map;
    }();
    const auto found = kinds.find(reinterpret_cast<const char*>(name));
    return found == kinds.end() ? Kind::Inline : found->second;
}

/// Tables, rows and preformatted text are blocks too.
bool endsLine(Kind kind) {
    return kind == Kind::Block || kind == Kind::Table || kind == Kind::Row ||
           kind == Kind::Preformatted;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

/// Collects the text: white space and line ends are held back until the next visible
/// character, so that runs collapse and nothing trails a line.
class TextBuilder {
public:
    void text(std::string_view text, bool preformatted) {
        for (char c : text) {
            if (!preformatted && isWhiteSpace(c)) {
                requestSpace();
                continue;
            }
            // The digits of two elements side by side are two numbers (balls drawn by spans).
            if (boundary_ && isDigit(c) && !out_.empty() && isDigit(out_.back()))
                requestSpace();
            boundary_ = false;
            flush();
            out_ += c;
        }
    }
    /// An element starts or ends here.
    void elementBoundary() { boundary_ = true; }
    void lineEnd() {
        flush();
        out_ += '\n';
    }
    void requestBreak() {
        if (out_.empty())
            return;
        break_ = true;
        tabs_ = 0;
        space_ = false;
    }
    void requestTab() {
        ++tabs_;
        space_ = false;
    }
    void requestSpace() {
        if (!break_ && tabs_ == 0 && !out_.empty() && !isWhiteSpace(out_.back()))
            space_ = true;
    }
    std::string take() { return std::move(out_); }

private:
    void flush() {
        if (break_ && out_.back() != '\n')
            out_ += '\n';
        out_.append(tabs_, '\t');
        if (space_)
            out_ += ' ';
        break_ = false;
        tabs_ = 0;
        space_ = false;
    }

    std::string out_;
    bool break_ = false;
    int tabs_ = 0;
    bool space_ = false;
    bool boundary_ = false;
};

/// Reads the text from the parser's events as they come: no document tree is built, which
/// would take most of the time and memory for a page of 2 MB.
class PageReader {
public:
    std::string read(const std::string& html) {
        // The parser's global state is set up once, before any thread parses.
        static std::once_flag initialised;
        std::call_once(initialised, &xmlInitParser);
        std::unique_ptr<htmlParserCtxt, void (*)(htmlParserCtxtPtr)> context(
            htmlCreateMemoryParserCtxt(html.data(), static_cast<int>(html.size())),
            &htmlFreeParserCtxt);
        if (!context)
            return {};
        htmlSAXHandler& sax = *context->sax;
        sax = htmlSAXHandler{};
        sax.startElement = &PageReader::started;
        sax.endElement = &PageReader::ended;
        sax.characters = &PageReader::characters;
        sax.cdataBlock = &PageReader::characters;
        context->userData = this;
        xmlSwitchEncoding(context.get(), XML_CHAR_ENCODING_UTF8);
        // The page is UTF-8 now whatever its meta tags say; HUGE lifts the nesting limit,
        // beyond which the parser would stop and drop the rest of the page.
        htmlCtxtUseOptions(context.get(), HTML_PARSE_RECOVER | HTML_PARSE_NOERROR |
                                              HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                              HTML_PARSE_IGNORE_ENC | XML_PARSE_HUGE);
        htmlParseDocument(context.get());
        return out_.take();
    }

private:
    static void started(void* user, const xmlChar* name, const xmlChar**) {
        static_cast<PageReader*>(user)->start(name);
    }
    static void ended(void* user, const xmlChar* name) {
        static_cast<PageReader*>(user)->end(name);
    }
    static void characters(void* user, const xmlChar* text, int length) {
        auto& reader = *static_cast<PageReader*>(user);
        if (reader.skipDepth_ == 0)
            reader.out_.text(
                {reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)},
                reader.preDepth_ > 0);
    }

    void start(const xmlChar* name) {
        const Kind kind = kindOf(name);
        if (skipDepth_ > 0 || kind == Kind::Skipped) {
            ++skipDepth_;
            return;
        }
        out_.elementBoundary();
        if (kind == Kind::Table) {
            open_.push_back(Open::Table);
        } else if (kind == Kind::Row) {
            open_.push_back(Open::Row);
        } else if (kind == Kind::Cell && inRow()) {
            if (open_.back() == Open::RowWithCell)
                out_.requestTab();
            open_.back() = Open::RowWithCell;
        } else if (kind == Kind::Preformatted) {
            ++preDepth_;
        }
        if (kind == Kind::LineBreak && !inRow())
            out_.lineEnd();
        else if (kind == Kind::LineBreak || endsLine(kind))
            separate(kind);
    }
    void end(const xmlChar* name) {
        if (skipDepth_ > 0) {
            --skipDepth_;
            return;
        }
        out_.elementBoundary();
        const Kind kind = kindOf(name);
        if ((kind == Kind::Table && !open_.empty() && open_.back() == Open::Table) ||
            (kind == Kind::Row && inRow()))
            open_.pop_back();
        else if (kind == Kind::Preformatted && preDepth_ > 0)
            --preDepth_;
        if (endsLine(kind))
            separate(kind);
    }

    /// Whether the innermost open table element is a row: a table nested in a cell starts
    /// lines of its own.
    bool inRow() const { return !open_.empty() && open_.back() != Open::Table; }
    /// A line ends, except inside a table row, which stays one line: there the break is a blank.
    void separate(Kind kind) {
        if (inRow() && kind != Kind::Row)
            out_.requestSpace();
        else
            out_.requestBreak();
    }

    TextBuilder out_;
    int skipDepth_ = 0; ///< inside script, style, the head …
    int preDepth_ = 0;
    /// Per open table and table row, innermost last: a table, or a row and whether a cell has
    /// begun in it.
    enum class Open { Table, Row, RowWithCell };
    std::vector<Open> open_;
};

} // namespace

std::string pageCharset(std::string_view page, std::string_view contentType) {
    for (const std::string& label : {charsetValue(lowered(contentType)), metaCharset(page)}) {
        std::string name = charsetName(label);
        if (convertible(name))
            return name;
    }
    return isValidUtf8(page) ? "UTF-8" : "GB18030";
}

std::string pageText(std::string_view page, std::string_view charset) {
    return PageReader().read(pageInUtf8(page, charset));
}

} // namespace yilou::history
