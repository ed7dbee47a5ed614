#include "app/history/history_entry_panel.h"
#include "app/history/history_grid.h"
#include "dialog_script.h"
#include "session/sample_histories.h"
#include "store/game_histories.h"
#include "support/other_program.h"
#include "support/text_files.h"
#include "window_fixture.h"
#include "window_tests.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

namespace yilou::testing {
namespace {

QString storedSetting(const char* key) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("11S5OMBRIX"),
                       QStringLiteral("11S5OMBRIX"));
    return settings.value(QStringLiteral("IniSetting/") + QLatin1String(key)).toString();
}

void storeSetting(const char* key, const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("11S5OMBRIX"),
                       QStringLiteral("11S5OMBRIX"));
    settings.setValue(QStringLiteral("IniSetting/") + QLatin1String(key), value);
    settings.sync();
}

std::string sampleFile(int game) {
    for (const auto& sample : session::sampleHistories(session::sampleHistoryFolder()))
        if (sample.game == game)
            return sample.file.string();
    return {};
}

/// Reads `file` through 读入历史, answering its prompts.
void importFile(WindowFixture& fixture, const std::string& file) {
    DialogScript dialogs;
    dialogs.ok().choose(QString::fromStdString(file)).ok();
    fixture.find<QPushButton>(QStringLiteral("cmdRdLst"))->click();
    QVERIFY2(dialogs.seenText().contains(QStringLiteral("读入 ")), qPrintable(dialogs.seenText()));
}

/// What the window shows of its history: the grid's rows, the next issue and the status line.
QStringList shownHistory(WindowFixture& fixture) {
    QStringList shown;
    for (const QStringList& row : gridRows(fixture.window().MSFlexGrid1()))
        shown << row.join(QLatin1Char(' '));
    shown << fixture.find<QLineEdit>(QStringLiteral("Text1"))->text()
          << fixture.window().windowTitle();
    return shown;
}

QStringList checkedGames(WindowFixture& fixture) {
    QStringList checked;
    for (auto* action : fixture.find<QMenu>(QStringLiteral("mnuCaizhong"))->actions())
        if (action->isChecked())
            checked << action->objectName();
    return checked;
}

class SettingsMenusTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartDefaults() {
        WindowFixture fixture;
        fixture.open();
        QCOMPARE(checkedGames(fixture), QStringList{QStringLiteral("mnu11S5(0)")});
        QVERIFY(fixture.find<QAction>(QStringLiteral("mnuSxcs(1)"))->isChecked());
        QVERIFY(!fixture.find<QAction>(QStringLiteral("mnuSxcs(0)"))->isChecked());
        QVERIFY(fixture.find<QAction>(QStringLiteral("mnuDscs(1)"))->isChecked());
        QVERIFY(fixture.find<QRadioButton>(QStringLiteral("Option1(1)"))->isChecked());
        QVERIFY(fixture.find<QRadioButton>(QStringLiteral("Option3(0)"))->isChecked());
        QVERIFY(fixture.find<QRadioButton>(QStringLiteral("Option2(4)"))->isChecked());
        QCOMPARE(fixture.find<QComboBox>(QStringLiteral("Combo1"))->currentText(),
                 QStringLiteral("2"));
        // The desktop adds the program's name (the display name) after the game's.
        QCOMPARE(fixture.window().windowTitle(), QStringLiteral("广东11选5"));
        // The window's own icon, from PNGs: there without the SVG plugin or an installed theme.
        const QIcon icon = fixture.window().windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
        QCOMPARE(icon.pixmap(48).size(), QSize(48, 48));
        DialogScript dialogs;
        dialogs.cancel();
        fixture.trigger(QStringLiteral("mnuSetDay"));
        QCOMPARE(dialogs.pending(), 0);
    }

    void settingOutOfRangeFallsBack() {
        WindowFixture fixture;
        storeSetting("GsZl", QStringLiteral("31"));
        storeSetting("SxIni", QStringLiteral("7"));
        fixture.open();
        QCOMPARE(checkedGames(fixture), QStringList{QStringLiteral("mnu11S5(0)")});
        QVERIFY(fixture.find<QAction>(QStringLiteral("mnuSxcs(1)"))->isChecked());
    }

    void gameChoicePersistsAcrossRestart() {
        WindowFixture fixture;
        fixture.storeDraws(84);
        storeSetting("GsZl", QStringLiteral("27"));
        fixture.open();
        // The history found at the first start is the game's then chosen: 84 draws without a
        // 12 are no 快乐12 history, which is said.
        QCOMPARE(fixture.window().snapshot().size(), 84u);
        DialogScript dialogs;
        dialogs.ok();
        fixture.trigger(QStringLiteral("mnu11S5(27)"));
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("没有 12")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(fixture.window().snapshot().size(), 84u);
        QCOMPARE(fixture.window().choices().game().drawsPerDay, 78);
        // 84 draws on a 78-a-day game: the ordinal is past the day's last, so no day roll.
        QCOMPARE(fixture.find<QLineEdit>(QStringLiteral("Text1"))->text(),
                 QStringLiteral("2017081285"));

        fixture.trigger(QStringLiteral("mnu11S5(0)"));
        QCOMPARE(storedSetting("GsZl"), QStringLiteral("0"));
        QCOMPARE(checkedGames(fixture), QStringList{QStringLiteral("mnu11S5(0)")});
        QCOMPARE(fixture.window().windowTitle(), QStringLiteral("广东11选5"));
        QVERIFY(fixture.window().snapshot().empty()); // a game never chosen starts empty
        QVERIFY(fixture.find<QWidget>(QStringLiteral("firstStart"))->isVisible());

        fixture.open();
        QCOMPARE(checkedGames(fixture), QStringList{QStringLiteral("mnu11S5(0)")});
        QVERIFY(fixture.window().snapshot().empty());
        fixture.trigger(QStringLiteral("mnu11S5(27)"));
        QCOMPARE(fixture.window().snapshot().size(), 84u);
    }

    // A choice of a game refused while another program has the histories open says why and
    // keeps the game chosen before: its menu entry, its setting and its draws.
    void aRefusedChoiceKeepsTheGame() {
        WindowFixture fixture;
        fixture.storeDraws(84);
        OtherProgram other([&fixture] {
            history::chooseGameHistory(fixture.folder(), 0);
            return true;
        });
        QVERIFY(other.started());
        fixture.open();
        DialogScript dialogs;
        dialogs.ok();
        fixture.trigger(QStringLiteral("mnu11S5(14)"));
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("另一个遗漏统计程序正在使用历史号码")),
                 qPrintable(dialogs.seenText()));
        QVERIFY(storedSetting("GsZl") != QStringLiteral("14"));
        QCOMPARE(checkedGames(fixture), QStringList{QStringLiteral("mnu11S5(0)")});
        QCOMPARE(fixture.window().windowTitle(), QStringLiteral("广东11选5"));
        QCOMPARE(fixture.window().snapshot().size(), 84u);
        QVERIFY(fixture.window().database() != nullptr);

        QVERIFY(other.end());
        fixture.trigger(QStringLiteral("mnu11S5(14)"));
        QCOMPARE(storedSetting("GsZl"), QStringLiteral("14"));
        QVERIFY(fixture.window().snapshot().empty());
    }

    // Importing under 山东, choosing 广东 and importing there, then choosing 山东 again shows
    // the 山东 draws as a window that only ever held them shows them.
    void eachGameKeepsItsOwnHistory() {
        const auto shandong = sampleFile(14);
        const auto guangdong = sampleFile(0);
        WindowFixture alone;
        alone.open();
        alone.trigger(QStringLiteral("mnu11S5(14)"));
        importFile(alone, shandong);
        const QStringList shandongAlone = shownHistory(alone);
        QCOMPARE(alone.window().snapshot().size(), 3519u);

        WindowFixture fixture;
        fixture.open();
        fixture.trigger(QStringLiteral("mnu11S5(14)"));
        importFile(fixture, shandong);
        fixture.trigger(QStringLiteral("mnu11S5(0)"));
        QVERIFY(fixture.window().snapshot().empty());
        importFile(fixture, guangdong);
        QCOMPARE(fixture.window().snapshot().size(), 3823u);
        fixture.trigger(QStringLiteral("mnu11S5(14)"));
        QVERIFY(shownHistory(fixture) == shandongAlone);
        fixture.open();
        QVERIFY(shownHistory(fixture) == shandongAlone);
        // The menu names the draws of every stored history.
        emit fixture.find<QMenu>(QStringLiteral("mnuCaizhong"))->aboutToShow();
        QCOMPARE(fixture.find<QAction>(QStringLiteral("mnu11S5(0)"))->text(),
                 QStringLiteral("广东11选5（3,823期）"));
        QCOMPARE(fixture.find<QAction>(QStringLiteral("mnu11S5(14)"))->text(),
                 QStringLiteral("山东11选5（3,519期）"));
        QCOMPARE(fixture.find<QAction>(QStringLiteral("mnu11S5(7)"))->text(),
                 QStringLiteral("江西11选5"));
    }

    // Days that all end at 42 under 广东 (84 a day) are said once, with a button that sets 42;
    // 每天期数 sets the game's draws per day, asking again until the answer fits.
    void drawsPerDayAreOfferedAndSetForTheGame() {
        WindowFixture fixture;
        fixture.open();
        std::string history;
        for (const char* day : {"20170927", "20170928", "20170929"})
            for (int ordinal = 1; ordinal <= 42; ++ordinal)
                history += day + std::string(ordinal < 10 ? "0" : "") + std::to_string(ordinal) +
                           " 01 02 03 04 05\n";
        const auto file = fixture.folder() / "gd42.txt";
        writeFile(file, history);
        importFile(fixture, file.string());
        auto* text1 = fixture.find<QLineEdit>(QStringLiteral("Text1"));
        QCOMPARE(text1->text(), QStringLiteral("2017092943"));
        auto* notice = fixture.find<QWidget>(QStringLiteral("dayDrawsNotice"));
        QVERIFY(notice->isVisible());
        auto* set = fixture.find<QPushButton>(QStringLiteral("dayDrawsNoticeSet"));
        QCOMPARE(set->text(), QStringLiteral("设为每天 42 期"));
        set->click();
        QVERIFY(!notice->isVisible());
        QCOMPARE(storedSetting("intDayDraws11x5gd"), QStringLiteral("42"));
        QCOMPARE(text1->text(), QStringLiteral("2017093001"));

        DialogScript dialogs;
        dialogs.enter(QStringLiteral("121")).ok().enter(QStringLiteral("84"));
        fixture.trigger(QStringLiteral("mnuDayDraws"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen()[1].contains(QStringLiteral("1～120")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(fixture.window().choices().game().drawsPerDay, 84);
        QCOMPARE(text1->text(), QStringLiteral("2017092943"));
        fixture.trigger(QStringLiteral("mnu11S5(14)"));
        fixture.trigger(QStringLiteral("mnu11S5(0)"));
        QVERIFY2(!notice->isVisible(), "said once in a run");
    }

    void daysDialogAsksUntilTheAnswerFits_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("refusals");
        QTest::addColumn<QString>("stored");
        QTest::newRow("two") << QStringList{"2"} << 0 << "2";
        QTest::newRow("sixteen") << QStringList{"16"} << 0 << "16";
        QTest::newRow("one then seventeen then six") << QStringList{"1", "17", "6"} << 2 << "6";
        QTest::newRow("not a number") << QStringList{"abc", "08"} << 1 << "8";
    }
    void daysDialogAsksUntilTheAnswerFits() {
        QFETCH(QStringList, answers);
        QFETCH(int, refusals);
        QFETCH(QString, stored);
        WindowFixture fixture;
        fixture.open();
        DialogScript dialogs;
        for (int i = 0; i < answers.size(); ++i) {
            dialogs.enter(answers[i]);
            if (i + 1 < answers.size())
                dialogs.ok();
        }
        fixture.trigger(QStringLiteral("mnuSetDay"));
        QCOMPARE(dialogs.pending(), 0);
        // The value counts days, and so do the dialog's texts.
        const QStringList refused = dialogs.seen().filter(QStringLiteral("输入有误|"));
        QCOMPARE(refused.size(), refusals);
        for (const QString& text : refused)
            QVERIFY(text.contains(QStringLiteral("16天以内")));
        QVERIFY(
            dialogs.seen().front().startsWith(QStringLiteral("设置天数|请输入在线更新查找的天数")));
        QVERIFY(!dialogs.seen().front().contains(QStringLiteral("年")));
        QCOMPARE(storedSetting("IniSerchDay"), stored);
    }

    void daysDialogCancelChangesNothing() {
        WindowFixture fixture;
        fixture.open();
        DialogScript dialogs;
        dialogs.cancel();
        fixture.trigger(QStringLiteral("mnuSetDay"));
        QCOMPARE(storedSetting("IniSerchDay"), QString());
    }

    void zodiacMenuCountsFromTheYearsZodiac() {
        WindowFixture fixture;
        fixture.open();
        fixture.find<QLineEdit>(QStringLiteral("Text1"))->setText(QStringLiteral("2017081284"));
        fixture.trigger(QStringLiteral("mnuSxcs(0)"));
        QCOMPARE(storedSetting("SxIni"), QStringLiteral("0"));
        QVERIFY(fixture.find<QAction>(QStringLiteral("mnuSxcs(0)"))->isChecked());
        QVERIFY(!fixture.find<QAction>(QStringLiteral("mnuSxcs(1)"))->isChecked());
        const auto codes = fixture.window().choices().rules().zodiac.code;
        QCOMPARE(codes[9], 0);   // 鸡, the zodiac of 2017
        QCOMPARE(codes[8], 1);   // 猴
        QCOMPARE(codes[10], 11); // 狗
    }

    void segmentMenuStoresItsBase() {
        WindowFixture fixture;
        fixture.open();
        fixture.trigger(QStringLiteral("mnuDscs(0)"));
        QCOMPARE(storedSetting("DsIni"), QStringLiteral("0"));
        QCOMPARE(fixture.window().choices().rules().dsIni, 0);
        fixture.open();
        QVERIFY(fixture.find<QAction>(QStringLiteral("mnuDscs(0)"))->isChecked());
    }

    // When no program opens the guide, the window says where it is and offers to copy its path
    // (a web address as it stands): yes copies it, no leaves the clipboard alone.
    void helpEntriesOpenTheGuideOrSayWhereItIs() {
        WindowFixture fixture;
        fixture.open(false);
        auto* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("kept"));
        DialogScript dialogs;
        dialogs.cancel().ok().ok();
        fixture.trigger(QStringLiteral("mnuDescrb"));
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));
        fixture.trigger(QStringLiteral("numYanshiDown"));
        const auto shownPath = [&fixture](std::size_t i) {
            const QUrl address(fixture.opened()[i]);
            return address.isLocalFile() ? address.toLocalFile() : address.toString();
        };
        QCOMPARE(clipboard->text(), shownPath(1));
        fixture.trigger(QStringLiteral("mnuFrontPage"));
        QCOMPARE(clipboard->text(), shownPath(2));
        QCOMPARE(dialogs.pending(), 0);
        QCOMPARE(fixture.opened().size(), 3u);
        QVERIFY(fixture.opened()[0].endsWith(QStringLiteral("guide/index.html")));
        QVERIFY(fixture.opened()[1].endsWith(QStringLiteral("guide/walkthrough.html")));
        for (std::size_t i = 0; i < 3; ++i)
            QVERIFY2(dialogs.seen()[i].contains(shownPath(i)), qPrintable(dialogs.seen()[i]));
    }
};

YILOU_WINDOW_TEST(SettingsMenusTest);

} // namespace
} // namespace yilou::testing

#include "settings_menus_test.moc"
