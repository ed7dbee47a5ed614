#include "app/history/history_grid.h"
#include "app/shell/main_menus.h"
#include "dialog_script.h"
#include "settings/settings_store.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/http_test_server.h"
#include "support/results_page.h"
#include "window_fixture.h"
#include "window_tests.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace yilou::testing {
namespace {

using namespace std::chrono_literals;

std::size_t storedCount(const std::filesystem::path& folder) {
    history::HistoryDb db(folder / history::kDatabaseFileName);
    return db.drawCount();
}

/// Fifty draws of yesterday from its first draw on: new to any history the tests start with,
/// and more than the history grid shows without scrolling.
std::vector<history::DrawRecord> yesterdaysDraws() {
    GeneratedHistory settings;
    settings.draws = 50;
    settings.firstIssue = history::makeIssue(history::addDays(WindowFixture::kToday, -1), 1);
    return generateDraws(settings);
}

HttpResponse pageOf(const std::vector<history::DrawRecord>& draws) {
    std::vector<PageRow> rows;
    for (const auto& draw : draws)
        rows.push_back(pageRow(draw.issue, draw.drop[history::Letter::A]));
    HttpResponse response;
    response.headers = {{"Content-Type", "text/html; charset=utf-8"}};
    response.body = resultsPage(rows);
    return response;
}

void setUpdateUrl(const std::string& urlTemplate) {
    settings::SettingsStore settings;
    settings.setUpdateUrl(urlTemplate);
    settings.sync();
}

class OnlineUpdateTest : public QObject {
    Q_OBJECT
private slots:
    void withoutAnAddressItAsksThenStoresThePage() {
        const auto draws = yesterdaysDraws();
        HttpTestServer server([&](const std::string&) { return pageOf(draws); });
        WindowFixture fixture;
        fixture.open();
        const std::string urlTemplate = server.url("/{code}?n={n}");
        DialogScript dialogs;
        dialogs.ok().enter(QString::fromStdString(urlTemplate)).ok();
        fixture.find<QPushButton>(QStringLiteral("Command21"))->click();

        QCOMPARE(dialogs.pending(), 0);
        QVERIFY(dialogs.seen()[0].startsWith(QStringLiteral("读入历史|确实要在线更新")));
        QVERIFY(dialogs.seen()[1].startsWith(QStringLiteral("历史号码更新地址|")));
        QVERIFY(dialogs.seen()[1].contains(QStringLiteral("{code}")));
        const QString newest = QString::fromStdString(history::issueText(draws.back().issue));
        QVERIFY2(dialogs.seen()[2].contains(QStringLiteral("已保存 50 期，最新一期为 ") + newest),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(settings::SettingsStore().UpdateUrl(), urlTemplate);
        QCOMPARE(storedCount(fixture.folder()), 50u);
        QCOMPARE(fixture.window().MSFlexGrid1()->rows(), 51);
        QVERIFY(fixture.window().MSFlexGrid1()->topRow() > 1); // scrolled to the newest
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text3(1)"))->text(), newest);
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text4"))->text(), newest);
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text1"))->text(),
                 QString::fromStdString(history::issueText(draws.back().issue + 1)));
    }

