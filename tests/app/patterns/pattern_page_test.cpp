// The page 形态走势 in the real window, offscreen, on an imported real history: its wiring to the
// window's range and reference issue, to the pattern combo, the chart's buttons and the result
// grids. The figures themselves are the session's, tested there and through the command line.
#include "app/analysis/analysis_area.h"
#include "app/analysis/position_input_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/frm_main.h"
#include "app/grid/grid_model.h"
#include "app/overview/overview_model.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"
#include "app/overview/trend_view.h"
#include "app/patterns/pattern_page.h"
#include "app/patterns/pattern_trend_page.h"
#include "cli/cli.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>
#include <sstream>

using namespace yilou;
using namespace yilou::app;

namespace {

constexpr auto kFrom = "2014110101";
constexpr auto kTo = "2015020184";

} // namespace

class PatternPageTest : public QObject {
    Q_OBJECT

private:
    /// The first line the command line prints (a table's caption), run on the window's data.
    QString cliCaption(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", data_.path().string()});
        std::ostringstream out, err;
        cli::runCli(args, out, err);
        return QString::fromStdString(out.str()).section(QLatin1Char('\n'), 0, 0);
    }

    yilou::testing::TempDir data_, config_;
    std::unique_ptr<frmMain> window_;
    OverviewPages* pages_ = nullptr;
    PatternPage* page_ = nullptr;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path().string()));
        cliCaption(
            {"import", std::string(YILOU_SAMPLE_DATA_DIR) + "/gd11x5-2014102884-2015021510.txt"});
        window_ = std::make_unique<frmMain>(data_.path());
        window_->resize(1366, 740);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        pages_ = window_->findChild<OverviewPages*>();
        page_ = window_->findChild<PatternPage*>();
        QVERIFY(page_);
        auto& range = window_->analysis()->range->Text3;
        range[0]->setText(QString::fromLatin1(kFrom));
        range[1]->setText(QString::fromLatin1(kTo));
        pages_->tabs()->setCurrentWidget(page_);
        QCOMPARE(pages_->tabs()->tabText(pages_->tabs()->currentIndex()),
                 QStringLiteral("形态走势"));
    }

    void followsTheComboTheRangeAndTheReference() {
        page_->pattern()->setCurrentIndex(1);
        QCoreApplication::processEvents();
        QCOMPARE(page_->caption()->text(), cliCaption({"pattern", "overview", "--pattern", "span",
                                                       "--from", kFrom, "--to", kTo}));
        QCOMPARE(page_->model()->rowCount(), 7);
        QCOMPARE(page_->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("跨度"));
        auto* trend = page_->trend();
        QCOMPARE(trend->caption()->text(), cliCaption({"pattern", "trend", "--pattern", "span",
                                                       "--last", "50", "--to", kTo}));
        trend->drawCounts()->button(100)->click();
        QCOMPARE(trend->view()->chart()->rowCount(), 100u);

        // On the second tab the reference issue ends the range, as it does for the searches.
        auto* positions = window_->analysis()->positions;
        positions->TabStrip1->setCurrentIndex(1);
        positions->Text4->setText(QStringLiteral("2015010150"));
        positions->Check4->setChecked(true);
        QCoreApplication::processEvents();
        QCOMPARE(page_->caption()->text(),
                 cliCaption({"pattern", "overview", "--pattern", "span", "--from", kFrom, "--ref",
                             "2015010150", "--before"}));
        positions->Check4->setChecked(false);
        positions->TabStrip1->setCurrentIndex(0);
        QCoreApplication::processEvents();
    }

    void clickingARowListsTheValuesDraws() {
        page_->pattern()->setCurrentIndex(2); // 奇偶比
        QCoreApplication::processEvents();
        page_->grid()->sortByColumn(1, Qt::DescendingOrder); // the most hits first
        const QModelIndex first = page_->model()->index(0, 0);
        const int hits = page_->model()->index(0, 1).data().toInt();
        QVERIFY(hits > 0);
        QTest::mouseClick(page_->grid()->viewport(), Qt::LeftButton, {},
                          page_->grid()->visualRect(first).center());
        auto* results = window_->analysis()->results;
        QCOMPARE(pages_->tabs()->currentWidget(), results);
        QCOMPARE(results->searchModel->rowCount(), hits);
        QCOMPARE(results->resultModel->gridText(1, 0),
                 QStringLiteral("奇偶比 ") + first.data().toString());
        QCOMPARE(results->resultModel->gridText(1, 3),
                 page_->model()->index(0, 5).data().toString());
        pages_->tabs()->setCurrentWidget(page_);
    }

    void besideTheChartTheOverviewShowsItsColumnsUpToTheRatio() {
        // 奇偶比 has long 大后比 texts (up to 15 digits).
        page_->pattern()->setCurrentIndex(2);
        QCoreApplication::processEvents();
        const auto* header = page_->grid()->horizontalHeader();
        const int ratio = 6; // 大后比
        QCOMPARE(header->model()->headerData(ratio, Qt::Horizontal).toString(),
                 QStringLiteral("大后比"));
        QVERIFY(header->sectionViewportPosition(ratio) + header->sectionSize(ratio) <=
                page_->grid()->viewport()->width());
    }

    void sideColumnsWidenTheBasicChart() {
        TrendPage* trend = pages_->trend();
        pages_->tabs()->setCurrentWidget(trend);
        QCoreApplication::processEvents();
        const int width = trend->view()->image().width();
        trend->sideColumns()->click();
        QVERIFY(trend->view()->image().width() > width);
        trend->sideColumns()->click();
        QCOMPARE(trend->view()->image().width(), width);
    }
};

QTEST_MAIN(PatternPageTest)
#include "pattern_page_test.moc"
