// The page 玩法遗漏 in the real window, offscreen, on an imported real history: it shows what
// the command line prints for the same inputs, keeps the chosen play, and exports the grid.
#include "app/analysis/analysis_area.h"
#include "app/analysis/range_panel.h"
#include "app/frm_main.h"
#include "app/overview/overview_pages.h"
#include "app/plays/play_board_model.h"
#include "app/plays/plays_page.h"
#include "cli/cli.h"
#include "settings/settings_store.h"
#include "support/temp_dir.h"
#include "support/workbook_reader.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
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

QStringList lines(const std::string& text) {
    return QString::fromStdString(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class PlaysPageTest : public QObject {
    Q_OBJECT

private:
    /// The command line's output for the page's range, run on the window's data folder.
    std::string cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", data_.path().string()});
        args.insert(args.end(), {"--from", kFrom, "--to", kTo});
        std::ostringstream out, err;
        if (cli::runCli(args, out, err) != 0)
            qWarning() << QString::fromStdString(err.str());
        return out.str();
    }
    /// The grid as shown, row by row, cells joined by commas as csv joins them.
    QStringList shown() const {
        QStringList rows;
        const auto* model = page_->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells.join(QLatin1Char(','));
        }
        return rows;
    }

    yilou::testing::TempDir data_, config_;
    std::unique_ptr<frmMain> window_;
    PlaysPage* page_ = nullptr;
    std::vector<QUrl> opened_;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path().string()));
        std::ostringstream out, err;
        QCOMPARE(
            cli::runCli({"--data-dir", data_.path().string(), "import",
                         std::string(YILOU_SAMPLE_DATA_DIR) + "/gd11x5-2014102884-2015021510.txt"},
                        out, err),
            0);
        window_ = std::make_unique<frmMain>(data_.path());
        window_->setUrlOpener(
            [this](const QUrl& url, const std::function<void()>&) { opened_.push_back(url); });
        window_->resize(1366, 740);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        auto& range = window_->analysis()->range->Text3;
        range[0]->setText(QString::fromLatin1(kFrom));
        range[1]->setText(QString::fromLatin1(kTo));
        page_ = window_->findChild<PlaysPage*>();
        QVERIFY(page_);
        window_->findChild<OverviewPages*>()->tabs()->setCurrentWidget(page_);
        QCoreApplication::processEvents();
    }

    void showsTheCommandLinesBoard_data() {
        QTest::addColumn<int>("play");
        QTest::addColumn<QString>("bankers");
        QTest::addColumn<int>("sortColumn");
        QTest::newRow("任选二") << 1 << QString() << 0;
        QTest::newRow("前三直选 胆 3 7 by 当前遗漏") << 11 << QStringLiteral("3,7") << 3;
    }
    void showsTheCommandLinesBoard() {
        QFETCH(int, play);
        QFETCH(QString, bankers);
        QFETCH(int, sortColumn);
        page_->play()->setCurrentIndex(play);
        page_->bankers()->setText(bankers);
        page_->grid()->sortByColumn(sortColumn, Qt::DescendingOrder);
        std::vector<std::string> args{
            "plays",
            "--play",
            page_->play()->currentData().toString().toStdString(),
            "--sort",
            std::string(session::playColumnKey(static_cast<session::PlayColumn>(sortColumn))),
            "--desc"};
        if (!bankers.isEmpty())
            args.insert(args.end(), {"--contains", bankers.toStdString()});
        QVERIFY(page_->caption()->text().startsWith(lines(cli(args)).first()));
        args.insert(args.begin(), {"--format", "csv"});
        QCOMPARE(shown(), lines(cli(args)).mid(1));
    }

    // The overdue cells are tinted as the legend shows.
    void overdueCellsAreTinted() {
        page_->bankers()->clear();
        page_->play()->setCurrentIndex(9); // 前二直选: some pairs are long overdue
        const auto* model = page_->model();
        const int column = static_cast<int>(session::PlayColumn::CurrentGap);
        int tinted = 0;
        for (int r = 0; r < model->rowCount(); ++r) {
            const auto overdue = session::overdue(model->view().board.rows[r]);
            const QVariant background = model->index(r, column).data(Qt::BackgroundRole);
            QCOMPARE(background.isValid(), overdue != session::Overdue::No);
            if (background.isValid()) {
                QCOMPARE(background.value<QColor>(), PlayBoardModel::tint(overdue));
                ++tinted;
            }
        }
        QVERIFY(tinted > 0);
    }

    void theChosenPlayIsKept() {
        page_->play()->setCurrentIndex(4);
        QCOMPARE(settings::SettingsStore().intWanfa(), 4);
        frmMain again(data_.path());
        QCOMPARE(again.findChild<PlaysPage*>()->play()->currentIndex(), 4);
    }

    void theDoubleClickExportsTheGridAsShown() {
        page_->play()->setCurrentIndex(8);
        page_->grid()->sortByColumn(1, Qt::AscendingOrder);
        opened_.clear();
        const QRect cell = page_->grid()->visualRect(page_->model()->index(2, 1));
        // The view takes a double click on the cell the press before it was on.
        auto* viewport = page_->grid()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell.center());
        const auto file = data_.path() / "Wanfa.xls";
        QCOMPARE(opened_.size(), 1u);
        QCOMPARE(opened_[0], QUrl::fromLocalFile(QString::fromStdString(file.string())));
        const auto sheets = yilou::testing::readWorkbook(file);
        QCOMPARE(sheets.size(), 1u);
        QStringList written;
        for (const auto& row : sheets[0].cells) {
            QStringList cells;
            for (const auto& text : row)
                cells << QString::fromStdString(text.value_or(""));
            written << cells.join(QLatin1Char(','));
        }
        QCOMPARE(written.mid(1), shown());
    }
};

QTEST_MAIN(PlaysPageTest)
#include "plays_page_test.moc"
