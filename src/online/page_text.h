#pragma once

#include <string>
#include <string_view>

namespace yilou::history {

/// The charset a page is written in: the one named by the HTTP Content-Type header
/// (`contentType`, empty for none), else the one named by a meta tag near the start of the
/// page, else UTF-8 when the bytes are valid UTF-8 and GB18030 otherwise. The names GB2312 and
/// GBK give GB18030, which contains both, as browsers read such pages.
std::string pageCharset(std::string_view page, std::string_view contentType);

/// `page` decoded from `charset` into UTF-8: bytes that are not valid in it become U+FFFD, as
/// in a browser.
std::string pageInUtf8(std::string_view page, std::string_view charset);

/// The text of an HTML page's body as a browser gives it as plain text, in UTF-8: `page` is
/// decoded from `charset` (bytes that are not valid in it become U+FFFD); script, style and
/// the head are left out; runs of white space become one blank (kept as they are inside pre);
/// block elements, tables, table rows and br end lines; the cells of a table row are separated
/// by a tab, and within a row (outside a table nested in one of its cells) block elements and
/// br separate by a blank, so that a row is one line. Digits on both sides of where an element
/// starts or ends are kept apart by a blank: numbers written in elements side by side (balls)
/// stay apart.
std::string pageText(std::string_view page, std::string_view charset);

} // namespace yilou::history
