#include "app/grid/grid_model.h"
#include "app/history/history_grid.h"
#include "app/overview/overview_model.h"
#include "app/overview/overview_page.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"
#include "app/overview/trend_view.h"
#include "app/patterns/pattern_page.h"
#include "app/plays/play_board_model.h"
#include "app/plays/plays_page.h"
#include "dialog_script.h"
#include "store/file_markers.h"
#include "store/history_db.h"
#include "store/maintenance.h"
#include "store/snapshot_cache.h"
#include "support/text_files.h"
#include "window_fixture.h"
#include "window_tests.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

namespace yilou::testing {
namespace {

QLineEdit* box(WindowFixture& fixture, int index) {
    return fixture.find<QLineEdit>(QStringLiteral("MaskEdBox1(%1)").arg(index));
}

/// Types digits as a user would: into whichever box has the focus.
void typeDigits(const QString& digits) {
    for (QChar digit : digits)
        QTest::keyClick(QApplication::focusWidget(), digit.toLatin1());
}

QStringList boxTexts(WindowFixture& fixture) {
    QStringList texts;
    for (int i = 1; i <= 5; ++i)
        texts << box(fixture, i)->text();
    return texts;
}

std::size_t storedCount(const std::filesystem::path& folder) {
    history::HistoryDb db(folder / history::kDatabaseFileName);
    return db.drawCount();
}

/// What the status bar shows: a passing message stands over the status line.
QString shownStatus(WindowFixture& fixture) {
    const auto* bar = fixture.window().statusBar();
    if (!bar->currentMessage().isEmpty())
        return bar->currentMessage();
    QStringList lines;
    for (const auto* label : bar->findChildren<QLabel*>())
        lines << label->text();
    return lines.join(QLatin1Char('\n'));
}

class TypedEntryTest : public QObject {
    Q_OBJECT
private slots:
    // After a typed draw the file is remembered as checked and its snapshot cache is of the
    // new state, so that the next start or command neither checks the file nor reads the rows.
    void typedDrawLeavesTheFileCheckedAndCached() {
        WindowFixture fixture;
        fixture.storeDraws(83);
        fixture.open();
        box(fixture, 1)->setFocus();
        typeDigits(QStringLiteral("0311070109"));
        QCoreApplication::processEvents();
        const auto file = fixture.folder() / history::kDatabaseFileName;
        history::HistoryDb db(file);
        const auto markers = history::readFileMarkers(db);
        QCOMPARE(markers.draws, std::uint64_t{84});
        QCOMPARE(readFile(history::checkedMarkersFile(file)), markers.text());
        const auto cached = history::readSnapshotCache(file, markers);
        QVERIFY(cached);
        QCOMPARE(cached->issues.back(), 17081284);
    }

