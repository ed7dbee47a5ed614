#include "app/dialogs/background_task.h"
#include "app/dialogs/busy_cursor.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "core/user_error.h"
#include "window_tests.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <thread>

namespace yilou::testing {
namespace {

class GridPiecesTest : public QObject {
    Q_OBJECT
private slots:
    void modelBehavesThroughResetsAndGrowth() {
        app::GridModel model({QStringLiteral("期号"), QStringLiteral("落1码")});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto cell = [](int row, int column) {
            return QStringLiteral("%1:%2").arg(row).arg(column);
        };
        model.reset(3, cell);
        model.resizeAtEnd(5);
        model.resizeAtEnd(2);
        QCOMPARE(model.gridRows(), 3);
        QCOMPARE(model.gridText(0, 1), QStringLiteral("落1码"));
        QCOMPARE(model.gridText(2, 1), QStringLiteral("1:1"));
        model.clear();
        QCOMPARE(model.gridRows(), 1);
    }

    void widthsFromTwips() {
        QCOMPARE(app::twipsToPixels(1480), 99);
        QCOMPARE(app::twipsToPixels(600), 40);
        QCOMPARE(app::twipsToPixels(15), 1);
    }

    void backgroundWorkReturnsOrThrowsOnTheWindowThread() {
        QWidget parent;
        const auto caller = std::this_thread::get_id();
        const auto worker =
            app::runWithProgress(&parent, QString(), [] { return std::this_thread::get_id(); });
        QVERIFY(worker != caller);
        QVERIFY_THROWS_EXCEPTION(
            UserError, app::runWithProgress(&parent, QString(), [] { throw UserError("失败"); }));
    }

    void busyCursorIsRestored() {
        {
            app::BusyCursor busy;
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QApplication::overrideCursor());
    }
};

YILOU_WINDOW_TEST(GridPiecesTest);

} // namespace
} // namespace yilou::testing

#include "grid_pieces_test.moc"
