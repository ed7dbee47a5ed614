#include "cli_test_support.h"
#include "core/file_names.h"
#include "settings/settings_store.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/http_test_server.h"
#include "support/results_page.h"

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

// A history of 40 days that ends before the days looked at is kept whole: the page's draws go
// after it, and the report names the issues between them that are still missing.
TEST(UpdateCommand, KeepsALongHistoryAndSaysWhatIsStillMissing) {
    CliFixture cli;
    yilou::testing::GeneratedHistory forty;
    forty.firstIssue = 17081101;
    forty.draws = 40 * 84; // up to 2017091984
    const auto stored = yilou::testing::generateDraws(forty);
    history::HistoryDb(cli.dataDir() / history::kDatabaseFileName).replaceAll(stored);
    // The page repeats stored draws of the 19th before five new ones of the 23rd.
    yilou::testing::GeneratedHistory fresh;
    fresh.firstIssue = 17092301;
    fresh.draws = 5;
    std::vector<yilou::testing::PageRow> rows;
    for (const auto& draw : {stored[stored.size() - 2], stored.back()})
        rows.push_back(yilou::testing::pageRow(draw.issue, draw.drop[history::Letter::A]));
    for (const auto& draw : yilou::testing::generateDraws(fresh))
        rows.push_back(yilou::testing::pageRow(draw.issue, draw.drop[history::Letter::A]));
    HttpTestServer server([&](const std::string&) {
        HttpResponse response;
        response.body = yilou::testing::resultsPage(rows);
        return response;
    });

    const CliResult result =
        cli.run({"update", "--url", server.url("/{code}?n={n}"), "--today", "2017-09-29"});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "已保存 5 期，最新一期为 2017092305。\n"
                          "2017092001～2017092284 共 252 期不在这次查找的 6 天之内，"
                          "历史号码中仍然缺少。\n");
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/11x5gd?n=588"});
    const history::Snapshot after =
        history::HistoryDb(cli.dataDir() / history::kDatabaseFileName).loadSnapshot();
    ASSERT_EQ(after.size(), stored.size() + 5);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        ASSERT_EQ(after.issues[i], stored[i].issue) << i;
        ASSERT_EQ(after.numbers(i), stored[i].drop[history::Letter::A]) << i;
    }
    EXPECT_EQ(after.issues[stored.size()], 17092301);
    for (const auto& entry : std::filesystem::directory_iterator(cli.dataDir()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(history::kReplacedHistoryPrefix))
            << entry.path();
}

} // namespace
} // namespace yilou::cli::testing
