// Typing a draw into the five number boxes as a player does: a click somewhere in a box, then
// the digits; Enter in the fifth box after a refused draw was corrected.
#define QTEST_QPA_MOUSE_HANDLING // clicks reach the window as the platform's do

#include "app/frm_main.h"
#include "dialog_script.h"
#include "support/offscreen_application.h"
#include "window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace yilou::testing {
namespace {

/// Where in a box the player clicks: at its left edge, in the middle, at its right edge.
enum class Spot { Left, Middle, Right };

class DrawBoxesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;

    QLineEdit* box(int index) const {
        return fixture_->find<QLineEdit>(QStringLiteral("MaskEdBox1(%1)").arg(index));
    }
    app::frmMain& open(int draws) {
        fixture_ = std::make_unique<WindowFixture>();
        fixture_->storeDraws(draws);
        auto& window = fixture_->open();
        fixture_->activate();
        return window;
    }
    void clickInto(int index, Spot spot = Spot::Middle) const {
        QLineEdit* target = box(index);
        const int x = spot == Spot::Left     ? 3
                      : spot == Spot::Middle ? target->width() / 2
                                             : target->width() - 3;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(x, target->height() / 2));
    }
    /// The keys go to whichever control has the focus, as the keyboard's do.
    static void type(const QString& digits) {
        for (QChar digit : digits)
            QTest::keyClick(QApplication::focusWidget(), digit.toLatin1());
    }
    QStringList boxTexts() const {
        QStringList texts;
        for (int i = 1; i <= 5; ++i)
            texts << box(i)->text();
        return texts;
    }

private slots:
    void cleanup() { fixture_.reset(); }

    // Wherever the click lands in the first box, ten digits are the draw.
    void tenDigitsAfterAClickAnywhereInTheFirstBox_data() {
        QTest::addColumn<int>("spot");
        QTest::newRow("left edge") << static_cast<int>(Spot::Left);
        QTest::newRow("middle") << static_cast<int>(Spot::Middle);
        QTest::newRow("right edge") << static_cast<int>(Spot::Right);
    }
    void tenDigitsAfterAClickAnywhereInTheFirstBox() {
        QFETCH(int, spot);
        auto& window = open(83);
        clickInto(1, static_cast<Spot>(spot));
        QCOMPARE(QApplication::focusWidget(), box(1));
        type(QStringLiteral("03"));
        QCOMPARE(box(1)->displayText(), QStringLiteral("03"));
        QCOMPARE(QApplication::focusWidget(), box(2));
        type(QStringLiteral("11070109"));
        QCOMPARE(window.snapshot().size(), 84u);
        QCOMPARE(window.snapshot().issues.back(), 17081284);
        QCOMPARE(window.snapshot().numbers(83), (history::PositionValues{3, 11, 7, 1, 9}));
        QCOMPARE(boxTexts(), QStringList(5, QString()));
        QCOMPARE(QApplication::focusWidget(), box(1));
    }

    // A box clicked again, half or fully typed, is typed from its start; no digit is lost.
    void aBoxClickedAgainIsTypedFromItsStart() {
        auto& window = open(3);
        clickInto(1);
        type(QStringLiteral("031"));
        QCOMPARE(box(2)->displayText(), QStringLiteral("1_"));
        clickInto(2, Spot::Right);
        type(QStringLiteral("1"));
        QCOMPARE(box(2)->displayText(), QStringLiteral("1_"));
        type(QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), box(3));
        clickInto(1, Spot::Right); // a full box: the first digit starts it again
        type(QStringLiteral("0"));
        QCOMPARE(box(1)->displayText(), QStringLiteral("0_"));
        type(QStringLiteral("4"));
        QCOMPARE(QApplication::focusWidget(), box(2));
        clickInto(3);
        type(QStringLiteral("070109"));
        QCOMPARE(window.snapshot().size(), 4u);
        QCOMPARE(window.snapshot().numbers(3), (history::PositionValues{4, 11, 7, 1, 9}));
    }

    // A refused draw keeps what was typed; the box in error is typed again, and Enter in the
    // fifth box stores the draw without typing the fifth again.
    void enterInTheFifthBoxStoresACorrectedDraw() {
        auto& window = open(3);
        DialogScript dialogs;
        dialogs.ok();
        clickInto(1);
        type(QStringLiteral("0311030109"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("重复")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(window.snapshot().size(), 3u);
        QCOMPARE(boxTexts(), (QStringList{"03", "11", "03", "01", "09"}));

        clickInto(3);
        type(QStringLiteral("07"));
        QCOMPARE(QApplication::focusWidget(), box(4));
        QCOMPARE(window.snapshot().size(), 3u); // nothing yet: the fifth box did not change
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(5));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window.snapshot().size(), 4u);
        QCOMPARE(window.snapshot().numbers(3), (history::PositionValues{3, 11, 7, 1, 9}));
        QCOMPARE(boxTexts(), QStringList(5, QString()));
        QCOMPARE(QApplication::focusWidget(), box(1));
        QCOMPARE(dialogs.seen().size(), 1);
    }

    // Enter with a box not filled says which one; Enter in another box stores nothing.
    void enterWithAnIncompleteDrawSaysWhichBox() {
        auto& window = open(3);
        clickInto(1);
        type(QStringLiteral("031107"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // in the fourth box
        QCOMPARE(window.snapshot().size(), 3u);
        DialogScript dialogs;
        dialogs.ok();
        clickInto(5);
        type(QStringLiteral("09"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("没有输入完整")),
                 qPrintable(dialogs.seenText()));
        // The user goes on in the box at fault.
        QCOMPARE(QApplication::focusWidget(), box(4));
        type(QStringLiteral("01"));
        QCOMPARE(QApplication::focusWidget(), box(5));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter); // the keypad's Enter
        QCOMPARE(window.snapshot().size(), 4u);
    }
};

} // namespace
} // namespace yilou::testing

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::DrawBoxesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "draw_boxes_test.moc"
