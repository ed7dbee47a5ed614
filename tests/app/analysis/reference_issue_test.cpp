// 历史指定期 as a player uses it: an issue typed and Enter, a click on a history row while the
// tab is shown, and 删除到选定期 from the history grid's right-click menu.
#define QTEST_QPA_MOUSE_HANDLING // clicks reach the window as the platform's do

#include "app/frm_main.h"
#include "app/history/history_grid.h"
#include "core/issue.h"
#include "dialog_script.h"
#include "support/offscreen_application.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTest>

namespace yilou::testing {
namespace {

class ReferenceIssueTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;

    /// 120 draws: 2017-08-12 01..84 and 2017-08-13 01..36.
    app::frmMain& open() {
        fixture_ = std::make_unique<WindowFixture>();
        fixture_->storeDraws(120);
        auto& window = fixture_->open();
        fixture_->activate();
        return window;
    }
    template <typename Widget> Widget* find(const QString& name) const {
        auto* widget = fixture_->find<Widget>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
    void showTab(int index) const {
        auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QCOMPARE(tabs->currentIndex(), index);
    }
    /// The five values the second tab shows.
    QStringList referenceValues() const {
        QStringList values;
        for (int p = 11; p <= 15; ++p)
            values << text(QStringLiteral("Text2(%1)").arg(p));
        return values;
    }
    /// The numbers of draw `index` as the second tab shows them (号码, 落地码).
    QStringList numbersOf(std::size_t index) const {
        QStringList values;
        for (int number : fixture_->window().snapshot().numbers(index))
            values << QString::number(number);
        return values;
    }
    QString issueOf(std::size_t index) const {
        return QString::fromStdString(
            history::issueText(fixture_->window().snapshot().issues[index]));
    }
    /// A row of the history grid in view, `below` rows under the top one, and where it is.
    std::pair<int, QPoint> rowInView(int below) const {
        auto* grid = fixture_->window().MSFlexGrid1();
        const int row = grid->rowAt(0) + below;
        return {row, grid->visualRect(grid->model()->index(row, 1)).center()};
    }
    /// Clicks into Text4, replaces its text and presses Enter.
    void typeReference(const QString& issue) const {
        auto* box = find<QLineEdit>(QStringLiteral("Text4"));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, issue);
        QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void cleanup() { fixture_.reset(); }

    void enterShowsTheNumbersOfTheTypedIssue() {
        open();
        showTab(1);
        QCOMPARE(text(QStringLiteral("Text4")), issueOf(119));
        QCOMPARE(referenceValues(), numbersOf(119));

        typeReference(QStringLiteral("2017081250"));
        QCOMPARE(QApplication::focusWidget(), find<QLineEdit>(QStringLiteral("Text4")));
        QCOMPARE(referenceValues(), numbersOf(49));
        QCOMPARE(text(QStringLiteral("Text3(1)")), issueOf(119)); // 仅检索该期前 is clear

        // Ticked, the range ends before the reference; another issue and Enter moves both.
        auto* beforeOnly = find<QCheckBox>(QStringLiteral("Check4"));
        QTest::mouseClick(beforeOnly, Qt::LeftButton, {}, QPoint(8, beforeOnly->height() / 2));
        QVERIFY(beforeOnly->isChecked());
        QCOMPARE(text(QStringLiteral("Text3(1)")), QStringLiteral("2017081249"));
        typeReference(QStringLiteral("17081302")); // the eight-digit form serves too
        QCOMPARE(referenceValues(), numbersOf(85));
        QCOMPARE(text(QStringLiteral("Text3(1)")), QStringLiteral("2017081301"));

        // An issue that gives no draw says why when Enter asks for it.
        DialogScript dialogs;
        dialogs.ok();
        typeReference(QStringLiteral("2017081101"));
        QCOMPARE(dialogs.pending(), 0);
        QCOMPARE(dialogs.seen().size(), 1);
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("2017081201")),
                 qPrintable(dialogs.seenText()));
    }

    void aClickOnAHistoryRowOfTheSecondTabIsTheReference() {
        auto& window = open();
        auto* grid = window.MSFlexGrid1();
        const int top = grid->topRow();
        showTab(1);
        auto* beforeOnly = find<QCheckBox>(QStringLiteral("Check4"));
        QTest::mouseClick(beforeOnly, Qt::LeftButton, {}, QPoint(8, beforeOnly->height() / 2));
        QVERIFY(beforeOnly->isChecked());

        const auto [row, at] = rowInView(3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(text(QStringLiteral("Text4")), issueOf(row));
        QCOMPARE(referenceValues(), numbersOf(row));
        QCOMPARE(text(QStringLiteral("Text3(1)")), issueOf(row - 1));
        QCOMPARE(grid->topRow(), top); // the grid stays where it was

        // On the first tab a click only selects the row.
        showTab(0);
        const auto [other, otherAt] = rowInView(5);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, otherAt);
        QCOMPARE(grid->currentIndex().row(), other);
        QCOMPARE(text(QStringLiteral("Text4")), issueOf(row));
    }

    void deleteToProposesTheRowRightClicked() {
        auto& window = open();
        auto* grid = window.MSFlexGrid1();
        // Another row selected first: the right click's row is the one proposed.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowInView(1).second);
        const auto [row, at] = rowInView(6);
        const history::Issue kept = window.snapshot().issues[row];
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, at);
        auto* menu = find<QMenu>(QStringLiteral("mnuLsgl"));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(grid->currentIndex().row(), row);

        DialogScript dialogs;
        dialogs.ok();                     // the proposed issue as it stands
        QTest::keyClick(menu, Qt::Key_D); // 删除到选定期(&D)
        QTRY_COMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen().front().startsWith(QStringLiteral("删除期数|")),
                 qPrintable(dialogs.seenText()));
        QTRY_COMPARE(window.snapshot().size(), static_cast<std::size_t>(row + 1));
        QCOMPARE(window.snapshot().issues.back(), kept);
        QCOMPARE(find<QLineEdit>(QStringLiteral("Text4"))->text(), issueOf(row));
    }
};

} // namespace
} // namespace yilou::testing

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::ReferenceIssueTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "reference_issue_test.moc"
