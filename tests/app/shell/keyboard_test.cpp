// The window from the keyboard alone: Tab across the screen, a grid as one stop, an Alt letter
// for every button and menu, F10, and a search, a multi-position search and a grouped
// calculation done without the mouse.
#include "analysis/grouped_combination.h"
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "app/history/history_grid.h"
#include "dialog_script.h"
#include "session/grid_text.h"
#include "session/search_steps.h"
#include "store/yl_table.h"
#include "support/offscreen_application.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <set>

namespace yilou::testing {
namespace {

QString nameOf(const QWidget* widget) {
    return widget ? widget->objectName() : QStringLiteral("(none)");
}

QWidget* focused() {
    return QApplication::focusWidget();
}

/// A key as the keyboard sends it: to the control that has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused(), static_cast<Qt::Key>(key), modifiers);
}

void type(const QString& text) {
    QTest::keyClicks(focused(), text);
}

/// What Tab (or Shift+Tab) visits from the control in focus until it comes back to `until`.
QStringList walk(const QString& until, bool backwards = false) {
    QStringList visited;
    for (int i = 0; i < 200; ++i) {
        press(backwards ? Qt::Key_Backtab : Qt::Key_Tab);
        if (nameOf(focused()) == until)
            return visited;
        visited << nameOf(focused());
    }
    return visited << QStringLiteral("... never back");
}

/// Presses Tab until `name` has the focus, as a user does who watches the screen.
bool tabTo(const QString& name) {
    for (int i = 0; i < 120 && nameOf(focused()) != name; ++i)
        press(Qt::Key_Tab);
    return nameOf(focused()) == name;
}

QStringList summaryCells(const analysis::SummaryRow& summary) {
    QStringList cells;
    for (int c = 0; c < session::ResultGrid::kColumns; ++c)
        cells << QString::fromStdString(session::ResultGrid::cell(summary, c));
    return cells;
}

/// The Alt letter of a caption ("检索(&S)": S), empty when it has none.
QString letterOf(const QString& caption) {
    return QKeySequence::mnemonic(caption).toString();
}

class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;

