#include "cli_test_support.h"
#include "settings/settings_store.h"
#include "support/http_test_server.h"
#include "support/results_page.h"
#include "support/text_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace yilou::cli::testing {
namespace {

using ::testing::HasSubstr;
using yilou::testing::HttpResponse;
using yilou::testing::HttpTestServer;

/// Serves a page with draws 17092901..03 at every address but /missing.
HttpResponse resultsPage(const std::string& target) {
    HttpResponse response;
    if (target == "/missing") {
        response.status = 404;
        return response;
    }
    response.body = yilou::testing::resultsPage({
        yilou::testing::pageRow(17092901, {1, 2, 3, 4, 5}),
        yilou::testing::pageRow(17092902, {11, 10, 9, 8, 7}),
        yilou::testing::pageRow(17092903, {6, 5, 4, 3, 2}),
    });
    return response;
}

const std::string kHistoryAfterUpdate = "期号,落1码,落2码,落3码,落4码,落5码\n"
                                        "2017092880,3,11,7,1,9\n2017092901,1,2,3,4,5\n"
                                        "2017092902,11,10,9,8,7\n2017092903,6,5,4,3,2\n";

TEST(UpdateCommand, StoresTheNewDrawsWithTheGivenTemplateWithoutSavingIt) {
    CliFixture cli;
    HttpTestServer server(resultsPage);
    ASSERT_EQ(cli.run({"add", "2017092880", "03", "11", "07", "01", "09"}).status, 0);

    const CliResult result =
        cli.run({"update", "--url", server.url("/{code}?n={n}"), "--today", "2017-09-29"});

    EXPECT_EQ(result.status, 0) << result.err;
    // The days before, kept but not stored, were looked for too.
    EXPECT_EQ(result.out, "已保存 3 期，最新一期为 2017092903。\n页面上缺少 503 "
                          "期（早于找到的最新一期 2017092903），下次更新时会再找。\n");
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/11x5gd?n=588"});
    EXPECT_EQ(cli.run({"history", "--format", "csv"}).out, kHistoryAfterUpdate);
    EXPECT_EQ(settings::SettingsStore().UpdateUrl(), "");
}

TEST(UpdateCommand, UsesTheSavedTemplate) {
    CliFixture cli;
    HttpTestServer server(resultsPage);
    ASSERT_EQ(cli.run({"add", "2017092880", "03", "11", "07", "01", "09"}).status, 0);
    settings::SettingsStore settings;
    settings.setUpdateUrl(server.url("/saved/{code}/{n}"));
    settings.sync();

    EXPECT_EQ(cli.run({"update", "--today", "2017-09-29"}).status, 0);
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/saved/11x5gd/588"});
    EXPECT_EQ(cli.run({"history", "--format", "csv"}).out, kHistoryAfterUpdate);
}

TEST(UpdateCommand, RefusalsNameWhatIsWrongAndChangeNothing) {
    CliFixture cli;
    HttpTestServer server(resultsPage);
    ASSERT_EQ(cli.run({"add", "2017092880", "03", "11", "07", "01", "09"}).status, 0);
    const struct {
        std::vector<std::string> args;
        int status; // 2: the command line is wrong
        std::vector<std::string> named;
    } cases[] = {
        {{"update", "--today", "2017-09-29"}, 1, {"--url", "UpdateUrl", "{code}", "{n}"}},
        {{"update", "--url", server.url("/"), "--today", "2017-02-30"}, 2, {"2017-02-30"}},
        {{"update", "--url", server.url("/"), "--today", "29.09.2017"}, 2, {"YYYY-MM-DD"}},
        {{"update", "--url", server.url("/missing"), "--today", "2017-09-29"},
         1,
         {server.url("/missing"), "HTTP 404", "历史号码未改变"}},
        {{"update", "--url", server.url("/"), "--today", "2017-09-27"},
         1,
         {"最新一期 2017092880 晚于更新的日期 2017-09-27", "历史号码未改变"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const CliResult result = cli.run(c.args);
        EXPECT_EQ(result.status, c.status);
        for (const std::string& text : c.named)
            EXPECT_THAT(result.err, HasSubstr(text));
        EXPECT_EQ(cli.run({"history", "--format", "csv"}).out,
                  "期号,落1码,落2码,落3码,落4码,落5码\n2017092880,3,11,7,1,9\n");
    }
}

TEST(UpdateCommand, SavesAHistoryItReplacesAndSaysWhere) {
    CliFixture cli;
    HttpTestServer server(resultsPage);
    ASSERT_EQ(cli.run({"add", "2017081284", "03", "11", "07", "01", "09"}).status, 0);

    const CliResult result = cli.run({"update", "--url", server.url("/"), "--today", "2017-09-29"});

    EXPECT_EQ(result.status, 0) << result.err;
    const std::string prefix =
        "原有历史号码的最早一期已超过 6 天，已全部替换；替换前的 1 期已保存到 ";
    ASSERT_TRUE(result.out.starts_with(prefix)) << result.out;
    const std::filesystem::path copy =
        result.out.substr(prefix.size(), result.out.find("。\n") - prefix.size());
    EXPECT_EQ(copy.parent_path(), cli.dataDir());
    EXPECT_EQ(yilou::testing::readFile(copy), "2017081284 03 11 07 01 09 \r\n");
}

} // namespace
} // namespace yilou::cli::testing
