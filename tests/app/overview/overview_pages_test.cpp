// The pages 遗漏总览 and 走势图 in the real window, offscreen, on an imported real history: they
// must show what the command line prints for the same inputs and follow the window's controls.
#include "app/analysis/analysis_area.h"
#include "app/analysis/combination_panel.h"
#include "app/analysis/position_input_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/analysis/search_options_panel.h"
#include "app/analysis/search_panel.h"
#include "app/dialogs/prompts.h"
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "app/overview/gap_histogram.h"
#include "app/overview/missing_issues_dialog.h"
#include "app/overview/overview_model.h"
#include "app/overview/overview_page.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"
#include "app/overview/trend_view.h"
#include "app/shell/main_menus.h"
#include "cli/cli.h"
#include "support/temp_dir.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
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

const char* const kTypes[] = {"number", "zodiac", "head", "tail", "sum", "segment"};
constexpr auto kFrom = "2014110101";
constexpr auto kTo = "2015020184";

QStringList lines(const std::string& text) {
    return QString::fromStdString(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class OverviewPagesTest : public QObject {
    Q_OBJECT

private:
    /// The command line's output, run on the window's data folder.
    std::string cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", fixture_->folder().string()});
        std::ostringstream out, err;
        const int status = cli::runCli(args, out, err);
        if (status != 0)
            qWarning() << QString::fromStdString(err.str());
        return out.str();
    }
    /// Sets the window's type and order as a user's clicks do and lets the pages catch up.
    void choose(int type, bool sorted) {
        auto* options = window_->analysis()->options;
        options->Option3[type]->click();
        options->Option2[sorted ? 5 : 4]->click();
        QCoreApplication::processEvents();
    }

    yilou::testing::TempDir config_;
    std::unique_ptr<yilou::testing::WindowFixture> fixture_;
    frmMain* window_ = nullptr;
    OverviewPages* pages_ = nullptr;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path().string()));
        fixture_ = std::make_unique<yilou::testing::WindowFixture>();
        cli({"import", std::string(YILOU_SAMPLE_DATA_DIR) + "/gd11x5-2014102884-2015021510.txt"});
        window_ = &fixture_->open();
        window_->resize(1366, 740);
        pages_ = window_->findChild<OverviewPages*>();
        QVERIFY(pages_);
        auto& range = window_->analysis()->range->Text3;
        range[0]->setText(QString::fromLatin1(kFrom));
        range[1]->setText(QString::fromLatin1(kTo));
    }

    void overviewShowsTheCommandLinesFigures_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<int>("place");
        QTest::newRow("号码 任意位") << 0 << false << 0;
        QTest::newRow("生肖 落地码 第2位") << 1 << false << 2;
        QTest::newRow("头数 顺序码 第1位") << 2 << true << 1;
        QTest::newRow("尾数 顺序码 第3位") << 3 << true << 3;
        QTest::newRow("合数 任意位") << 4 << true << 0;
        QTest::newRow("段数 落地码 第5位") << 5 << false << 5;
    }
    void overviewShowsTheCommandLinesFigures() {
        QFETCH(int, type);
        QFETCH(bool, sorted);
        QFETCH(int, place);
        OverviewPage* page = pages_->overview();
        pages_->tabs()->setCurrentWidget(page);
        choose(type, sorted);
        page->place()->setCurrentIndex(place);
        const std::vector<std::string> args{"overview",
                                            "--type",
                                            kTypes[type],
                                            "--order",
                                            sorted ? "sorted" : "drop",
                                            "--place",
                                            place ? std::to_string(place) : "any",
                                            "--from",
                                            kFrom,
                                            "--to",
                                            kTo};
        QCOMPARE(page->caption()->text() + "\n",
                 QString::fromStdString(cli(args)).section(QLatin1Char('\n'), 0, 0) + "\n");
        auto csvArgs = args;
        csvArgs.insert(csvArgs.begin(), {"--format", "csv"});
        const QStringList expected = lines(cli(csvArgs));
        const OverviewModel* model = page->model();
        QCOMPARE(model->rowCount(), expected.size() - 1);
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList shown;
            for (int c = 0; c < model->columnCount(); ++c)
                shown << model->index(r, c).data().toString();
            const QStringList fields = expected[r + 1].split(QLatin1Char(','));
            QCOMPARE(shown, fields.mid(0, model->columnCount()));
            // The histogram beside the grid is the selected value's.
            page->grid()->selectRow(r);
            QStringList bars;
            for (const auto count : page->histogram()->counts())
                bars << QString::number(count);
            QCOMPARE(bars, fields.mid(model->columnCount()));
        }
    }

    void overviewSortsByTheFiguresEitherWay() {
        OverviewPage* page = pages_->overview();
        pages_->tabs()->setCurrentWidget(page);
        choose(0, false);
        page->place()->setCurrentIndex(0);
        const auto valuesShown = [page] {
            QStringList values;
            for (int r = 0; r < page->model()->rowCount(); ++r)
                values << page->model()->index(r, 0).data().toString();
            return values;
        };
        // The command line sorts ascending by the same figures.
        QStringList ascending;
        for (const QString& line : lines(cli({"--format", "csv", "overview", "--from", kFrom,
                                              "--to", kTo, "--sort", "dueChance"}))
                                       .mid(1))
            ascending << line.section(QLatin1Char(','), 0, 0);
        // A click on a header sorts ascending, a second click on it reverses the order.
        auto* header = page->grid()->horizontalHeader();
        page->grid()->scrollTo(page->model()->index(0, 10));
        const auto clickHeader = [header] {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(10) + 4, 4));
        };
        clickHeader();
        QCOMPARE(valuesShown(), ascending);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        const QString selected = page->histogram()->title();
        clickHeader();
        QCOMPARE(header->sortIndicatorSection(), 10);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        for (int r = 1; r < page->model()->rowCount(); ++r)
            QVERIFY(page->model()->figures(r - 1).dueChance >= page->model()->figures(r).dueChance);
        QCOMPARE(page->histogram()->title(), selected);
        page->grid()->sortByColumn(0, Qt::AscendingOrder);
    }

    // The whole range lies in the year of 马, when 12, and so 羊, is no number of an 11-number
    // game: its row is greyed, the others are not.
    void impossibleValueIsGreyed() {
        OverviewPage* page = pages_->overview();
        pages_->tabs()->setCurrentWidget(page);
        choose(1, false);
        page->place()->setCurrentIndex(0);
        const OverviewModel* model = page->model();
        QStringList greyed;
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 0).data(Qt::ForegroundRole).isValid())
                greyed << model->index(r, 0).data().toString();
        QCOMPARE(greyed, QStringList{QStringLiteral("羊")});
    }

    void trendShowsTheCommandLinesChart_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<int>("place");
        QTest::addColumn<int>("rows");
        QTest::newRow("号码 任意位 30") << 0 << false << 0 << 30;
        QTest::newRow("号码 顺序码 第4位 100") << 0 << true << 4 << 100;
        QTest::newRow("生肖 第1位 500") << 1 << false << 1 << 500;
        QTest::newRow("尾数 任意位 全部") << 3 << false << 0 << 0;
    }
    void trendShowsTheCommandLinesChart() {
        QFETCH(int, type);
        QFETCH(bool, sorted);
        QFETCH(int, place);
        QFETCH(int, rows);
        TrendPage* page = pages_->trend();
        pages_->tabs()->setCurrentWidget(page);
        choose(type, sorted);
        page->place()->setCurrentIndex(place);
        page->drawCounts()->button(rows)->click();
        const auto& chart = page->view()->chart();
        QVERIFY(chart);
        if (!rows) {
            // Every draw of the window's range.
            const QString whole =
                QString::fromStdString(cli({"overview", "--from", kFrom, "--to", kTo}));
            QVERIFY(whole.section(QLatin1Char('\n'), 0, 0)
                        .endsWith(QStringLiteral("（%1期）").arg(chart->rowCount())));
        }
        // The command line takes the newest N up to the range's end.
        const QStringList expected = lines(cli(
            {"--format", "csv", "trend", "--type", kTypes[type], "--order",
             sorted ? "sorted" : "drop", "--place", place ? std::to_string(place) : "any", "--to",
             kTo, "--last", std::to_string(rows ? rows : static_cast<int>(chart->rowCount()))}));
        QCOMPARE(static_cast<qsizetype>(chart->rowCount()) + 5, expected.size());
        const QStringList labels = expected[0].split(QLatin1Char(',')).mid(2);
        for (std::size_t r = 0; r < chart->rowCount(); ++r) {
            const QStringList fields = expected[static_cast<int>(r) + 1].split(QLatin1Char(','));
            QCOMPARE(QString::number(chart->issues[r] + 2000000000LL), fields[0]);
            for (std::size_t v = 0; v < chart->values.size(); ++v) {
                const auto misses = chart->misses(0, v, r);
                QCOMPARE(misses ? QString::number(misses) : "[" + labels[static_cast<int>(v)] + "]",
                         fields[static_cast<int>(v) + 2]);
            }
        }
        for (int f = 0; f < 4; ++f) {
            const QStringList fields = expected[expected.size() - 4 + f].split(QLatin1Char(','));
            for (std::size_t v = 0; v < chart->values.size(); ++v)
                QCOMPARE(page->view()->footerText(static_cast<std::size_t>(f), 0, v),
                         fields[static_cast<int>(v) + 2]);
        }
    }

    void trendEachPositionAndToggles() {
        TrendPage* page = pages_->trend();
        pages_->tabs()->setCurrentWidget(page);
        choose(0, false);
        page->drawCounts()->button(30)->click();
        page->place()->setCurrentIndex(page->place()->count() - 1);
        QCOMPARE(page->view()->chart()->blocks.size(), std::size_t{5});
        // A chart scrolled sideways stays where it was when it is made again.
        auto* sideways = page->view()->horizontalScrollBar();
        QVERIFY(sideways->maximum() > 0);
        sideways->setValue(sideways->maximum());
        page->drawCounts()->button(50)->click();
        QCOMPARE(sideways->value(), sideways->maximum());
        // Each toggle changes the picture and back.
        const QImage plain = page->view()->image();
        for (QCheckBox* toggle : {page->showMisses(), page->guideLines()}) {
            toggle->click();
            QVERIFY(page->view()->image() != plain);
            toggle->click();
            QCOMPARE(page->view()->image(), plain);
        }
    }

    void trendSavedAsPicture() {
        TrendPage* page = pages_->trend();
        pages_->tabs()->setCurrentWidget(page);
        page->drawCounts()->button(50)->click();
        const QString file = QString::fromStdString((fixture_->folder() / "走势图测试").string());
        PromptScript chooseFile;
        chooseFile.choose(file);
        {
            const Prompts::Scripted scripted(chooseFile);
            page->save()->click();
        }
        QCOMPARE(chooseFile.pending(), 0);
        const QImage saved(file + ".png");
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.size(), page->view()->image().size());

        // Every draw of the range is more than one picture can hold: said so, nothing asked.
        page->drawCounts()->button(0)->click();
        PromptScript refusal;
        refusal.ok();
        {
            const Prompts::Scripted scripted(refusal);
            page->save()->click();
        }
        QVERIFY(refusal.seenText().contains(QStringLiteral("请选择较少的期数")));
    }

    void pagesFollowTheReferenceAndTheHistory() {
        OverviewPage* page = pages_->overview();
        pages_->tabs()->setCurrentWidget(page);
        choose(0, false);
        page->place()->setCurrentIndex(0);
        const auto captionOf = [this](std::vector<std::string> args) {
            args.insert(args.begin(), "overview");
            return QString::fromStdString(cli(args)).section(QLatin1Char('\n'), 0, 0);
        };
        // The second tab: the reference issue ends the range just before it.
        auto* positions = window_->analysis()->positions;
        positions->Text4->setText(QStringLiteral("2015010501"));
        positions->Check4->setChecked(true);
        positions->TabStrip1->setCurrentIndex(1);
        QTRY_COMPARE(page->caption()->text(),
                     captionOf({"--from", kFrom, "--ref", "2015010501", "--before"}));
        // Back on the first tab the range ends at the newest draw again.
        positions->TabStrip1->setCurrentIndex(0);
        QTRY_COMPARE(page->caption()->text(), captionOf({"--from", kFrom}));

        // A change of the history refreshes the pages even when nothing else told them.
        QLineEdit* start = window_->analysis()->range->Text3[0];
        start->blockSignals(true);
        start->setText(QStringLiteral("2015010101"));
        start->blockSignals(false);
        emit window_->historyChanged();
        QTRY_COMPARE(page->caption()->text(), captionOf({"--from", "2015010101"}));
        start->setText(QString::fromLatin1(kFrom));
        QLineEdit* end = window_->analysis()->range->Text3[1];
        end->setText(QStringLiteral("abc"));
        QTRY_VERIFY(page->caption()->text().contains(QStringLiteral("abc")));
        QCOMPARE(page->model()->rowCount(), 0);
        end->setText(QString::fromLatin1(kTo));
    }

    void searchControlsServeEveryPage() {
        AnalysisArea& area = *window_->analysis();
        for (int p = 1; p <= 5; ++p) {
            QLineEdit* box = area.positions->Text22[p];
            box->setFocus();
            box->setText(QStringLiteral("0%1").arg(p));
            area.search->Command1->setFocus(); // leaving the box reads it
        }
        area.positions->Check11[1]->setChecked(true);
        area.combination->Check6[1]->click();
        area.combination->Check6[2]->click();
        for (QWidget* page : std::initializer_list<QWidget*>{pages_->overview(), pages_->trend()})
            for (QPushButton* command :
                 {area.search->Command1, area.search->Command2, area.combination->Command5}) {
                pages_->tabs()->setCurrentWidget(page);
                QVERIFY(command->isVisible());
                area.results->resultModel->clear();
                command->click();
                QCOMPARE(pages_->tabs()->currentWidget(), area.results);
                QVERIFY(area.results->resultModel->rowCount() > 0);
            }
    }

    void missingIssuesListed() {
        window_->menus()->mnuMissing->trigger();
        auto* dialog = window_->findChild<MissingIssuesDialog*>();
        QVERIFY(dialog);
        const QStringList expected = lines(cli({"--format", "csv", "missing"}));
        QVERIFY(expected.size() > 1); // the sample history lacks some days
        auto* model = dialog->grid()->gridModel();
        QCOMPARE(model->gridRows(), expected.size());
        for (int r = 0; r < model->gridRows(); ++r)
            QCOMPARE(model->gridText(r, 0) + "," + model->gridText(r, 1) + "," +
                         model->gridText(r, 2),
                     expected[r]);
        dialog->close();
    }
};

QTEST_MAIN(OverviewPagesTest)
#include "overview_pages_test.moc"
