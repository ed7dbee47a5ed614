#include "app/history/history_grid.h"
#include "core/file_names.h"
#include "dialog_script.h"
#include "store/history_db.h"
#include "support/history_generator.h"
#include "support/text_files.h"
#include "window_fixture.h"
#include "window_tests.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QWheelEvent>

namespace yilou::testing {
namespace {

std::size_t storedCount(const std::filesystem::path& folder) {
    history::HistoryDb db(folder / history::kDatabaseFileName);
    return db.drawCount();
}

class HistorySideTest : public QObject {
    Q_OBJECT
private slots:
    void importStoresTheFileAndReportsIt() {
        WindowFixture fixture;
        fixture.storeDraws(5);
        fixture.open();
        const auto file = fixture.folder() / "历史号码" / "history.TXT";
        writeFile(file, "2017090101 03 11 07 01 09\n03 11 07 01 09 02\n17090103 01 01 02 03 04\n");
        DialogScript dialogs;
        dialogs.ok().choose(QString::fromStdString(file.string())).ok().ok();
        fixture.find<QPushButton>(QStringLiteral("cmdRdLst"))->click();
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY(
            dialogs.seen()[0].startsWith(QStringLiteral("读入历史|确实要读入最新历史号码吗？")));
        QVERIFY2(dialogs.seen()[3].contains(QStringLiteral("读入 2 期，跳过 1 行")),
                 qPrintable(dialogs.seenText()));
        // The five draws it replaced were saved beside the database first.
        const QString saved = dialogs.seen()[3].section(QStringLiteral("已保存到 "), 1).chopped(1);
        QVERIFY2(saved.startsWith(QString::fromStdString(
                     (fixture.folder() / history::kReplacedHistoryPrefix).string())),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(readFile(saved.toStdString()).substr(0, 11), std::string("2017081201 "));
        QCOMPARE(fixture.window().snapshot().size(), 2u);
        QCOMPARE(storedCount(fixture.folder()), 2u);
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text3(0)"))->text(),
                 QStringLiteral("2017090101"));
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text3(1)"))->text(),
                 QStringLiteral("2017090102"));
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("2017090103"));
    }

