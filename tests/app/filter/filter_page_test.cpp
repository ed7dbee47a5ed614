// The page 缩水回测 in the real window, offscreen, on an imported real history: its boxes make
// the request the command line makes with the same options, the tickets are exported as the
// command line prints them, and the back-test shows what the command line prints.
#include "app/dialogs/prompts.h"
#include "app/filter/filter_page.h"
#include "app/frm_main.h"
#include "app/grid/grid_model.h"
#include "app/overview/overview_pages.h"
#include "cli_output.h"
#include "dialog_script.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <memory>

using namespace yilou;
using namespace yilou::app;

namespace {

/// 任选五 with 03, without 11, sum 25–35, two or three odd numbers, as options.
const std::vector<std::string> kRule{"--play", "r5",    "--must", "3",     "--exclude",
                                     "11",     "--sum", "25-35",  "--odd", "2,3"};

} // namespace

class FilterPageTest : public QObject {
    Q_OBJECT

private:
    std::string cli(std::vector<std::string> args) {
        return yilou::testing::cliOutput(data_.path(), std::move(args));
    }
    std::string cliWithRule(std::vector<std::string> args) {
        args.insert(args.end(), kRule.begin(), kRule.end());
        return cli(args);
    }

    yilou::testing::TempDir data_, config_;
    std::unique_ptr<frmMain> window_;
    FilterPage* page_ = nullptr;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path().string()));
        cli({"import", std::string(YILOU_SAMPLE_DATA_DIR) + "/gd11x5-2014102884-2015021510.txt"});
        window_ = std::make_unique<frmMain>(data_.path());
        window_->resize(1366, 740);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        page_ = window_->findChild<FilterPage*>();
        QVERIFY(page_);
        window_->findChild<OverviewPages*>()->tabs()->setCurrentWidget(page_);
        page_->play()->setCurrentIndex(4);
        page_->must(3)->setChecked(true);
        page_->exclude(11)->setChecked(true);
        page_->range(0).low->setValue(25);
        page_->range(0).high->setValue(35);
        page_->range(0).on->setChecked(true);
        page_->count(0, 2)->setChecked(true);
        page_->count(0, 3)->setChecked(true);
        QCoreApplication::processEvents();
    }

    void theBoxesAreTheCommandLinesOptions() {
        QCOMPARE(page_->caption()->text(),
                 yilou::testing::nonEmptyLines(cliWithRule({"filter"})).first());
        // An 11-number game has no twelfth box; 任选二 no count above two.
        QVERIFY(page_->must(12)->isHidden());
        page_->play()->setCurrentIndex(1);
        QVERIFY(page_->count(0, 3)->isHidden());
        QVERIFY(!page_->count(0, 2)->isHidden());
        page_->play()->setCurrentIndex(4);
    }

    void aNumberBothMustAndExcludedIsNamed() {
        page_->exclude(3)->setChecked(true);
        QVERIFY(page_->caption()->text().contains(QStringLiteral("既是胆码又是杀号")));
        QVERIFY(!page_->exportButton()->isEnabled());
        page_->exclude(3)->setChecked(false);
        QVERIFY(page_->exportButton()->isEnabled());
    }

    void theTicketsAreExportedOneALine() {
        const auto file = data_.path() / "tickets.txt";
        yilou::testing::DialogScript script;
        script.choose(QString::fromStdString(file.string())).ok();
        page_->exportButton()->click();
        QCOMPARE(script.pending(), 0);
        QCOMPARE(yilou::testing::readFile(file), cliWithRule({"--format", "text", "filter"}));
    }

    void theBacktestShowsTheCommandLinesDrawsAndTotals() {
        page_->backtestDraws()->setValue(200);
        page_->backtestButton()->click();
        const QStringList table =
            yilou::testing::nonEmptyLines(cliWithRule({"backtest", "--last", "200"}));
        const QStringList csv = yilou::testing::nonEmptyLines(
            cliWithRule({"--format", "csv", "backtest", "--last", "200"}));
        const auto* model = page_->model();
        QCOMPARE(model->rowCount(), 200);
        for (int r : {0, 199}) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->gridText(r + 1, c);
            QCOMPARE(cells.join(QLatin1Char(',')), csv[r + 1]);
        }
        // The caption and the totals beside chance, money last, in the command line's words.
        QCOMPARE(page_->summary()->text(),
                 table.first() + QLatin1Char('\n') +
                     table.mid(table.size() - 4).join(QStringLiteral("  ")));
    }
};

QTEST_MAIN(FilterPageTest)
#include "filter_page_test.moc"
