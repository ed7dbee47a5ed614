#include "online/page_text.h"
#include "support/results_page.h"

#include <gtest/gtest.h>

namespace yilou::history {
namespace {

TEST(PageCharset, HeaderThenMetaTagThenTheBytesDecide) {
    const std::string gbkMeta = "<html><head><meta charset=\"gbk\"></head><body>x</body></html>";
    const std::string httpEquiv = "<html><head><META HTTP-EQUIV=\"Content-Type\" "
                                  "CONTENT=\"text/html; charset=GB2312\"></head></html>";
    const struct {
        const char* name;
        std::string page;
        std::string contentType;
        std::string charset;
    } cases[] = {
        {"header wins over the meta tag", gbkMeta, "text/html; charset=UTF-8", "UTF-8"},
        {"meta charset", gbkMeta, "text/html", "GB18030"},
        {"meta http-equiv", httpEquiv, "", "GB18030"},
        {"quoted header value", "<p>x</p>", "text/html;charset=\"gb18030\"", "GB18030"},
        {"unknown label falls back to the bytes", "<p>x</p>", "text/html; charset=x-nonsense",
         "UTF-8"},
        {"no label, valid UTF-8", "<p>开奖</p>", "", "UTF-8"},
        {"no label, GBK bytes", yilou::testing::toGbk("<p>开奖</p>"), "", "GB18030"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pageCharset(c.page, c.contentType), c.charset);
    }
}

TEST(PageText, GivesTheBodyTextAsABrowserDoes) {
    const struct {
        const char* name;
        std::string html;
        std::string text;
    } cases[] = {
        {"head, script and style left out",
         "<html><head><title>T</title><style>p{}</style></head><body><script>var a=1;</script>"
         "<p>a</p><noscript>n</noscript></body></html>",
         "a"},
        {"white space collapses", "<body>  a \n\t b  <b> c </b>d </body>", "a b c d"},
        {"blocks and br end lines", "<body><div>a</div><div><p>b</p></div>c<br>d<br><br>e</body>",
         "a\nb\nc\nd\n\ne"},
        {"cells separated by a tab, rows end lines",
         "<table><tr><th>期号</th><th> 号码 </th></tr>\n<tr><td>1</td>\n<td>2</td><td></td>"
         "<td>3</td></tr></table>",
         "期号\t号码\n1\t2\t\t3"},
        {"a row stays one line, a table in a cell has lines of its own",
         "<table><tr><td><div>2017092901</div></td><td><p>04</p>10<br>11 <div>03</div></td>"
         "<td><table><tr><td>a</td></tr><tr><td>b</td></tr></table></td></tr></table>",
         "2017092901\t04 10 11 03\na\nb"},
        {"inline elements join, digits of two stay apart",
         "<p><span>17092901</span><em>03 11</em><b>开</b>奖 <i>04</i><i>05</i></p>",
         "17092901 03 11开奖 04 05"},
        {"pre keeps its white space", "<pre>a  b\n c</pre>", "a  b\n c"},
        {"entities", "<p>a&nbsp;b&amp;c</p>",
         "a\xC2\xA0"
         "b&c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pageText(c.html, "UTF-8"), c.text);
    }
}

TEST(PageText, DecodesGbkAndReplacesInvalidBytes) {
    EXPECT_EQ(pageText(yilou::testing::toGbk("<p>最新开奖，第1期</p>"), "GB18030"),
              "最新开奖，第1期");
    EXPECT_EQ(pageText("<p>a\xFF"
                       "b</p>",
                       "UTF-8"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(PageText, DeeplyNestedTagSoupKeepsItsEnd) {
    std::string html = "<body>";
    for (int i = 0; i < 5000; ++i)
        html += "<font><div>";
    html += "1709290103 11 07 01 09</body>";
    EXPECT_EQ(pageText(html, "UTF-8"), "1709290103 11 07 01 09");
}

} // namespace
} // namespace yilou::history