    void anOldHistoryIsUpdatedWithoutAQuestionOfReplacing() {
        const auto draws = yesterdaysDraws();
        HttpTestServer server([&](const std::string&) { return pageOf(draws); });
        WindowFixture fixture;
        fixture.storeDraws(5); // August 2017: older than the days looked at
        setUpdateUrl(server.url("/{code}?n={n}"));
        fixture.open();
        DialogScript dialogs;
        dialogs.ok().ok();
        fixture.find<QPushButton>(QStringLiteral("Command21"))->click();

        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(!dialogs.seen()[0].contains(QStringLiteral("替换")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(storedCount(fixture.folder()), 55u);
        QCOMPARE(fixture.window().snapshot().size(), 55u);
    }

    void failedFetchIsShownAndChangesNothing() {
        HttpTestServer server([](const std::string&) {
            HttpResponse response;
            response.status = 404;
            response.body = "not found";
            return response;
        });
        WindowFixture fixture;
        fixture.storeDraws(5);
        setUpdateUrl(server.url("/{code}?n={n}"));
        fixture.open();
        DialogScript dialogs;
        dialogs.ok().ok();
        fixture.find<QPushButton>(QStringLiteral("Command21"))->click();

        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[1].contains(QStringLiteral("HTTP 404")),
                 qPrintable(dialogs.seenText()));
        QVERIFY(dialogs.seen()[1].contains(QStringLiteral("历史号码未改变")));
        QCOMPARE(storedCount(fixture.folder()), 5u);
        QCOMPARE(fixture.window().snapshot().size(), 5u);
        QVERIFY(fixture.find<QPushButton>(QStringLiteral("Command21"))->isEnabled());
    }

    void cancelWhileWaitingKeepsTheHistory() {
        // The server answers only when it stops: the update is running until it is cancelled.
        HttpTestServer server([](const std::string&) {
            HttpResponse response;
            response.delay = 10min;
            return response;
        });
        WindowFixture fixture;
        fixture.storeDraws(5);
        setUpdateUrl(server.url("/{code}?n={n}"));
        fixture.open();
        auto* Command21 = fixture.find<QPushButton>(QStringLiteral("Command21"));
        auto* cmdRdLst = fixture.find<QPushButton>(QStringLiteral("cmdRdLst"));
        auto* menus = fixture.window().menus();

        // While the progress dialog is up: what the user could start, then its Cancel button.
        QStringList enabledWhileRunning;
        QTimer watch;
        watch.setInterval(5);
        connect(&watch, &QTimer::timeout, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (!progress || !progress->isVisible())
                return;
            watch.stop();
            if (Command21->isEnabled())
                enabledWhileRunning << QStringLiteral("Command21");
            if (cmdRdLst->isEnabled())
                enabledWhileRunning << QStringLiteral("cmdRdLst");
            if (menus->mnuLsgl->isEnabled())
                enabledWhileRunning << QStringLiteral("mnuLsgl");
            progress->findChild<QPushButton*>()->click();
        });
        watch.start();
        DialogScript dialogs;
        dialogs.ok().ok();
        Command21->click();

        QCOMPARE(dialogs.pending(), 0);
        QCOMPARE(enabledWhileRunning, QStringList());
        QVERIFY2(dialogs.seen()[1].contains(QStringLiteral("已取消在线更新")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(storedCount(fixture.folder()), 5u);
        QCOMPARE(fixture.window().snapshot().size(), 5u);
        QVERIFY(Command21->isEnabled());
        QVERIFY(menus->mnuLsgl->isEnabled());
    }

    void menuEntryEditsTheAddress() {
        WindowFixture fixture;
        fixture.open();
        const QString urlTemplate = QStringLiteral("http://{code}.example.org/?n={n}");
        DialogScript set;
        set.enter(QStringLiteral("  ") + urlTemplate);
        fixture.trigger(QStringLiteral("mnuUpdateUrl"));
        QCOMPARE(set.pending(), 0);
        QCOMPARE(settings::SettingsStore().UpdateUrl(), urlTemplate.toStdString());

        // The box holds the address in force: accepted as it stands, it stays.
        DialogScript keep;
        keep.ok();
        fixture.trigger(QStringLiteral("mnuUpdateUrl"));
        QCOMPARE(settings::SettingsStore().UpdateUrl(), urlTemplate.toStdString());

        DialogScript cancel;
        cancel.cancel();
        fixture.trigger(QStringLiteral("mnuUpdateUrl"));
        QCOMPARE(settings::SettingsStore().UpdateUrl(), urlTemplate.toStdString());

        DialogScript clear;
        clear.enter(QString());
        fixture.trigger(QStringLiteral("mnuUpdateUrl"));
        QCOMPARE(clear.pending(), 0);
        QCOMPARE(settings::SettingsStore().UpdateUrl(), std::string());
    }
};

YILOU_WINDOW_TEST(OnlineUpdateTest);

} // namespace
} // namespace yilou::testing

#include "online_update_test.moc"