    void importWithSkippedLinesAsksAgain_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("no keeps the history") << false;
        QTest::newRow("yes replaces it") << true;
    }
    void importWithSkippedLinesAsksAgain() {
        QFETCH(bool, replace);
        WindowFixture fixture;
        fixture.storeDraws(5);
        fixture.open();
        const auto file = fixture.folder() / "历史号码" / "partly.txt";
        writeFile(file, "2017090101 03 11 07 01 09\nx\n2017090102 01 02 03 04 05\ny\nz\n");
        DialogScript dialogs;
        dialogs.ok().choose(QString::fromStdString(file.string()));
        if (replace)
            dialogs.ok().ok();
        else
            dialogs.cancel();
        QTest::mouseClick(fixture.find<QPushButton>(QStringLiteral("cmdRdLst")), Qt::LeftButton);
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[0].contains(QStringLiteral("将替换现有的 5 期历史号码")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(dialogs.seen()[2], QStringLiteral("读入历史|文件中有 3 行无法读入，只读到 2 期。"
                                                   "仍要用它替换现有的 5 期吗？"));
        const std::size_t expected = replace ? 2u : 5u;
        QCOMPARE(storedCount(fixture.folder()), expected);
        QCOMPARE(fixture.window().snapshot().size(), expected);
    }

    void clearingOrReplacingEmptiesWhatTheOldHistoryShowed_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("清空历史号码") << false;
        QTest::newRow("读入历史") << true;
    }
    void clearingOrReplacingEmptiesWhatTheOldHistoryShowed() {
        QFETCH(bool, replace);
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        auto* tabs = fixture.find<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QTest::mouseClick(fixture.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        const auto rows = [&](const char* grid) {
            return fixture.find<QAbstractItemView>(QLatin1String(grid))->model()->rowCount();
        };
        const auto text = [&](const QString& box) { return fixture.find<QLineEdit>(box)->text(); };
        QVERIFY(rows("MSFlexGrid2") > 0);
        QCOMPARE(rows("MSFlexGrid3"), 1);

        DialogScript dialogs;
        if (replace) {
            const auto file = fixture.folder() / "历史号码" / "new.txt";
            writeFile(file, "2017090101 03 11 07 01 09\n2017090102 08 02 06 04 05\n");
            dialogs.ok().choose(QString::fromStdString(file.string())).ok();
            QTest::mouseClick(fixture.find<QPushButton>(QStringLiteral("cmdRdLst")),
                              Qt::LeftButton);
        } else {
            dialogs.ok();
            fixture.trigger(QStringLiteral("mnuClear"));
        }
        QCOMPARE(dialogs.pending(), 0);
        QCOMPARE(rows("MSFlexGrid2"), 0);
        QCOMPARE(rows("MSFlexGrid3"), 0);
        const QString newest = replace ? QStringLiteral("2017090102") : QString();
        QCOMPARE(text(QStringLiteral("Text3(0)")),
                 replace ? QStringLiteral("2017090101") : QString());
        QCOMPARE(text(QStringLiteral("Text3(1)")), newest);
        QCOMPARE(text(QStringLiteral("Text4")), newest);
        QCOMPARE(text(QStringLiteral("Text2(11)")), replace ? QStringLiteral("8") : QString());
        QCOMPARE(text(QStringLiteral("Text2(15)")), replace ? QStringLiteral("5") : QString());
    }

    void importCancelledOrNotTextLeavesTheHistory_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("cancel in the question") << false << QString();
        QTest::newRow("cancel in the file dialog") << true << QString();
        QTest::newRow("not a txt file") << true << QStringLiteral("history.csv");
    }
    void importCancelledOrNotTextLeavesTheHistory() {
        QFETCH(bool, confirm);
        QFETCH(QString, fileName);
        WindowFixture fixture;
        fixture.storeDraws(5);
        fixture.open();
        const auto file = fixture.folder() / "历史号码" / fileName.toStdString();
        if (!fileName.isEmpty())
            writeFile(file, "2017090101 03 11 07 01 09\n");
        DialogScript dialogs;
        if (!confirm)
            dialogs.cancel();
        else if (fileName.isEmpty())
            dialogs.ok().cancel();
        else
            dialogs.ok().choose(QString::fromStdString(file.string()));
        fixture.find<QPushButton>(QStringLiteral("cmdRdLst"))->click();
        QCOMPARE(dialogs.pending(), 0);
        QCOMPARE(storedCount(fixture.folder()), 5u);
    }

    void importFailureIsShownAndKeepsTheHistory() {
        WindowFixture fixture;
        fixture.storeDraws(5);
        fixture.open();
        const auto file = fixture.folder() / "历史号码" / "empty.txt";
        writeFile(file, "");
        DialogScript dialogs;
        dialogs.ok().choose(QString::fromStdString(file.string())).ok();
        fixture.find<QPushButton>(QStringLiteral("cmdRdLst"))->click();
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY(dialogs.seen()[2].contains(QStringLiteral("历史号码未改变")));
        QCOMPARE(storedCount(fixture.folder()), 5u);
        QCOMPARE(fixture.window().snapshot().size(), 5u);
    }

    void deletions_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<QString>("newest");
        QTest::newRow("newest draw") << "Command3" << QString() << 9 << "2017081209";
        QTest::newRow("newest draw from the menu") << "mnuErase" << QString() << 9 << "2017081209";
        QTest::newRow("back to an issue") << "mnuDlzd"
                                          << "2017081204" << 4 << "2017081204";
        QTest::newRow("back to a stored form") << "mnuDlzd"
                                               << "17081206" << 6 << "2017081206";
        QTest::newRow("back to the default") << "mnuDlzd"
                                             << "" << 9 << "2017081209";
        QTest::newRow("newer than the newest") << "mnuDlzd"
                                               << "2017081250" << 10 << "2017081210";
        QTest::newRow("newest three") << "mnuEszhzd"
                                      << "3" << 7 << "2017081207";
        QTest::newRow("zero") << "mnuEszhzd"
                              << "0" << 10 << "2017081210";
    }
    void deletions() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(int, remaining);
        QFETCH(QString, newest);
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        DialogScript dialogs;
        if (command == QLatin1String("mnuDlzd") && answer.isEmpty())
            dialogs.ok(); // the proposal as it stands
        else if (!answer.isEmpty())
            dialogs.enter(answer);
        if (command == QLatin1String("Command3"))
            fixture.find<QPushButton>(command)->click();
        else
            fixture.trigger(command);
        QCOMPARE(dialogs.pending(), 0);
        if (command == QLatin1String("mnuDlzd"))
            QVERIFY(
                dialogs.seen()[0].startsWith(QStringLiteral("删除期数|请输入需要删除到的期数")));
        QCOMPARE(storedCount(fixture.folder()), std::size_t(remaining));
        QCOMPARE(fixture.window().snapshot().size(), std::size_t(remaining));
        QCOMPARE(fixture.window().MSFlexGrid1()->rows(), remaining + 1);
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text4"))->text(), newest);
    }

    void deletionThatEmptiesTheHistoryAsksFirst_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::newRow("more than stored") << "mnuEszhzd"
                                          << "11";
        QTest::newRow("before the oldest") << "mnuDlzd"
                                           << "2017081101";
    }
    void deletionThatEmptiesTheHistoryAsksFirst() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        DialogScript refuse;
        refuse.enter(answer).cancel();
        fixture.trigger(command);
        QCOMPARE(refuse.pending(), 0);
        QVERIFY(refuse.seen()[1].startsWith(QStringLiteral("确认清空|")));
        QCOMPARE(storedCount(fixture.folder()), 10u);

        DialogScript accept;
        accept.enter(answer).ok();
        fixture.trigger(command);
        QCOMPARE(accept.pending(), 0);
        QCOMPARE(storedCount(fixture.folder()), 0u);
        QCOMPARE(fixture.window().MSFlexGrid1()->rows(), 1);
    }

    void unreadableIssueIsNamedAndDeletesNothing() {
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        DialogScript dialogs;
        dialogs.enter(QStringLiteral("2017-08-12")).ok();
        fixture.trigger(QStringLiteral("mnuDlzd"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY(dialogs.seen()[1].contains(QStringLiteral("期号“2017-08-12”")));
        QCOMPARE(storedCount(fixture.folder()), 10u);
    }

    void clearAsksAndEmpties() {
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        DialogScript refuse;
        refuse.cancel();
        fixture.trigger(QStringLiteral("mnuClear"));
        QCOMPARE(refuse.seen(),
                 QStringList{QStringLiteral("确认清空|确定要清空所有的历史号码吗？")});
        QCOMPARE(storedCount(fixture.folder()), 10u);
        DialogScript accept;
        accept.ok();
        fixture.trigger(QStringLiteral("mnuClear"));
        QCOMPARE(storedCount(fixture.folder()), 0u);
        QCOMPARE(fixture.window().MSFlexGrid1()->rows(), 1);
    }

    void textExportWritesTheHistoryAndOpensIt() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        fixture.open();
        fixture.find<QPushButton>(QStringLiteral("Command4"))->click();
        const auto file = fixture.folder() / "更新至17081203期历史号码.txt";
        const std::string text = readFile(file);
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 3);
        QCOMPARE(text.find("\r\n"), std::size_t(26));
        QCOMPARE(fixture.opened().size(), 1u);
        QVERIFY(fixture.opened()[0].endsWith(QStringLiteral("期历史号码.txt")));

        fixture.open(false);
        DialogScript dialogs;
        dialogs.ok();
        fixture.find<QPushButton>(QStringLiteral("Command4"))->click();
        QVERIFY(dialogs.seenText().contains(QString::fromStdString(file.string())));
    }

    void aHistoryEndingWithTheLastPossibleIssueOpens() {
        WindowFixture fixture;
        GeneratedHistory last;
        last.draws = 1;
        last.firstIssue = 99123184;
        history::HistoryDb(fixture.folder() / history::kDatabaseFileName)
            .replaceAll(generateDraws(last));
        fixture.open();
        QCOMPARE(fixture.window().snapshot().size(), 1u);
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text1"))->text(), QString());
    }

    void textExportOfAnEmptyHistorySaysSo() {
        WindowFixture fixture;
        fixture.open();
        DialogScript dialogs;
        dialogs.ok();
        fixture.find<QPushButton>(QStringLiteral("Command4"))->click();
        QVERIFY(dialogs.seenText().contains(QStringLiteral("历史号码为空")));
        QVERIFY(fixture.opened().empty());
    }

    void damagedDatabaseOpensEmptyAndIsKept() {
        WindowFixture fixture;
        const auto file = fixture.folder() / history::kDatabaseFileName;
        writeFile(file, std::string(4096, 'x'));
        DialogScript dialogs;
        dialogs.ok();
        fixture.open();
        QTRY_COMPARE(dialogs.pending(), 0);
        QVERIFY(dialogs.seenText().contains(QString::fromStdString(file.string())));
        QCOMPARE(fixture.window().MSFlexGrid1()->rows(), 1);
        QCOMPARE(readFile(file), std::string(4096, 'x'));

        // Writing needs a database: the user is asked before the file is set aside.
        DialogScript refuse;
        refuse.ok().cancel();
        fixture.trigger(QStringLiteral("mnuClear"));
        QCOMPARE(refuse.pending(), 0);
        QVERIFY(refuse.seen()[1].contains(QStringLiteral("改名保存")));
        QCOMPARE(readFile(file), std::string(4096, 'x'));

        DialogScript accept;
        accept.ok().ok().ok();
        fixture.trigger(QStringLiteral("mnuClear"));
        QCOMPARE(accept.pending(), 0);
        auto aside = file;
        aside += ".损坏-1";
        QCOMPARE(readFile(aside), std::string(4096, 'x'));
        QCOMPARE(storedCount(fixture.folder()), 0u);
    }

    void databaseWithADamagedPageIsNotOpenedForWriting() {
        WindowFixture fixture;
        fixture.storeDraws(2000);
        const auto file = fixture.folder() / history::kDatabaseFileName;
        std::string bytes = readFile(file);
        // Past the first pages (header and schema): pages of the history's rows.
        for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 8192; ++i)
            bytes[i] = static_cast<char>(0xA5);
        writeFile(file, bytes);
        DialogScript dialogs;
        dialogs.ok();
        fixture.open();
        QTRY_COMPARE(dialogs.pending(), 0);
        QVERIFY(dialogs.seenText().contains(QString::fromStdString(file.string())));
        QCOMPARE(fixture.window().MSFlexGrid1()->rows(), 1);
        QCOMPARE(readFile(file), bytes);
    }

    void historyGridScrollsToTheNewestPastThirtyNineRows_data() {
        QTest::addColumn<int>("draws");
        QTest::addColumn<bool>("scrolled");
        QTest::newRow("38 draws") << 38 << false;
        QTest::newRow("39 draws") << 39 << true;
    }
    void historyGridScrollsToTheNewestPastThirtyNineRows() {
        QFETCH(int, draws);
        QFETCH(bool, scrolled);
        WindowFixture fixture;
        fixture.storeDraws(draws);
        auto& window = fixture.open();
        window.resize(900, 500);
        window.AddHaoma();
        QApplication::processEvents();
        auto* grid = window.MSFlexGrid1();
        QCOMPARE(grid->rows(), draws + 1);
        QCOMPARE(grid->topRow() > 1, scrolled);
        if (!scrolled)
            return;
        // Scrolled to it, the newest row stays whole in view when the window gets lower or
        // higher.
        const QModelIndex newest = grid->model()->index(draws - 1, 0);
        for (const QSize size : {QSize(1366, 900), QSize(1024, 700), QSize(1366, 768)}) {
            window.resize(size);
            QApplication::processEvents();
            QVERIFY(grid->viewport()->rect().contains(grid->visualRect(newest)));
        }
    }

    void rightClickOnTheHistoryGridOpensTheHistoryMenu() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        fixture.open();
        auto* grid = fixture.window().MSFlexGrid1();
        auto* menu = fixture.find<QMenu>(QStringLiteral("mnuLsgl"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                grid->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(grid->viewport(), &event);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void wheelMovesTheGridUnderThePointerOneRowPerNotch() {
        WindowFixture fixture;
        fixture.storeDraws(200);
        auto& window = fixture.open();
        auto* grid = window.MSFlexGrid1();
        grid->setTopRow(50);
        const QPointF at(5, 5);
        auto turn = [&](QWidget* target, int delta) {
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        };
        turn(grid->viewport(), 120);
        QCOMPARE(grid->topRow(), 49);
        turn(grid->viewport(), -240);
        QCOMPARE(grid->topRow(), 51);
        // Over no grid: the grid with the keyboard focus moves.
        grid->setFocus();
        turn(fixture.find<QPushButton>(QStringLiteral("Command9")), 120);
        QCOMPARE(grid->topRow(), 50);
        grid->setTopRow(1);
        turn(grid->viewport(), 120);
        QCOMPARE(grid->topRow(), 1);
    }
};

YILOU_WINDOW_TEST(HistorySideTest);

} // namespace
} // namespace yilou::testing

#include "history_side_test.moc"
