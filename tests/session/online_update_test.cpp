#include "core/file_names.h"
#include "session/online_update.h"
#include "store/file_markers.h"
#include "store/snapshot_cache.h"
#include "store/text_import.h"
#include "support/history_generator.h"
#include "support/http_test_server.h"
#include "support/results_page.h"
#include "support/special_files.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace yilou::session {
namespace {

using namespace history;

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using yilou::testing::HttpResponse;
using yilou::testing::HttpTestServer;
using yilou::testing::PageRow;
using yilou::testing::PageStyle;

using Draws = std::vector<std::pair<Issue, PositionValues>>;

const std::filesystem::path kRealHistory =
    std::filesystem::path(YILOU_SAMPLE_DATA_DIR) / "gd11x5-2014102884-2015021510.txt";

/// `count` random draws on consecutive issues from `first` (84 a day).
std::vector<DrawRecord> drawsFrom(Issue first, std::size_t count, int highestNumber = 11) {
    yilou::testing::GeneratedHistory settings;
    settings.firstIssue = first;
    settings.draws = count;
    settings.seed = static_cast<std::uint64_t>(first);
    settings.highestNumber = highestNumber;
    return yilou::testing::generateDraws(settings);
}

std::vector<DrawRecord> joined(std::vector<DrawRecord> a, const std::vector<DrawRecord>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Draws drawsOf(const std::vector<DrawRecord>& records) {
    Draws out;
    for (const DrawRecord& record : records)
        out.emplace_back(record.issue, record.drop[Letter::A]);
    return out;
}

std::vector<PageRow> rowsOf(const std::vector<DrawRecord>& records, bool threeDigits = false) {
    std::vector<PageRow> rows;
    for (const DrawRecord& record : records)
        rows.push_back(yilou::testing::pageRow(record.issue, record.drop[Letter::A], threeDigits));
    return rows;
}

HttpResponse htmlPage(std::string body, std::string contentType = "text/html; charset=utf-8") {
    HttpResponse response;
    response.headers = {{"Content-Type", std::move(contentType)}};
    response.body = std::move(body);
    return response;
}

class OnlineUpdate : public ::testing::Test {
protected:
    UpdateRequest request(const std::string& urlTemplate, int game = 0) const {
        UpdateRequest r;
        r.urlTemplate = urlTemplate;
        r.today = {2017, 9, 29};
        r.keepDays = 6;
        r.game = gameAt(game);
        r.limits.connectTimeout = 1s;
        r.limits.transferTimeout = 1s;
        return r;
    }

    Draws history() {
        const Snapshot snapshot = db.loadSnapshot();
        Draws out;
        for (std::size_t i = 0; i < snapshot.size(); ++i)
            out.emplace_back(snapshot.issues[i], snapshot.numbers(i));
        return out;
    }

    /// The message of the UserError that `request` ends with.
    std::string failure(const UpdateRequest& request, const FetchControl& control = {}) {
        try {
            updateHistoryOnline(db, request, control);
        } catch (const UserError& error) {
            return error.what();
        }
        return "no error";
    }

    yilou::testing::TempDir dir;
    HistoryDb db{dir / kDatabaseFileName};
};

TEST_F(OnlineUpdate, WorkedExampleFromPagesOfEveryKind) {
    // The kept days stored up to 17092880 on 2017-09-29: 17092881..84 and 17092901..84 are
    // wanted.
    const auto stored = drawsFrom(17092301, 500);
    const auto wanted = joined(drawsFrom(17092881, 4), drawsFrom(17092901, 84));
    const auto page = joined(drawsFrom(17092870, 11), wanted);
    std::vector<DrawRecord> descending(page.rbegin(), page.rend());
    PageStyle gbk;
    gbk.charset = "gbk";
    gbk.separator = "，";

    const struct {
        const char* name;
        HttpResponse response;
    } cases[] = {
        {"ascending", htmlPage(yilou::testing::resultsPage(rowsOf(page)))},
        {"descending", htmlPage(yilou::testing::resultsPage(rowsOf(descending)))},
        {"GBK named by the meta tag",
         htmlPage(yilou::testing::toGbk(yilou::testing::resultsPage(rowsOf(page), gbk)),
                  "text/html")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        db.replaceAll(stored);
        HttpTestServer server([&](const std::string&) { return c.response; });

        const UpdateReport report = updateHistoryOnline(db, request(server.url("/{code}/?n={n}")));

        EXPECT_THAT(server.requests(), ElementsAre("/11x5gd/?n=168"));
        EXPECT_EQ(report.summary(), "已保存 88 期，最新一期为 2017092984。");
        EXPECT_EQ(history(), drawsOf(joined(stored, wanted)));
        Statement idx(db.sql(),
                      "SELECT MIN([IDX]), MAX([IDX]), COUNT(DISTINCT [IDX]) FROM [Lishi]");
        idx.step();
        EXPECT_EQ(idx.integer(0), 1);
        EXPECT_EQ(idx.integer(1), 588);
        EXPECT_EQ(idx.integer(2), 588);
    }
}

// Nothing stored is ever deleted: the draws of the days looked at that are not stored go beside
// the history, however old it is, and the issues between it and those days are named as missing.
TEST_F(OnlineUpdate, TheHistoryIsKeptWholeAndWhatIsStillMissingNamed) {
    // A real history of 3,823 draws up to 2015021510, then pages of the days after it.
    const struct {
        const char* name;
        std::vector<DrawRecord> stored;
        CalendarDate today;
        std::vector<DrawRecord> page;
        std::size_t added;
        std::string missing;
    } cases[] = {
        {"oldest draw 7 days old",
         drawsFrom(17092201, 10),
         {2017, 9, 29},
         drawsFrom(17092301, 12),
         12,
         "\n2017092211～2017092284 共 74 期不在这次查找的 6 天之内，历史号码中仍然缺少。"},
        {"oldest draw 6 days old",
         drawsFrom(17092301, 10),
         {2017, 9, 29},
         drawsFrom(17092301, 12),
         2,
         ""},
        {"a real history months old",
         {},
         {2015, 2, 25},
         joined(drawsFrom(15021511, 3), drawsFrom(15021901, 2)),
         2,
         "\n2015021511～2015021884 共 326 期不在这次查找的 6 天之内，历史号码中仍然缺少。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.stored.empty())
            importHistoryFile(db, kRealHistory, gameAt(0), AttributeRules{});
        else
            db.replaceAll(c.stored);
        const Draws before = history();
        HttpTestServer server([&](const std::string&) {
            return htmlPage(yilou::testing::resultsPage(rowsOf(c.page)));
        });
        UpdateRequest r = request(server.url("/?n={n}"));
        r.today = c.today;

        const UpdateReport report = updateHistoryOnline(db, r);

        Draws expected = before;
        for (const DrawRecord& draw : c.page)
            if (draw.issue > before.back().first &&
                daysBetween(issueDate(draw.issue), c.today) <= 6)
                expected.emplace_back(draw.issue, draw.drop[Letter::A]);
        EXPECT_EQ(history(), expected);
        EXPECT_EQ(report.stored, c.added);
        EXPECT_EQ(report.summary(), "已保存 " + std::to_string(c.added) + " 期，最新一期为 " +
                                        issueText(expected.back().first) + "。" + c.missing);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_FALSE(entry.path().filename().string().starts_with(kReplacedHistoryPrefix));
    }
}

TEST_F(OnlineUpdate, ADrawThePageLackedIsFetchedByTheNextUpdate) {
    // The kept days are stored up to 17092880. The first page lacks 17092882 and holds a bad
    // copy of 17092883; the second has them both.
    const auto stored = drawsFrom(17092301, 500);
    db.replaceAll(stored);
    const auto wanted = joined(drawsFrom(17092881, 4), drawsFrom(17092901, 10));
    std::vector<PageRow> first = rowsOf(wanted);
    first[2].numbers[0] = "12";
    first.erase(first.begin() + 1);
    bool complete = false;
    HttpTestServer server([&](const std::string&) {
        return htmlPage(yilou::testing::resultsPage(complete ? rowsOf(wanted) : first));
    });

    const UpdateReport report = updateHistoryOnline(db, request(server.url("/?n={n}")));
    EXPECT_EQ(report.stored, 12u);
    EXPECT_EQ(report.notFound, 1u);
    EXPECT_THAT(report.summary(), HasSubstr("\n页面上缺少 1 期（早于找到的最新一期 "
                                            "2017092910），下次更新时会再找。\n跳过 1 期：\n期号 "
                                            "2017092883：号码 12 超出范围 01～11"));

    complete = true;
    const UpdateReport again = updateHistoryOnline(db, request(server.url("/?n={n}")));
    // The request reaches back to the day of 17092882 as if it were the newest draw.
    EXPECT_THAT(server.requests(), ElementsAre("/?n=168", "/?n=168"));
    EXPECT_EQ(again.stored, 2u);
    EXPECT_EQ(again.summary(), "已保存 2 期，最新一期为 2017092910。");
    EXPECT_EQ(history(), drawsOf(joined(stored, wanted)));
}

// `yilou-cli update` loads nothing: the draws it appends still go onto the end of the cache.
TEST_F(OnlineUpdate, AppendedDrawsGoOntoTheSnapshotCacheWithoutALoad) {
    const auto stored = drawsFrom(17092301, 500);
    db.replaceAll(stored);
    HistoryDb(db.path()).loadSnapshot();
    const auto wanted = drawsFrom(17092881, 14);
    HttpTestServer server(
        [&](const std::string&) { return htmlPage(yilou::testing::resultsPage(rowsOf(wanted))); });
    {
        HistoryDb updating(db.path());
        EXPECT_EQ(updateHistoryOnline(updating, request(server.url("/?n={n}"))).stored, 14u);
    }
    const auto cached = readSnapshotCache(db.path(), readFileMarkers(db));
    ASSERT_TRUE(cached.has_value());
    Draws draws;
    for (std::size_t i = 0; i < cached->size(); ++i)
        draws.emplace_back(cached->issues[i], cached->numbers(i));
    EXPECT_EQ(draws, drawsOf(joined(stored, wanted)));
}

TEST_F(OnlineUpdate, CopiesOfOneIssueThatDisagree) {
    // The real draw 2015021511 after a bad copy of it; two valid copies of 2015021512 that
    // differ.
    const std::string page = "<pre>201502151112 02 03 04 05\n201502151104 10 11 03 02\n"
                             "201502151201 02 03 04 05\n201502151206 07 08 09 10\n"
                             "201502151301 02 03 04 05\n</pre>";
    HttpTestServer server([&](const std::string&) { return htmlPage(page); });
    UpdateRequest r = request(server.url("/"));
    r.today = {2015, 2, 15};

    const UpdateReport report = updateHistoryOnline(db, r);

    EXPECT_EQ(history(), (Draws{{15021511, {4, 10, 11, 3, 2}}, {15021513, {1, 2, 3, 4, 5}}}));
    EXPECT_THAT(report.summary(), HasSubstr("跳过 1 期：\n期号 2015021512 在页面上有 2 "
                                            "个不同的开奖号码（01 02 03 04 05、06 07 08 09 10），"
                                            "都未保存"));
}

TEST_F(OnlineUpdate, PagesOfOtherLayoutsAndJson) {
    const auto wanted = drawsFrom(17092901, 3);
    std::string table = "<table><tr><th>期号</th><th>开奖号码</th></tr>";
    std::string lines = "<div>";
    std::string json = R"({"code":0,"data":[)";
    for (const DrawRecord& draw : wanted) {
        const PositionValues& numbers = draw.drop[Letter::A];
        table += "<tr><td><div>" + issueText(draw.issue) + "</div></td><td>";
        lines += "<p>第 " + issueText(draw.issue) + " 期：";
        json += std::string(draw.issue == wanted.front().issue ? "" : ",") + R"({"expect":")" +
                issueText(draw.issue) + R"(","opencode":[)";
        for (int i = 0; i < 5; ++i) {
            table += "<span class=\"ball\">" + twoDigitText(numbers[i]) + "</span>";
            lines += (i > 0 ? "," : "") + std::to_string(numbers[i]);
            json += (i > 0 ? "," : "") + std::to_string(numbers[i]);
        }
        table += "</td></tr>";
        lines += "</p>";
        json += R"(],"opentime":"2017-09-29 09:10:00"})";
    }
    table += "</table>";
    lines += "</div>";
    json += "]}";
    const struct {
        const char* name;
        HttpResponse response;
    } cases[] = {
        {"a cell of numbers in spans", htmlPage(table)},
        {"ten-digit issues, a blank and one-digit numbers", htmlPage(lines)},
        {"JSON", htmlPage(json, "application/json")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        db.clear();
        HttpTestServer server([&](const std::string&) { return c.response; });
        EXPECT_EQ(updateHistoryOnline(db, request(server.url("/"))).stored, 3u);
        EXPECT_EQ(history(), drawsOf(wanted));
    }
}

TEST_F(OnlineUpdate, Happy12DrawsAreStoredWithEightDigitIssues) {
    db.replaceAll(drawsFrom(17092801, 5, 12));
    const auto page = drawsFrom(17092901, 3, 12);
    HttpTestServer server([&](const std::string&) {
        return htmlPage(yilou::testing::resultsPage(rowsOf(page, true)));
    });

    const UpdateReport report = updateHistoryOnline(db, request(server.url("/{code}?n={n}"), 27));

    EXPECT_THAT(server.requests(), ElementsAre("/kl12sc?n=546"));
    EXPECT_EQ(report.newest, 17092903);
    EXPECT_EQ(history(), drawsOf(joined(drawsFrom(17092801, 5, 12), page)));
}

TEST_F(OnlineUpdate, DrawsThatFailTheChecksAreCountedNeverStored) {
    std::vector<PageRow> rows = rowsOf(drawsFrom(17092901, 4));
    rows[1].numbers[2] = "12";               // out of range
    rows[2].numbers[0] = rows[2].numbers[1]; // repeated
    rows[3].numbers[4] = "117";              // not a number of one or two digits
    HttpTestServer server(
        [&](const std::string&) { return htmlPage(yilou::testing::resultsPage(rows)); });

    const UpdateReport report = updateHistoryOnline(db, request(server.url("/")));

    EXPECT_EQ(report.stored, 1u);
    EXPECT_EQ(history(), drawsOf(drawsFrom(17092901, 1)));
    EXPECT_THAT(report.summary(), HasSubstr("已保存 1 期，最新一期为 2017092901。\n"));
    EXPECT_THAT(report.summary(),
                HasSubstr("\n跳过 3 期：\n期号 2017092902：号码 12 超出范围 01～11\n"));
}

TEST_F(OnlineUpdate, ASavedPageServesToo) {
    yilou::testing::writeFile(dir / "saved.html",
                              yilou::testing::resultsPage(rowsOf(drawsFrom(17092901, 2))));
    updateHistoryOnline(db, request("file://" + (dir / "saved.html").string()));
    EXPECT_EQ(history(), drawsOf(drawsFrom(17092901, 2)));
}

TEST_F(OnlineUpdate, FailuresLeaveTheHistoryAsItWas) {
    db.replaceAll(drawsFrom(17092201, 20));
    const Draws before = history();
    const std::string tooLarge(100 * 1024, 'x');
    // A file: address is held to the limits of http, and to regular files: a pipe without a
    // writer would never open.
    yilou::testing::writeFile(dir / "large.html", tooLarge);
    ASSERT_TRUE(
        yilou::testing::makeSpecialFile(dir / "pipe.html", yilou::testing::SpecialFile::Fifo));
    HttpTestServer server([&](const std::string& target) {
        HttpResponse response =
            htmlPage(yilou::testing::resultsPage(rowsOf(drawsFrom(17092901, 3))));
        if (target == "/missing")
            response.status = 404;
        if (target == "/slow")
            response.delay = 3s;
        if (target.starts_with("/large"))
            response.body = tooLarge;
        response.announceLength = target != "/large-unannounced";
        if (target == "/loop")
            response = {302, {{"Location", "/loop"}}, "", 0ms};
        if (target == "/to-file")
            response = {302, {{"Location", "file:///etc/passwd"}}, "", 0ms};
        if (target == "/old")
            response.body = yilou::testing::resultsPage(rowsOf(drawsFrom(17092201, 20)));
        if (target == "/bad")
            response.body = "<p>1709290101 01 02 03 04</p>";
        return response;
    });
    const struct {
        const char* name;
        std::string urlTemplate;
        std::string message;
    } cases[] = {
        {"HTTP 404", server.url("/missing"), "服务器返回错误 HTTP 404"},
        {"too slow", server.url("/slow"), "服务器没有及时响应"},
        {"over the size cap", server.url("/large"), "页面超过 64 KB 的上限"},
        {"over the size cap, no length announced", server.url("/large-unannounced"),
         "页面超过 64 KB 的上限"},
        {"redirect loop", server.url("/loop"), "页面重定向超过 5 次"},
        {"redirect to a file", server.url("/to-file"),
         "页面被重定向到 file:///etc/passwd，为安全起见，重定向只能转到 http 或 https 地址"},
        {"connection refused", HttpTestServer::refusedUrl(), "无法连接到服务器"},
        {"missing file", "file://" + (dir / "none.html").string(), "文件或文件夹不存在"},
        {"a pipe", "file://" + (dir / "pipe.html").string(), "不是普通文件"},
        {"a folder", "file://" + dir.path().string(), "不是普通文件"},
        {"a file over the size cap", "file://" + (dir / "large.html").string(),
         "页面超过 64 KB 的上限"},
        {"none of the wanted draws", server.url("/old"),
         "中没有可保存的新开奖号码（要找的期号为 "
         "2017092301～2017092984）"},
        {"only draws that fail the checks", server.url("/bad"), "号码 01 重复出现"},
        {"no address", "", "没有设置历史号码更新地址"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateRequest r = request(c.urlTemplate);
        r.limits.maxBytes = 64 * 1024;
        r.limits.transferTimeout = 300ms;
        const std::string message = failure(r);
        EXPECT_THAT(message, HasSubstr(c.message));
        if (!c.urlTemplate.empty()) {
            EXPECT_THAT(message, HasSubstr(c.urlTemplate));
            EXPECT_THAT(message, HasSubstr("历史号码未改变"));
        }
        EXPECT_EQ(history(), before);
    }
}

TEST_F(OnlineUpdate, ACancelInTheMiddleLeavesTheHistoryAsItWas) {
    db.replaceAll(drawsFrom(17092201, 20));
    const Draws before = history();
    HttpTestServer server([&](const std::string&) {
        HttpResponse response =
            htmlPage(yilou::testing::resultsPage(rowsOf(drawsFrom(17092301, 500))));
        response.pieceBytes = 1024;
        response.pause = 100ms;
        return response;
    });
    std::atomic<bool> cancel = false;
    std::int64_t receivedAtCancel = 0;
    FetchControl control;
    control.cancel = &cancel;
    control.progress = [&](const FetchProgress& progress) {
        if (progress.received > 0 && !cancel) {
            receivedAtCancel = progress.received;
            cancel = true;
        }
    };
    UpdateRequest r = request(server.url("/"));
    r.limits.transferTimeout = 30s;

    EXPECT_THROW(updateHistoryOnline(db, r, control), Cancelled);
    EXPECT_GT(receivedAtCancel, 0);
    EXPECT_EQ(history(), before);
}

} // namespace
} // namespace yilou::session