    void tenDigitsStoreTheDrawUnderTheProposedIssue() {
        WindowFixture fixture;
        fixture.storeDraws(83);
        auto& window = fixture.open();
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("2017081284"));
        box(fixture, 1)->setFocus();
        typeDigits(QStringLiteral("0311070109"));
        QCOMPARE(window.snapshot().size(), 84u);
        QCOMPARE(window.snapshot().issues.back(), 17081284);
        QCOMPARE(window.snapshot().numbers(83), (history::PositionValues{3, 11, 7, 1, 9}));
        QCOMPARE(storedCount(fixture.folder()), 84u);
        QCOMPARE(boxTexts(fixture), QStringList(5, QString()));
        QCOMPARE(QApplication::focusWidget(), box(fixture, 1));
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("2017081301"));
        // The range ends at the new draw, as after every change of the history.
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text3(1)"))->text(),
                 QStringLiteral("2017081284"));
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text4"))->text(),
                 QStringLiteral("2017081284"));
        QCOMPARE(window.MSFlexGrid1()->rows(), 85);
        QCOMPARE(window.MSFlexGrid1()->gridModel()->gridText(84, 0), QStringLiteral("2017081284"));

        // The next draw goes the same way.
        typeDigits(QStringLiteral("0102030405"));
        QCOMPARE(window.snapshot().issues.back(), 17081301);
    }

    // Each page shown before a draw is typed, then after it: the page the user looks at follows
    // at once, the others when shown, all of them over the history with the new draw.
    void typedDrawReachesEveryPage() {
        WindowFixture fixture;
        fixture.storeDraws(83);
        auto& window = fixture.open();
        auto* pages = window.findChild<app::OverviewPages*>();
        auto* plays = window.findChild<app::PlaysPage*>();
        auto* patterns = window.findChild<app::PatternPage*>();
        plays->play()->setCurrentIndex(1); // 任选二
        const QList<QWidget*> shown{pages->overview(), pages->trend(), plays, patterns};
        for (QWidget* page : shown) {
            pages->tabs()->setCurrentWidget(page);
            QCoreApplication::processEvents();
        }
        const auto newest = QStringLiteral("2017081284");
        const auto captions = [&] {
            QStringList texts;
            for (auto* page :
                 {static_cast<app::ViewPage*>(pages->overview()),
                  static_cast<app::ViewPage*>(pages->trend()), static_cast<app::ViewPage*>(plays),
                  static_cast<app::ViewPage*>(patterns)})
                texts << page->caption()->text();
            return texts;
        };
        for (const QString& caption : captions())
            QVERIFY2(!caption.contains(newest), qPrintable(caption));

        box(fixture, 1)->setFocus();
        typeDigits(QStringLiteral("0311070109"));
        QCOMPARE(window.snapshot().issues.back(), 17081284);
        for (QWidget* page : shown) {
            pages->tabs()->setCurrentWidget(page);
            QCoreApplication::processEvents();
        }
        for (const QString& caption : captions())
            QVERIFY2(caption.contains(newest), qPrintable(caption));
        // 03 was drawn last: its current gap is one draw, on the overview and on the board.
        const auto* overview = pages->overview()->model();
        for (int row = 0; row < overview->rowCount(); ++row)
            if (overview->figures(row).value == 3)
                QCOMPARE(overview->figures(row).currentGap, 1);
        QCOMPARE(pages->trend()->view()->chart()->issues.back(), 17081284);
        const auto drawn = [](const analysis::PlayCombination& combination) {
            for (int i = 0; i < combination.size; ++i)
                if (!QList<int>{3, 11, 7, 1, 9}.contains(combination.numbers[i]))
                    return false;
            return true;
        };
        for (const auto& row : plays->model()->view().board.rows)
            if (drawn(row.combination))
                QCOMPARE(row.currentGap, 1);
        // Its sum, 31, likewise on the pattern page.
        const auto* sums = patterns->model();
        for (int row = 0; row < sums->rowCount(); ++row)
            QCOMPARE(sums->figures(row).currentGap == 1, sums->figures(row).value == 31);
    }

    void firstDigitOfTheFifthBoxStoresNothing() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        auto& window = fixture.open();
        box(fixture, 1)->setFocus();
        typeDigits(QStringLiteral("031107010"));
        QCOMPARE(window.snapshot().size(), 3u);
        QCOMPARE(QApplication::focusWidget(), box(fixture, 5));
    }

    void editingAnEarlierBoxStoresNothingUntilTheFifthChanges() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        auto& window = fixture.open();
        box(fixture, 1)->setFocus();
        typeDigits(QStringLiteral("03110701"));
        box(fixture, 5)->setText(QStringLiteral("0")); // half: nothing yet
        box(fixture, 3)->setFocus();
        box(fixture, 3)->clear();
        typeDigits(QStringLiteral("08"));
        QCOMPARE(window.snapshot().size(), 3u);
        box(fixture, 5)->setFocus(); // entered again: typed from its start
        typeDigits(QStringLiteral("09"));
        QCOMPARE(window.snapshot().size(), 4u);
        QCOMPARE(window.snapshot().numbers(3), (history::PositionValues{3, 11, 8, 1, 9}));
    }

    // A refused draw names every problem at once and puts the focus on the first box at fault,
    // its digits selected: the next two digits typed replace them.
    void refusalNamesEveryProblemAndFocusesTheFirst() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        auto& window = fixture.open();
        fixture.find<QLineEdit>(QStringLiteral("Text1"))->setText(QStringLiteral("2017081204"));
        box(fixture, 1)->setFocus();
        DialogScript dialogs;
        dialogs.ok();
        typeDigits(QStringLiteral("0311120309"));
        QCOMPARE(dialogs.pending(), 0);
        for (const char* problem : {"号码 12 超出范围", "号码 03 重复"})
            QVERIFY2(dialogs.seenText().contains(QString::fromUtf8(problem)),
                     qPrintable(dialogs.seenText()));
        QCOMPARE(window.snapshot().size(), 3u);
        QCOMPARE(QApplication::focusWidget(), box(fixture, 3));
        QCOMPARE(box(fixture, 3)->selectedText(), QStringLiteral("12"));
        typeDigits(QStringLiteral("07"));
        QCOMPARE(boxTexts(fixture), (QStringList{"03", "11", "07", "03", "09"}));
    }

    // The label under 下一期 names the issue the draw goes under as the user edits it, and the
    // status bar counts the draws after every change: a typed draw after a deletion too.
    void labelAndStatusFollowTheChanges() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        auto& window = fixture.open();
        fixture.find<QPushButton>(QStringLiteral("Command3"))->click();
        QVERIFY2(shownStatus(fixture).contains(QStringLiteral(" 2 期")),
                 qPrintable(shownStatus(fixture)));
        auto* next = fixture.find<QLineEdit>(QStringLiteral("Text1"));
        next->selectAll();
        QTest::keyClicks(next, QStringLiteral("2017081207"));
        QCOMPARE(fixture.find<QLabel>(QStringLiteral("Label12(1)"))->text(),
                 QStringLiteral("在下面输入 2017081207 期历史号码:"));
        box(fixture, 1)->setFocus();
        typeDigits(QStringLiteral("0311070109"));
        QCOMPARE(window.snapshot().issues.back(), 17081207);
        QVERIFY2(shownStatus(fixture).contains(QStringLiteral("历史号码 3 期 · 最新 2017081207")),
                 qPrintable(shownStatus(fixture)));
    }

    void refusedDrawKeepsWhatWasTyped_data() {
        QTest::addColumn<QString>("issue");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("repeated number")
            << "2017081204" << QStringList{"03", "11", "03", "01", "09"} << "重复";
        QTest::newRow("beyond eleven")
            << "2017081204" << QStringList{"03", "11", "12", "01", "09"} << "超出范围";
        QTest::newRow("half box") << "2017081204" << QStringList{"03", "1", "07", "01", "09"}
                                  << "没有输入完整";
        QTest::newRow("empty box")
            << "2017081204" << QStringList{"03", "", "07", "01", "09"} << "没有输入完整";
        QTest::newRow("issue stored")
            << "2017081202" << QStringList{"03", "11", "07", "01", "09"} << "已经存在";
        QTest::newRow("issue unreadable")
            << "20170812" << QStringList{"03", "11", "07", "01", "09"} << "不是有效的期号";
    }
    void refusedDrawKeepsWhatWasTyped() {
        QFETCH(QString, issue);
        QFETCH(QStringList, boxes);
        QFETCH(QString, reason);
        WindowFixture fixture;
        fixture.storeDraws(3);
        auto& window = fixture.open();
        fixture.find<QLineEdit>(QStringLiteral("Text1"))->setText(issue);
        for (int i = 1; i <= 4; ++i)
            box(fixture, i)->setText(boxes[i - 1]);
        DialogScript dialogs;
        dialogs.ok();
        box(fixture, 5)->setFocus();
        box(fixture, 5)->setText(boxes[4]);
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seenText().contains(reason), qPrintable(dialogs.seenText()));
        QCOMPARE(window.snapshot().size(), 3u);
        QCOMPARE(storedCount(fixture.folder()), 3u);
        QCOMPARE(boxTexts(fixture), boxes);
    }
};

YILOU_WINDOW_TEST(TypedEntryTest);

} // namespace
} // namespace yilou::testing

#include "typed_entry_test.moc"
