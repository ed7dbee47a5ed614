#include "support/results_page.h"

#include <algorithm>
#include <iconv.h>
#include <stdexcept>

namespace yilou::testing {

PageRow pageRow(history::Issue issue, const history::PositionValues& numbers,
                bool threeDigitOrdinals) {
    PageRow row;
    row.issue = std::to_string(issue);
    if (threeDigitOrdinals)
        row.issue.insert(6, "0");
    for (int n : numbers)
        row.numbers.push_back(history::twoDigitText(n));
    return row;
}

std::string resultsPage(const std::vector<PageRow>& rows, const PageStyle& style) {
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n";
    if (!style.charset.empty())
        page += "<meta charset=\"" + style.charset + "\">\n";
    page += "<title>开奖结果</title>\n<style>td.qh { color: red; } /* 17092901 */</style>\n";
    std::string newest;
    for (const PageRow& row : rows)
        newest = std::max(newest, row.issue);
    page += "<script>var latest = \"" + newest + "01 02 03 04 05\";</script>\n</head>\n<body>\n";
    page += "<div class=\"nav\"><a href=\"/\">首页</a> | <a href=\"/trend\">走势图</a></div>\n";
    page += "<h1>最新开奖：第" + newest + "期</h1>\n";
    page += "<table class=\"kj\">\n<tr><th>期号 开奖号码</th><th>说明</th></tr>\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const PageRow& row = rows[r];
        page += "<tr class=\"" + std::string(r % 2 ? "odd" : "even") + "\">\n  <td class=\"qh\">" +
                "<span>" + row.issue + "</span><em>";
        for (std::size_t i = 0; i < row.numbers.size(); ++i)
            page += (i > 0 ? style.separator : std::string()) + row.numbers[i];
        page += "</em></td>\n";
        for (int c = 0; c < style.fillerCells; ++c)
            page +=
                "  <td class=\"f" + std::to_string(c) +
                "\" style=\"text-align:center;padding:2px 4px\"><a href=\"/detail?q=" + row.issue +
                "\" title=\"详情\">第" + std::to_string(c) + "栏</a></td>\n";
        page += "</tr>\n";
    }
    page += "</table>\n<p>数据仅供参考</p>\n</body>\n</html>\n";
    return page;
}

std::string toGbk(const std::string& utf8) {
    const iconv_t cd = iconv_open("GBK", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &to, &toLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        throw std::runtime_error("toGbk: not convertible");
    out.resize(out.size() - toLeft);
    return out;
}

} // namespace yilou::testing
