// The window's shell: the panel in the grid's place on an empty history, with its three ways to
// draws, and the about box.
#include "app/history/history_grid.h"
#include "dialog_script.h"
#include "store/history_db.h"
#include "support/offscreen_application.h"
#include "version.h"
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace yilou::testing {
namespace {

std::size_t storedCount(const std::filesystem::path& folder) {
    history::HistoryDb db(folder / history::kDatabaseFileName);
    return db.drawCount();
}

QStringList sampleNames(const WindowFixture& fixture) {
    QStringList names;
    for (const QAction* action : fixture.find<QMenu>(QStringLiteral("mnuSamples"))->actions())
        names << action->text();
    return names;
}

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void anEmptyHistoryShowsTheThreeWaysToDraws() {
        WindowFixture fixture;
        fixture.open();
        auto* panel = fixture.find<QWidget>(QStringLiteral("firstStart"));
        QVERIFY(panel->isVisible());
        QVERIFY(!fixture.window().MSFlexGrid1()->isVisible());
        QCOMPARE(sampleNames(fixture),
                 (QStringList{QStringLiteral("广东11选5"), QStringLiteral("江西11选5"),
                              QStringLiteral("山东11选5")}));
        // The first two are the import and the address setting, as the window has them.
        DialogScript dialogs;
        dialogs.cancel().cancel();
        fixture.find<QPushButton>(QStringLiteral("cmdFirstImport"))->click();
        fixture.find<QPushButton>(QStringLiteral("cmdFirstUpdateUrl"))->click();
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[0].startsWith(QStringLiteral("读入历史|")),
                 qPrintable(dialogs.seenText()));
        QVERIFY2(dialogs.seen()[1].startsWith(QStringLiteral("历史号码更新地址|")),
                 qPrintable(dialogs.seenText()));
    }

    void aSampleIsStoredUnderItsGame() {
        WindowFixture fixture;
        fixture.open();
        fixture.trigger(QStringLiteral("mnu11S5(14)")); // 山东11选5
        DialogScript dialogs;
        dialogs.ok();
        fixture.trigger(QStringLiteral("mnuSample(0)"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[0].contains(QStringLiteral("读入 3823 期")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(storedCount(fixture.folder()), 3823u);
        QCOMPARE(fixture.window().choices().gsZl, 0);
        QCOMPARE(fixture.window().windowTitle(), QStringLiteral("广东11选5"));
        QVERIFY(fixture.window().MSFlexGrid1()->isVisible());
        QVERIFY(!fixture.find<QWidget>(QStringLiteral("firstStart"))->isVisible());
    }

    // The history menu offers the samples too: over stored draws it asks first.
    void aSampleOverStoredDrawsIsAskedAbout() {
        WindowFixture fixture;
        fixture.storeDraws(5);
        fixture.open();
        DialogScript dialogs;
        dialogs.cancel();
        fixture.trigger(QStringLiteral("mnuSample(0)"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[0].contains(QStringLiteral("替换现有的 5 期")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(storedCount(fixture.folder()), 5u);
        QCOMPARE(fixture.window().choices().gsZl, 0);
    }

    void theAboutBoxNamesTheVersion() {
        WindowFixture fixture;
        fixture.open();
        DialogScript dialogs;
        dialogs.ok();
        fixture.trigger(QStringLiteral("mnuAbout"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[0].contains(QStringLiteral("遗漏统计 ") + QLatin1String(kVersion)),
                 qPrintable(dialogs.seenText()));
    }
};

} // namespace
} // namespace yilou::testing

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::ShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shell_test.moc"
