#include "app/analysis/analysis_area.h"
#include "app/analysis/result_grids_panel.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "app/history/history_grid.h"
#include "dialog_script.h"
#include "support/file_size_limit.h"
#include "support/text_files.h"
#include "support/workbook_reader.h"
#include "window_fixture.h"
#include "window_tests.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>

namespace yilou::testing {
namespace {

/// Double-clicks a grid as the user does, on its first data cell: a click, then the double
/// click.
void doubleClick(app::FlexGrid* grid) {
    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    const QPoint at = cell.isValid() ? cell.center() : QPoint(5, 5);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

/// The workbook holds one sheet "Sheet1" with every cell of the grid as it shows it.
void compareWithGrid(const std::filesystem::path& file, const app::FlexGrid* grid) {
    const auto sheets = readWorkbook(file);
    QCOMPARE(sheets.size(), 1u);
    QCOMPARE(sheets[0].name, std::string("Sheet1"));
    const auto* model = grid->gridModel();
    QCOMPARE(sheets[0].cells.size(), static_cast<std::size_t>(model->gridRows()));
    for (int r = 0; r < model->gridRows(); ++r)
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString shown = model->gridText(r, c);
            const auto& cell = sheets[0].cells[r].at(c);
            QCOMPARE(QString::fromStdString(cell.value_or("")), shown);
            QCOMPARE(cell.has_value(), !shown.isEmpty());
        }
}

/// Notes whether a progress dialog showed; with `cancel`, presses its Cancel button as soon as
/// it shows, before the work runs.
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(bool cancel = false) : cancel_(cancel) {
        qApp->installEventFilter(this);
    }
    bool shown = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QProgressDialog*>(watched);
        if (dialog && event->type() == QEvent::Show && !shown) {
            shown = true;
            if (cancel_)
                dialog->findChild<QPushButton*>()->click();
        }
        return false;
    }

private:
    bool cancel_;
};

class SpreadsheetExportTest : public QObject {
    Q_OBJECT
private slots:
    void historyGridExportsFromTheMenuAndTheDoubleClick() {
        WindowFixture fixture;
        fixture.storeDraws(30);
        fixture.open();
        const auto file = fixture.folder() / "lishi.xls";
        const ProgressWatch progress;
        fixture.trigger(QStringLiteral("mnuDcls"));
        compareWithGrid(file, fixture.window().MSFlexGrid1());
        QCOMPARE(fixture.opened().size(), 1u);
        QCOMPARE(fixture.opened()[0], QUrl::fromLocalFile(QString::fromStdString(file.string())));

        // The double click replaces the workbook.
        writeFile(file, "previous");
        doubleClick(fixture.window().MSFlexGrid1());
        compareWithGrid(file, fixture.window().MSFlexGrid1());
        QCOMPARE(fixture.opened().size(), 2u);
        QVERIFY(!progress.shown);
    }

    void resultGridsExportWhatTheyShow() {
        WindowFixture fixture;
        fixture.storeDraws(300);
        fixture.open();
        auto* results = fixture.window().analysis()->results;
        const auto searchFile = fixture.folder() / "Jiansuo.xls";
        const auto resultFile = fixture.folder() / "Jieguo.xls";

        // Before any search: the header rows alone.
        doubleClick(results->MSFlexGrid2);
        compareWithGrid(searchFile, results->MSFlexGrid2);
        QCOMPARE(readWorkbook(searchFile)[0].rows, 1u);

        fixture.find<QPushButton>(QStringLiteral("Command1"))->click();
        QVERIFY(results->MSFlexGrid2->rows() > 2);
        doubleClick(results->MSFlexGrid2);
        compareWithGrid(searchFile, results->MSFlexGrid2);
        doubleClick(results->MSFlexGrid3);
        compareWithGrid(resultFile, results->MSFlexGrid3);
        QCOMPARE(readWorkbook(resultFile)[0].rows, 2u);

        // The grouped results replace the summary row, in the grid and in the workbook.
        fixture.find<QPushButton>(QStringLiteral("cmdZH(0)"))->click();
        fixture.find<QPushButton>(QStringLiteral("Command5"))->click();
        QVERIFY(results->MSFlexGrid3->rows() > 2);
        doubleClick(results->MSFlexGrid3);
        compareWithGrid(resultFile, results->MSFlexGrid3);

        // A search after the calculation: its summary row is what the double click exports, and
        // the click that began the double click leaves it in the grid.
        fixture.find<QPushButton>(QStringLiteral("Command1"))->click();
        doubleClick(results->MSFlexGrid3);
        QCOMPARE(readWorkbook(resultFile)[0].rows, 2u);
        compareWithGrid(resultFile, results->MSFlexGrid3);
        QTest::qWait(QApplication::doubleClickInterval() * 2);
        QCOMPARE(results->MSFlexGrid3->rows(), 2);
        QCOMPARE(fixture.opened().size(), 5u);
    }

    void failedExportShowsWhyAndKeepsThePreviousWorkbook() {
        WindowFixture fixture;
        fixture.storeDraws(3000);
        fixture.open();
        const auto file = fixture.folder() / "lishi.xls";
        writeFile(file, "previous");
        DialogScript dialogs;
        dialogs.ok();
        {
            // The disk fills up part-way through the workbook.
            const FileSizeLimit limit(20000);
            fixture.trigger(QStringLiteral("mnuDcls"));
        }
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seenText().contains(QString::fromStdString(file.string())),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(readFile(file), std::string("previous"));
        QVERIFY(fixture.opened().empty());
    }

    void withoutADefaultApplicationTheMessageGivesThePath() {
        WindowFixture fixture;
        fixture.storeDraws(3);
        fixture.open(false);
        DialogScript dialogs;
        dialogs.ok();
        fixture.trigger(QStringLiteral("mnuDcls"));
        QCOMPARE(dialogs.pending(), 0);
        const auto file = fixture.folder() / "lishi.xls";
        QVERIFY(dialogs.seenText().contains(QString::fromStdString(file.string())));
        QCOMPARE(readWorkbook(file, false)[0].rows, 4u);
    }

    void longGridExportsBehindAProgressDialogThatCanStopIt() {
        WindowFixture fixture;
        fixture.storeDraws(100000);
        fixture.open();
        const auto file = fixture.folder() / "lishi.xls";
        writeFile(file, "previous");
        {
            const ProgressWatch cancel(true);
            DialogScript unexpected; // a stopped export says nothing
            unexpected.ok();
            fixture.trigger(QStringLiteral("mnuDcls"));
            QVERIFY(cancel.shown);
            QCOMPARE(unexpected.pending(), 1);
        }
        QCOMPARE(readFile(file), std::string("previous"));
        QVERIFY(fixture.opened().empty());

        // Run to its end, the grid fills two sheets and the message says so.
        const ProgressWatch progress;
        DialogScript dialogs;
        dialogs.ok();
        fixture.trigger(QStringLiteral("mnuDcls"));
        QVERIFY(progress.shown);
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seenText().contains(QStringLiteral("Sheet2")),
                 qPrintable(dialogs.seenText()));
        const auto sheets = readWorkbook(file, false);
        QCOMPARE(sheets.size(), 2u);
        QCOMPARE(sheets[0].rows + sheets[1].rows, 100001u + 1u);
        QCOMPARE(fixture.opened().size(), 1u);
    }
};

YILOU_WINDOW_TEST(SpreadsheetExportTest);

} // namespace
} // namespace yilou::testing

#include "spreadsheet_export_test.moc"
