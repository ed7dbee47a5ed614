#include "history/page_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <libxml/HTMLparser.h>
#include <memory>

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

/// `page` in UTF-8; bytes that are not valid in `charset` become U+FFFD, as in a browser.
std::string decoded(std::string_view page, const std::string& charset) {
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

bool isOneOf(const xmlChar* name, std::initializer_list<std::string_view> names) {
    const std::string_view n(reinterpret_cast<const char*>(name));
    return std::find(names.begin(), names.end(), n) != names.end();
}

bool isSkipped(const xmlChar* name) {
    return isOneOf(name, {"script", "style", "head", "title", "noscript", "template"});
}

bool isBlock(const xmlChar* name) {
    return isOneOf(name, {"address", "article",  "aside",      "blockquote", "caption", "center",
                          "dd",      "details",  "dialog",     "dir",        "div",     "dl",
                          "dt",      "fieldset", "figcaption", "figure",     "footer",  "form",
                          "h1",      "h2",       "h3",         "h4",         "h5",      "h6",
                          "header",  "hr",       "legend",     "li",         "main",    "menu",
                          "nav",     "ol",       "p",          "pre",        "section", "summary",
                          "table",   "tbody",    "tfoot",      "thead",      "tr",      "ul"});
}

bool isCell(const xmlNode* node) {
    return node && node->type == XML_ELEMENT_NODE && isOneOf(node->name, {"td", "th"});
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
            flush();
            out_ += c;
        }
    }
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
    std::string take() { return std::move(out_); }

private:
    void requestSpace() {
        if (!break_ && tabs_ == 0 && !out_.empty() && !isWhiteSpace(out_.back()))
            space_ = true;
    }
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
};

class BodyWalker {
public:
    /// The text of the nodes below `root`, in document order, without recursion: tag soup can
    /// nest deeply.
    std::string walk(xmlNode* root) {
        xmlNode* node = root->children;
        while (node) {
            if (enter(node)) {
                if (node->children) {
                    node = node->children;
                    continue;
                }
                leave(node);
            }
            while (!node->next) {
                node = node->parent;
                if (node == root)
                    return out_.take();
                leave(node);
            }
            node = node->next;
        }
        return out_.take();
    }

private:
    /// Takes in the node; true when its children are to be visited and leave() called.
    bool enter(xmlNode* node) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (node->content)
                out_.text(reinterpret_cast<const char*>(node->content), preDepth_ > 0);
            return false;
        }
        if (node->type != XML_ELEMENT_NODE || isSkipped(node->name))
            return false;
        if (isOneOf(node->name, {"br"})) {
            out_.lineEnd();
            return false;
        }
        if (isCell(node) && isCell(xmlPreviousElementSibling(node)))
            out_.requestTab();
        if (isOneOf(node->name, {"pre"}))
            ++preDepth_;
        if (isBlock(node->name))
            out_.requestBreak();
        return true;
    }
    void leave(xmlNode* node) {
        if (node->type != XML_ELEMENT_NODE)
            return;
        if (isOneOf(node->name, {"pre"}))
            --preDepth_;
        if (isBlock(node->name))
            out_.requestBreak();
    }

    TextBuilder out_;
    int preDepth_ = 0;
};

/// The body element below the document's root element, or the root when there is none.
xmlNode* bodyOf(xmlNode* root) {
    for (xmlNode* node = root->children; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE && isOneOf(node->name, {"body"}))
            return node;
    return root;
}

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
    const std::string text = decoded(page, std::string(charset));
    // The page is UTF-8 now whatever its meta tags say; HUGE lifts the nesting limit, beyond
    // which the parser would stop and drop the rest of the page.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
        htmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", options),
        &xmlFreeDoc);
    if (!doc)
        return {};
    xmlNode* root = xmlDocGetRootElement(doc.get());
    return root ? BodyWalker().walk(bodyOf(root)) : std::string();
}

} // namespace yilou::history