    app::frmMain& open(int draws) {
        fixture_ = std::make_unique<WindowFixture>();
        if (draws > 0)
            fixture_->storeDraws(draws);
        auto& window = fixture_->open();
        fixture_->activate();
        return window;
    }
    template <typename Widget = QWidget> Widget* find(const QString& name) const {
        auto* widget = fixture_->find<Widget>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    app::FlexGrid* grid(const char* name) const { return find<app::FlexGrid>(name); }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
    /// The Tab stop of an option frame: its chosen button, or the first when none is.
    QString optionStop(const QStringList& buttons) const {
        for (const auto& name : buttons)
            if (find<QAbstractButton>(name)->isChecked())
                return name;
        return buttons.front();
    }
    /// Every stop of the window's fixed part from the top left, the first tab page shown.
    QStringList fixedStops() const {
        QStringList stops{"cmdRdLst", "Command21",   "Command4", "Command3",
                          "Command9", "MSFlexGrid1", "Text1"};
        for (int i = 1; i <= 5; ++i)
            stops << QStringLiteral("MaskEdBox1(%1)").arg(i);
        stops << optionStop({"Option3(0)", "Option3(1)", "Option3(2)", "Option3(3)", "Option3(4)",
                             "Option3(5)"})
              << optionStop({"Option2(5)", "Option2(4)"})
              << optionStop({"Option1(1)", "Option1(0)"})
              << optionStop({"Option1(3)", "Option1(2)"}) << "MaskEdBox2"
              << "TabStrip1";
        for (const char* array : {"Check11", "Text22"})
            for (int p = 1; p <= 5; ++p)
                stops << QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(p);
        stops << "Text3(0)"
              << "Text3(1)"
              << "Command1"
              << "Combo1"
              << "Command2";
        for (int i = 1; i <= 11; ++i)
            stops << QStringLiteral("Check6(%1)").arg(i);
        stops << "cmdZH(0)"
              << "cmdZH(1)"
              << "cmdZH(2)"
              << "Text5"
              << "Combo2"
              << "Command5"
              << "qt_tabwidget_tabbar";
        return stops;
    }

private slots:
    void cleanup() { fixture_.reset(); }

    void tabFollowsTheScreenFromTopLeftToBottomRight() {
        open(200);
        QCOMPARE(nameOf(focused()), QStringLiteral("cmdRdLst"));
        const QStringList forth = fixedStops().mid(1) + QStringList{"MSFlexGrid2", "MSFlexGrid3"};
        QCOMPARE(walk(QStringLiteral("cmdRdLst")), forth);
        QStringList back = forth;
        std::reverse(back.begin(), back.end());
        QCOMPARE(walk(QStringLiteral("cmdRdLst"), true), back);

        // The second tab's position boxes and reference issue come after its tab.
        QVERIFY(tabTo(QStringLiteral("TabStrip1")));
        press(Qt::Key_Right);
        QCOMPARE(find<QTabBar>(QStringLiteral("TabStrip1"))->currentIndex(), 1);
        QStringList second;
        for (const char* array : {"Check1", "Text2"})
            for (int p = 11; p <= 15; ++p)
                second << QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(p);
        second << "Check4"
               << "Text4"
               << "Text3(0)";
        QCOMPARE(walk(QStringLiteral("Text3(1)")), second);
    }

    // On every page below, Tab goes from the page tabs through the page's controls, top left
    // to bottom right, and on to the top of the window.
    void tabCrossesEveryResultPage() {
        open(200);
        auto* tabs = find<QTabWidget>(QStringLiteral("resultTabs"));
        QVERIFY(tabTo(QStringLiteral("qt_tabwidget_tabbar")));
        for (int page = 0; page < tabs->count(); ++page) {
            if (page > 0)
                press(Qt::Key_Right);
            QCOMPARE(tabs->currentIndex(), page);
            QWidget* shown = tabs->currentWidget();
            std::set<QWidget*> expected;
            for (QWidget* control : shown->findChildren<QWidget*>())
                if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus) &&
                    !control->focusProxy())
                    expected.insert(control);
            std::set<QWidget*> seen;
            QWidget* previous = nullptr;
            for (press(Qt::Key_Tab); nameOf(focused()) != QStringLiteral("cmdRdLst");
                 press(Qt::Key_Tab)) {
                QWidget* now = focused();
                QVERIFY2(shown->isAncestorOf(now), qPrintable(nameOf(now)));
                QVERIFY2(seen.insert(now).second, qPrintable(nameOf(now)));
                if (previous) {
                    const QRect a(previous->mapToGlobal(QPoint()), previous->size());
                    const QRect b(now->mapToGlobal(QPoint()), now->size());
                    const bool above = b.bottom() < a.top();
                    const bool sameRow = b.top() <= a.bottom() && a.top() <= b.bottom();
                    QVERIFY2(!above && !(sameRow && b.right() < a.left()),
                             qPrintable(nameOf(previous) + " → " + nameOf(now)));
                }
                previous = now;
            }
            QVERIFY2(seen == expected, qPrintable(tabs->tabText(page)));
            walk(QStringLiteral("qt_tabwidget_tabbar"), true);
        }
    }

    // A grid is one stop: Tab and Shift+Tab leave it, the arrow keys move inside, and entering
    // it leaves the newest draws in view.
    void aGridIsOneTabStop() {
        auto& window = open(300);
        auto* history = window.MSFlexGrid1();
        const int top = history->rowAt(0); // the first row in view
        QVERIFY(top > 200);
        QVERIFY(tabTo(QStringLiteral("Command9")));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), history);
        QCOMPARE(history->rowAt(0), top);
        QCOMPARE(history->currentIndex().row(), top);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(history->currentIndex().row(), top + 2);
        QCOMPARE(history->rowAt(0), top);
        press(Qt::Key_Tab);
        QCOMPARE(nameOf(focused()), QStringLiteral("Text1"));
        press(Qt::Key_Backtab);
        QCOMPARE(focused(), history);
        QCOMPARE(history->currentIndex().row(), top + 2);
        press(Qt::Key_Backtab);
        QCOMPARE(nameOf(focused()), QStringLiteral("Command9"));

        // The result grids, full after a search: Shift+Tab leaves them too.
        QVERIFY(tabTo(QStringLiteral("Check11(1)")));
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        QVERIFY(tabTo(QStringLiteral("Text22(1)")));
        type(QStringLiteral("3"));
        press(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(grid("MSFlexGrid2")->rows() > 10);
        QVERIFY(tabTo(QStringLiteral("MSFlexGrid3")));
        press(Qt::Key_Backtab);
        QCOMPARE(nameOf(focused()), QStringLiteral("MSFlexGrid2"));
        press(Qt::Key_Down);
        press(Qt::Key_Backtab);
        QCOMPARE(nameOf(focused()), QStringLiteral("qt_tabwidget_tabbar"));
    }

    // Every button and menu the window shows at once has a letter of its own; so has every
    // entry of a menu among its neighbours (the lists of games and samples are walked with
    // the arrow keys).
    void everyButtonAndMenuHasItsOwnLetter_data() {
        QTest::addColumn<int>("draws");
        QTest::newRow("empty history") << 0;
        QTest::newRow("history") << 120;
    }
    void everyButtonAndMenuHasItsOwnLetter() {
        QFETCH(int, draws);
        auto& window = open(draws);
        auto* tabs = find<QTabWidget>(QStringLiteral("resultTabs"));
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QMap<QString, QString> owners;
            const auto claim = [&owners](const QString& caption) {
                const QString letter = letterOf(caption);
                QVERIFY2(!letter.isEmpty(), qPrintable(caption + " has no letter"));
                QVERIFY2(!owners.contains(letter),
                         qPrintable(letter + ": " + owners.value(letter) + ", " + caption));
                owners.insert(letter, caption);
            };
            for (QAction* menu : window.menuBar()->actions())
                claim(menu->text());
            for (auto* button : window.findChildren<QPushButton*>())
                if (button->isVisible())
                    claim(button->text());
        }
        for (auto* menu : window.findChildren<QMenu*>()) {
            if (menu->objectName() == QStringLiteral("mnuCaizhong") ||
                menu->objectName() == QStringLiteral("mnuSamples") || menu->actions().isEmpty())
                continue;
            QStringList letters;
            for (QAction* entry : menu->actions()) {
                if (entry->isSeparator())
                    continue;
                const QString letter = letterOf(entry->text());
                QVERIFY2(!letter.isEmpty() && !letters.contains(letter),
                         qPrintable(menu->title() + ": " + entry->text()));
                letters << letter;
            }
        }
    }

    void f10AndTheAltLettersOpenTheMenus() {
        open(120);
        auto* history = find<QMenu>(QStringLiteral("mnuLsgl"));
        auto* setup = find<QMenu>(QStringLiteral("mnuSetup"));
        press(Qt::Key_F10);
        QTRY_VERIFY(history->isVisible());
        QTest::keyClick(history, Qt::Key_Escape);
        QTRY_VERIFY(!history->isVisible());

        press(Qt::Key_Z, Qt::AltModifier);
        QTRY_VERIFY(setup->isVisible());
        QTest::keyClick(setup, Qt::Key_Escape);
        QTRY_VERIFY(!setup->isVisible());

        DialogScript dialogs;
        dialogs.cancel();
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_VERIFY(history->isVisible());
        QTest::keyClick(history, Qt::Key_N); // 删除最后指定数量期历史(&N)
        QTRY_COMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("删除最后多少期")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(fixture_->window().snapshot().size(), 120u);
    }

    // Ctrl+1 … Ctrl+9 choose the pages, from wherever the focus is; each tab's tooltip names
    // its keys.
    void ctrlAndADigitChooseThePage() {
        open(120);
        auto* tabs = find<QTabWidget>(QStringLiteral("resultTabs"));
        QVERIFY(tabs->count() >= 7);
        find<QLineEdit>(QStringLiteral("Text1"))->setFocus();
        for (int page = std::min(tabs->count(), 9) - 1; page >= 0; --page) {
            press(Qt::Key_1 + page, Qt::ControlModifier);
            QCOMPARE(tabs->currentIndex(), page);
            QVERIFY2(tabs->tabToolTip(page).contains(QStringLiteral("Ctrl+%1").arg(page + 1)),
                     qPrintable(tabs->tabToolTip(page)));
        }
    }

    // 固定位 by the arrow keys, two positions ticked with the space bar and their values
    // typed, then Alt+S.
    void aSearchFromTheKeyboard() {
        auto& window = open(400);
        const auto& snapshot = window.snapshot();
        const auto newest = snapshot.numbers(snapshot.size() - 1);
        QVERIFY(tabTo(QStringLiteral("Option1(1)")));
        press(Qt::Key_Right);
        QVERIFY(find<QAbstractButton>(QStringLiteral("Option1(0)"))->isChecked());
        QVERIFY(tabTo(QStringLiteral("Check11(2)")));
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QVERIFY(tabTo(QStringLiteral("Text22(2)")));
        type(QString::number(newest[1]));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type(QString::number(newest[3]));
        press(Qt::Key_S, Qt::AltModifier);

        analysis::SearchRequest request;
        request.freePosition = false;
        request.positions[1] = {true, newest[1], std::to_string(newest[1])};
        request.positions[3] = {true, newest[3], std::to_string(newest[3])};
        request.startIssue = snapshot.issues.front();
        request.endIssue = snapshot.issues.back();
        const auto expected = session::searchPositions(snapshot, request, window.choices());
        QTRY_COMPARE(grid("MSFlexGrid2")->rows(), static_cast<int>(expected.hits.size()) + 1);
        QCOMPARE(gridRows(grid("MSFlexGrid3")), QList<QStringList>{summaryCells(expected.summary)});
    }

    // Five values typed box after box, the group size chosen with the arrow key, Alt+G.
    void aMultiPositionSearchFromTheKeyboard() {
        auto& window = open(400);
        const auto& snapshot = window.snapshot();
        const auto draw = snapshot.numbers(snapshot.size() - 10);
        QVERIFY(tabTo(QStringLiteral("Text22(1)")));
        for (int p = 0; p < 5; ++p) {
            type(QString::number(draw[p]));
            press(Qt::Key_Tab);
        }
        QVERIFY(tabTo(QStringLiteral("Combo1")));
        press(Qt::Key_Down);
        QCOMPARE(find<QComboBox>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("3"));
        press(Qt::Key_G, Qt::AltModifier);

        analysis::SearchRequest request;
        for (int p = 0; p < 5; ++p)
            request.positions[p] = {false, draw[p], std::to_string(draw[p])};
        request.startIssue = snapshot.issues.front();
        request.endIssue = snapshot.issues.back();
        const auto expected = session::searchPartial(snapshot, request, 3, "3", window.choices());
        QTRY_COMPARE(grid("MSFlexGrid2")->rows(), static_cast<int>(expected.hits.size()) + 1);
        QCOMPARE(gridRows(grid("MSFlexGrid3")), QList<QStringList>{summaryCells(expected.summary)});
    }

    // The boxes all ticked and cleared by their letters, five ticked with the space bar, the
    // group size chosen, Alt+P.
    void aGroupedCalculationFromTheKeyboard() {
        auto& window = open(400);
        press(Qt::Key_A, Qt::AltModifier); // 全选
        QTRY_COMPARE(text(QStringLiteral("Text5")), QStringLiteral("11"));
        press(Qt::Key_C, Qt::AltModifier); // 清空
        QTRY_COMPARE(text(QStringLiteral("Text5")), QStringLiteral("0"));
        QVERIFY(tabTo(QStringLiteral("Check6(2)")));
        for (int i = 0; i < 5; ++i) {
            press(Qt::Key_Space);
            press(Qt::Key_Tab);
            press(Qt::Key_Tab);
        }
        QCOMPARE(text(QStringLiteral("Text5")), QStringLiteral("5"));
        QVERIFY(tabTo(QStringLiteral("Combo2")));
        press(Qt::Key_Down);
        press(Qt::Key_P, Qt::AltModifier);

        const auto& snapshot = window.snapshot();
        analysis::GroupRequest request;
        request.codes = {2, 4, 6, 8, 10};
        request.k = 3;
        request.startIssue = snapshot.issues.front();
        request.endIssue = snapshot.issues.back();
        const auto rows =
            history::sortYlRows(analysis::P6Count(snapshot, request), history::YlSortColumn::Last);
        QList<QStringList> expected;
        for (const auto& row : rows) {
            QStringList cells;
            for (int c = 0; c < session::ResultGrid::kColumns; ++c)
                cells << QString::fromStdString(session::ResultGrid::cell(row, c));
            expected << cells;
        }
        QCOMPARE(expected.size(), 10);
        QTRY_COMPARE(gridRows(grid("MSFlexGrid3")), expected);
    }
};

} // namespace
} // namespace yilou::testing

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "keyboard_test.moc"
