// The page 投注计算 and 设置 → 奖金设置 in the real window, offscreen: the page shows what the
// command line prints for the same bet, and the prizes saved in the dialog are those the
// command line and the page then use.
#include "app/calc/calc_page.h"
#include "app/calc/prize_dialog.h"
#include "app/frm_main.h"
#include "app/grid/grid_model.h"
#include "app/overview/overview_pages.h"
#include "app/shell/main_menus.h"
#include "cli_output.h"
#include "dialog_script.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <memory>

using namespace yilou;
using namespace yilou::app;

namespace {

/// 任选五 复式 of seven numbers at 2 倍, as options.
const std::vector<std::string> kBet{"calc",          "--play",     "r5", "--numbers",
                                    "1,2,3,4,5,6,7", "--multiple", "2"};

} // namespace

class CalcPageTest : public QObject {
    Q_OBJECT

private:
    std::string cli(std::vector<std::string> args) {
        return yilou::testing::cliOutput(data_.path(), std::move(args));
    }

    /// The page's rows, its caption and its summary against the command line's.
    void compareWithCommandLine() {
        const QStringList table = yilou::testing::nonEmptyLines(cli(kBet));
        auto csvArgs = kBet;
        csvArgs.insert(csvArgs.begin(), {"--format", "csv"});
        const QStringList csv = yilou::testing::nonEmptyLines(cli(csvArgs));
        const auto* model = page_->model();
        QCOMPARE(model->rowCount(), csv.size() - 1);
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c) {
                const QString cell = model->gridText(r + 1, c);
                cells << (cell.contains(QLatin1Char(','))
                              ? QLatin1Char('"') + cell + QLatin1Char('"')
                              : cell);
            }
            QCOMPARE(cells.join(QLatin1Char(',')), csv[r + 1]);
        }
        QCOMPARE(page_->caption()->text(), table.first());
        const qsizetype summaryLines = page_->summary()->text().count(QLatin1Char('\n')) + 1;
        QCOMPARE(page_->summary()->text(),
                 table.mid(table.size() - summaryLines).join(QLatin1Char('\n')));
    }

    PrizeDialog* openPrizes() {
        window_->menus()->mnuPrizes->trigger();
        auto* dialog = window_->findChild<PrizeDialog*>();
        return dialog;
    }

    yilou::testing::TempDir data_, config_;
    std::unique_ptr<frmMain> window_;
    CalcPage* page_ = nullptr;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path().string()));
        window_ = std::make_unique<frmMain>(data_.path());
        window_->resize(1366, 740);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        page_ = window_->findChild<CalcPage*>();
        QVERIFY(page_);
        window_->findChild<OverviewPages*>()->tabs()->setCurrentWidget(page_);
        page_->play()->setCurrentIndex(4);
        page_->numbers()->setText(QStringLiteral("1 2 3 4 5 6 7"));
        page_->multiple()->setValue(2);
        QCoreApplication::processEvents();
    }

    void theBetShowsWhatTheCommandLinePrints() {
        compareWithCommandLine();
        QVERIFY(page_->summary()->text().contains(QStringLiteral("平均返还约 58.4 元")));
    }

    void aMistakeIsShownInTheCaption() {
        page_->bankers()->setText(QStringLiteral("1"));
        QVERIFY(page_->caption()->text().contains(QStringLiteral("既是胆码又是拖码")));
        QCOMPARE(page_->model()->rowCount(), 0);
        page_->bankers()->clear();
        compareWithCommandLine();
    }

    void savedPrizesAreThoseOfTheCommandLineAndThePage() {
        PrizeDialog* dialog = openPrizes();
        QVERIFY(dialog);
        QVERIFY(!dialog->prize(analysis::Play::Any1));
        QCOMPARE(dialog->prize(analysis::Play::Any5)->text(), QStringLiteral("540"));
        dialog->prize(analysis::Play::Any5)->setText(QStringLiteral("600"));
        dialog->prize(analysis::Play::Front1)->clear();
        dialog->accept();
        QVERIFY(!dialog->isVisible());
        QCoreApplication::processEvents();
        const std::string prizes = cli({"--format", "csv", "prizes"});
        QVERIFY(prizes.find("任选五,r5,600\n") != std::string::npos);
        QVERIFY(prizes.find("前一,q1,未设置奖金\n") != std::string::npos);
        compareWithCommandLine();
        QCOMPARE(page_->model()->gridText(1, 2), QStringLiteral("1,200"));
    }

    void aPrizeThatDoesNotReadIsRefusedAndNothingSaved() {
        PrizeDialog* dialog = openPrizes();
        QVERIFY(dialog);
        dialog->prize(analysis::Play::Any5)->setText(QStringLiteral("abc"));
        yilou::testing::DialogScript script;
        script.ok();
        dialog->accept();
        QCOMPARE(script.pending(), 0);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        QVERIFY(cli({"--format", "csv", "prizes"}).find("任选五,r5,600\n") != std::string::npos);
    }
};

QTEST_MAIN(CalcPageTest)
#include "calc_page_test.moc"
