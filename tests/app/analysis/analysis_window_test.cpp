// The analysis side of the real window, offscreen, driven by the controls' object names over a
// real imported history; what the grids show is compared with the engine's results.
#include "analysis/grouped_combination.h"
#include "analysis/omission_search.h"
#include "app/dialogs/prompts.h"
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "core/games.h"
#include "core/zodiac.h"
#include "dialog_script.h"
#include "session/grid_text.h"
#include "store/history_db.h"
#include "store/text_import.h"
#include "store/yl_table.h"
#include "support/offscreen_application.h"
#include "support/temp_dir.h"
#include "support/text_files.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

using namespace yilou;
using testing::gridRows;

namespace {

const std::filesystem::path kSample =
    std::filesystem::path(YILOU_SAMPLE_DATA_DIR) / "sd11x5-2014102878-2015021178.txt";

QString name(const char* control, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(control)).arg(index);
}

/// The user's settings store, as the window keeps it.
QSettings* store() {
    static QSettings settings(QStringLiteral("11S5OMBRIX"), QStringLiteral("11S5OMBRIX"));
    return &settings;
}

QString stored(const QString& key) {
    return store()->value(QStringLiteral("IniSetting/") + key).toString();
}

QList<QStringList> expectedHits(const analysis::SearchResult& result) {
    QList<QStringList> rows;
    for (std::size_t r = 0; r < result.hits.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < session::SearchGrid::kColumns; ++c)
            cells << QString::fromStdString(session::SearchGrid::cell(result, r, c));
        rows << cells;
    }
    return rows;
}

QStringList expectedSummary(const analysis::SearchResult& result) {
    QStringList cells;
    for (int c = 0; c < session::ResultGrid::kColumns; ++c)
        cells << QString::fromStdString(session::ResultGrid::cell(result.summary, c));
    return cells;
}

QList<QStringList> expectedYl(const std::vector<history::YlRow>& rows) {
    QList<QStringList> out;
    for (const auto& row : rows) {
        QStringList cells;
        for (int c = 0; c < session::ResultGrid::kColumns; ++c)
            cells << QString::fromStdString(session::ResultGrid::cell(row, c));
        out << cells;
    }
    return out;
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

private:
    testing::TempDir template_;
    std::unique_ptr<testing::WindowFixture> fixture_;
    app::frmMain* window_ = nullptr;
    history::Snapshot history_;

    template <typename Widget> Widget* find(const QString& objectName) {
        auto* widget = window_->findChild<Widget*>(objectName);
        if (!widget)
            qFatal("no control %s", qPrintable(objectName));
        return widget;
    }

    /// Opens the window on a copy of the imported history, with `settings` stored first.
    void open(const QMap<QString, QString>& settings = {}) {
        fixture_.reset();
        fixture_ = std::make_unique<testing::WindowFixture>();
        store()->clear();
        for (auto it = settings.begin(); it != settings.end(); ++it)
            store()->setValue(QStringLiteral("IniSetting/") + it.key(), it.value());
        store()->sync();
        fixture_->copyHistory(template_ / history::kDatabaseFileName);
        window_ = &fixture_->open();
        fixture_->activate();
    }

    /// Does what the user does and answers the message box it raises, if any, with OK.
    /// Returns the message's text (empty: none came).
    QString act(const std::function<void()>& action) {
        app::PromptScript answers;
        answers.ok();
        const app::Prompts::Scripted scripted(answers);
        action();
        return answers.seen().isEmpty() ? QString()
                                        : answers.seen().back().section(QLatin1Char('|'), 1);
    }
    QString click(const QString& objectName) {
        auto* widget = find<QWidget>(objectName);
        return act([widget] { QTest::mouseClick(widget, Qt::LeftButton); });
    }
    /// Types into a box and leaves it for the next control, as the user does with the mouse.
    void type(const QString& objectName, const QString& text) {
        auto* box = find<QLineEdit>(objectName);
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        find<QWidget>(QStringLiteral("Command1"))->setFocus(Qt::TabFocusReason);
    }
    void choose(const QString& combo, const QString& item) {
        auto* box = find<QComboBox>(combo);
        box->setFocus(Qt::TabFocusReason);
        box->setCurrentText(item);
        find<QWidget>(QStringLiteral("Command1"))->setFocus(Qt::TabFocusReason);
    }
    QString text(const QString& objectName) { return find<QLineEdit>(objectName)->text(); }
    app::FlexGrid* grid(const char* objectName) {
        return find<app::FlexGrid>(QLatin1String(objectName));
    }

    /// The issue a range box holds.
    history::Issue issueIn(const QString& box) {
        return history::parseIssueText(text(box).toStdString()).value();
    }

    /// What the window's range boxes ask for, as the engine takes it.
    analysis::SearchRequest request(analysis::SearchType type, bool free) {
        analysis::SearchRequest out;
        out.type = type;
        out.freePosition = free;
        out.startIssue = issueIn(QStringLiteral("Text3(0)"));
        out.endIssue = issueIn(QStringLiteral("Text3(1)"));
        return out;
    }

private slots:
    void initTestCase() {
        history::HistoryDb db(template_ / history::kDatabaseFileName);
        history::importHistoryFile(db, kSample, history::gameAt(0),
                                   history::AttributeRules::startup(1, 1));
        history_ = db.loadSnapshot();
        QVERIFY(history_.size() > 3000);
    }
    void cleanup() {
        fixture_.reset();
        window_ = nullptr;
    }

    // ---- searches against the engine

    void omissionSearchShowsTheEngineResult_data() {
        QTest::addColumn<int>("searchType");
        QTest::addColumn<bool>("free");
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<QStringList>("values"); // empty: position not selected
        QTest::newRow("free numbers") << 0 << true << false << QStringList{"03", "", "7", "", ""};
        QTest::newRow("fixed numbers, sorted")
            << 0 << false << true << QStringList{"", "4", "", "", "9"};
        QTest::newRow("free zodiac twice")
            << 1 << true << false << QStringList{"5", "5", "", "", ""};
        QTest::newRow("fixed digit sum") << 4 << false << false << QStringList{"", "", "2", "", ""};
        QTest::newRow("no position") << 3 << true << false << QStringList{"", "", "", "", ""};
    }
    void omissionSearchShowsTheEngineResult() {
        QFETCH(int, searchType);
        QFETCH(bool, free);
        QFETCH(bool, sorted);
        QFETCH(QStringList, values);
        open();
        QCOMPARE(click(name("Option3", searchType)), QString());
        click(name("Option1", free ? 1 : 0));
        click(name("Option2", sorted ? 5 : 4));
        auto expected = request(static_cast<analysis::SearchType>(searchType), free);
        expected.order = sorted ? history::NumberOrder::Sorted : history::NumberOrder::Drop;
        for (int p = 1; p <= 5; ++p) {
            const QString& value = values[p - 1];
            if (value.isEmpty())
                continue;
            type(name("Text22", p), value);
            click(name("Check11", p));
            expected.positions[p - 1] = {true, value.toInt(), value.toStdString()};
        }
        QCOMPARE(click(QStringLiteral("Command1")), QString());
        const auto result = analysis::omissionSearch(history_, expected);
        QCOMPARE(gridRows(grid("MSFlexGrid2")), expectedHits(result));
        QCOMPARE(gridRows(grid("MSFlexGrid3")), QList<QStringList>{expectedSummary(result)});
    }

    void multiPositionSearchUsesAllFivePositionsAndSavesK_data() {
        QTest::addColumn<QString>("k");
        QTest::addColumn<bool>("free");
        QTest::newRow("k 1, free") << "1" << true;
        QTest::newRow("k 2, fixed") << "2" << false;
        QTest::newRow("k 5, free") << "5" << true;
    }
    void multiPositionSearchUsesAllFivePositionsAndSavesK() {
        QFETCH(QString, k);
        QFETCH(bool, free);
        open();
        click(name("Option1", free ? 1 : 0));
        auto expected = request(analysis::SearchType::Number, free);
        const QStringList values{"01", "02", "03", "04", "05"};
        for (int p = 1; p <= 5; ++p) {
            type(name("Text22", p), values[p - 1]);
            expected.positions[p - 1] = {false, p, values[p - 1].toStdString()};
        }
        click(name("Check11", 1)); // the check boxes do not matter here
        choose(QStringLiteral("Combo1"), k);
        QCOMPARE(stored(QStringLiteral("intZhWSetup")), k);
        QCOMPARE(click(QStringLiteral("Command2")), QString());
        const auto result =
            analysis::multiPositionSearch(history_, expected, k.toInt(), k.toStdString());
        QCOMPARE(gridRows(grid("MSFlexGrid2")), expectedHits(result));
        QCOMPARE(gridRows(grid("MSFlexGrid3")), QList<QStringList>{expectedSummary(result)});
        QCOMPARE(gridRows(grid("MSFlexGrid3")).front().front(),
                 QStringLiteral("01 02 03 04 05 (%1)").arg(k));
    }

    void groupedCalculationShowsRowsByCurrentOmission() {
        open();
        for (int box : {1, 2, 3, 5, 8, 11})
            click(name("Check6", box));
        QCOMPARE(text(QStringLiteral("Text5")), QStringLiteral("6"));
        choose(QStringLiteral("Combo2"), QStringLiteral("3"));
        QCOMPARE(click(QStringLiteral("Command5")), QString());

        analysis::GroupRequest expected;
        expected.codes = {1, 2, 3, 5, 8, 11};
        expected.k = 3;
        expected.startIssue = issueIn(QStringLiteral("Text3(0)"));
        expected.endIssue = issueIn(QStringLiteral("Text3(1)"));
        auto rows = analysis::P6Count(history_, expected);
        QCOMPARE(rows.size(), std::size_t{20});
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return a.intLstYl < b.intLstYl; });
        QCOMPARE(gridRows(grid("MSFlexGrid3")), expectedYl(rows));
        const auto* header = grid("MSFlexGrid3")->horizontalHeader();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), 3);
    }

    // Only a header click sorts, and only the rows shown: a click on a cell selects it, a
    // search's summary stays; a second click on the header reverses the order.
    void resultGridSortsWhatItShowsOnAHeaderClick() {
        open();
        click(QStringLiteral("cmdZH(0)"));
        QCOMPARE(click(QStringLiteral("Command5")), QString());
        analysis::GroupRequest calculated;
        calculated.codes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        calculated.k = 2;
        calculated.startIssue = issueIn(QStringLiteral("Text3(0)"));
        calculated.endIssue = issueIn(QStringLiteral("Text3(1)"));
        const auto shown = history::sortYlRows(analysis::P6Count(history_, calculated),
                                               history::YlSortColumn::Last);
        auto* grid3 = grid("MSFlexGrid3");
        auto* header = grid3->horizontalHeader();
        const auto clickHeader = [&](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 4, 4));
        };

        QTest::mouseClick(grid3->viewport(), Qt::LeftButton, {},
                          grid3->visualRect(grid3->model()->index(3, 4)).center());
        QVERIFY(grid3->selectionModel()->isRowSelected(3, {}));
        QCOMPARE(gridRows(grid3), expectedYl(shown));

        const auto max = history::YlSortColumn::Max;
        for (const bool descending : {false, true}) {
            clickHeader(static_cast<int>(max));
            QCOMPARE(gridRows(grid3), expectedYl(history::sortYlRows(shown, max, descending)));
            QCOMPARE(header->sortIndicatorSection(), static_cast<int>(max));
            QCOMPARE(header->sortIndicatorOrder(),
                     descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        }

        QCOMPARE(click(QStringLiteral("Command1")), QString());
        const auto summary = gridRows(grid3);
        QCOMPARE(summary.size(), 1);
        clickHeader(0);
        QCOMPARE(gridRows(grid3), summary);
    }

    // ---- refusals: the engine's message, the grids as they were

    void refusalsShowTheMessageAndKeepTheGrids_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("range start unreadable") << "Text3(0)"
                                                << "2014x"
                                                << "Command1"
                                                << "起始";
        QTest::newRow("range end before start") << "Text3(1)"
                                                << "2014102901"
                                                << "Command5"
                                                << "";
        QTest::newRow("value outside the type") << "Text22(2)"
                                                << "12"
                                                << "Command1"
                                                << "第2位";
        QTest::newRow("multi-position, empty box") << "Text22(1)"
                                                   << ""
                                                   << "Command2"
                                                   << "第3位的值是空的";
        QTest::newRow("more boxes than ticked") << ""
                                                << ""
                                                << "Command5"
                                                << "组合";
        QTest::newRow("reference issue unreadable") << "Text4"
                                                    << "20x"
                                                    << "Command1"
                                                    << "指定";
    }
    void refusalsShowTheMessageAndKeepTheGrids() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(QString, message);
        open();
        type(QStringLiteral("Text22(1)"), QStringLiteral("4"));
        type(QStringLiteral("Text22(2)"), QStringLiteral("5"));
        click(QStringLiteral("Check11(1)"));
        click(QStringLiteral("Check11(2)"));
        click(QStringLiteral("Check6(1)"));
        QCOMPARE(click(QStringLiteral("Command1")), QString());
        const auto hits = gridRows(grid("MSFlexGrid2"));
        const auto summary = gridRows(grid("MSFlexGrid3"));

        if (box == QLatin1String("Text4"))
            find<QTabBar>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
        if (!box.isEmpty())
            type(box, typed);
        const QString shown = click(button);
        QVERIFY2(!shown.isEmpty() && shown.contains(message), qPrintable(shown));
        QCOMPARE(gridRows(grid("MSFlexGrid2")), hits);
        QCOMPARE(gridRows(grid("MSFlexGrid3")), summary);
    }

    // ---- the option handlers

    void optionButtonsSaveAtOnceAndResetTheRangeStart_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<bool>("resetsStart");
        QTest::newRow("固定位") << "Option1(0)"
                                << "bolZyw"
                                << "False" << true;
        QTest::newRow("上期 keeps the mode") << "Option1(3)"
                                             << "bolZyw"
                                             << "True" << true;
        QTest::newRow("前 N 期 keeps the mode") << "Option1(2)"
                                                << "bolZyw"
                                                << "True" << true;
        QTest::newRow("顺序码") << "Option2(5)"
                                << "bolLdm"
                                << "False" << false;
        QTest::newRow("尾数") << "Option3(3)"
                              << "intLei"
                              << "3" << false;
    }
    void optionButtonsSaveAtOnceAndResetTheRangeStart() {
        QFETCH(QString, button);
        QFETCH(QString, key);
        QFETCH(QString, saved);
        QFETCH(bool, resetsStart);
        open();
        type(QStringLiteral("Text3(0)"), QStringLiteral("2015010101"));
        QCOMPARE(click(button), QString());
        QCOMPARE(stored(key), saved);
        const QString oldest = QString::fromStdString(history::issueText(history_.issues.front()));
        QCOMPARE(text(QStringLiteral("Text3(0)")),
                 resetsStart ? oldest : QStringLiteral("2015010101"));
    }

    void startUpSelectsTheStoredOptions() {
        open({{"bolZyw", "False"}, {"bolLdm", "false"}, {"intLei", "2"}, {"intZhWSetup", "4"}});
        QVERIFY(find<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
        QVERIFY(find<QRadioButton>(QStringLiteral("Option2(5)"))->isChecked());
        QVERIFY(find<QRadioButton>(QStringLiteral("Option3(2)"))->isChecked());
        QCOMPARE(find<QComboBox>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("4"));
        QCOMPARE(text(QStringLiteral("Text3(0)")),
                 QString::fromStdString(history::issueText(history_.issues.front())));
        QCOMPARE(text(QStringLiteral("Text3(1)")),
                 QString::fromStdString(history::issueText(history_.issues.back())));
    }

    void valueBoxesTakeDigitsAndKeepTheLastValue() {
        open();
        click(QStringLiteral("Option1(0)")); // fixed position describes the values searched
        type(QStringLiteral("Text22(1)"), QStringLiteral("a0b3x"));
        QCOMPARE(text(QStringLiteral("Text22(1)")), QStringLiteral("03"));
        type(QStringLiteral("Text22(1)"), QString());
        click(QStringLiteral("Check11(1)"));
        QCOMPARE(click(QStringLiteral("Command1")), QString());
        QCOMPARE(gridRows(grid("MSFlexGrid3")).front().front(), QStringLiteral("03 "));
    }

    // ---- the tab strip and the reference issue

    void secondTabTakesTheReferenceDrawsValues() {
        open({{"intLei", "1"}});
        auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
        tabs->setCurrentIndex(1);
        QVERIFY(find<QWidget>(QStringLiteral("Frame2(2)"))->isVisible());
        QVERIFY(!find<QWidget>(QStringLiteral("Frame2(1)"))->isVisible());
        QVERIFY(find<QWidget>(QStringLiteral("Check4"))->isVisible());
        const std::size_t reference = 100;
        type(QStringLiteral("Text4"),
             QString::fromStdString(history::issueText(history_.issues[reference])));
        for (int p = 1; p <= 5; ++p) {
            const int code =
                history_.value(history::NumberOrder::Drop, history::Letter::B, p - 1, reference);
            QCOMPARE(text(name("Text2", 10 + p)),
                     QString::fromStdString(history::zodiacName(code, 1)));
        }
        QCOMPARE(text(QStringLiteral("Text3(1)")),
                 QString::fromStdString(history::issueText(history_.issues.back())));

        // Back on the first tab its boxes count again and the range ends at the newest draw.
        type(QStringLiteral("Text3(1)"), QStringLiteral("2015010101"));
        tabs->setCurrentIndex(0);
        QVERIFY(!find<QWidget>(QStringLiteral("Check4"))->isVisible());
        QCOMPARE(text(QStringLiteral("Text3(1)")),
                 QString::fromStdString(history::issueText(history_.issues.back())));
    }

    void check4MovesTheRangeEnd_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("end");
        QTest::newRow("within a day") << "2014110105"
                                      << "2014110104";
        QTest::newRow("first draw of a month") << "2014110101"
                                               << "2014103184";
        // Not stored: the draw found is 2014122426, the newest before it.
        QTest::newRow("before the draw found") << "2015010101"
                                               << "2014122425";
    }
    void check4MovesTheRangeEnd() {
        QFETCH(QString, reference);
        QFETCH(QString, end);
        open();
        find<QTabBar>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
        type(QStringLiteral("Text4"), reference);
        click(QStringLiteral("Check4"));
        QCOMPARE(text(QStringLiteral("Text3(1)")), end);
        click(QStringLiteral("Check4"));
        QCOMPARE(text(QStringLiteral("Text3(1)")),
                 QString::fromStdString(history::issueText(history_.issues.back())));
    }

    // ---- the range after a change of the history

    // 仅检索该期前 stays ticked through an import: 止 ends before the new newest draw.
    void beforeReferenceIsAppliedAgainAfterAnImport() {
        open();
        auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        click(QStringLiteral("Check4"));
        const auto file = fixture_->folder() / "历史号码" / "new.txt";
        testing::writeFile(file, "2017090101 03 11 07 01 09\n2017090102 08 02 06 04 05\n"
                                 "2017090103 01 02 03 04 05\n");
        testing::DialogScript dialogs;
        dialogs.ok().choose(QString::fromStdString(file.string())).ok();
        QTest::mouseClick(find<QPushButton>(QStringLiteral("cmdRdLst")), Qt::LeftButton);
        QCOMPARE(dialogs.pending(), 0);
        QCOMPARE(text(QStringLiteral("Text4")), QStringLiteral("2017090103"));
        QCOMPARE(text(QStringLiteral("Text3(0)")), QStringLiteral("2017090101"));
        QCOMPARE(text(QStringLiteral("Text3(1)")), QStringLiteral("2017090102"));
    }

    // "前 [N] 期": typing N keeps the newest N draws, again after a deletion; 上期 takes the
    // whole history back.
    void newestDrawsFollowTheHistory() {
        open();
        const auto issue = [this](std::size_t i) {
            return QString::fromStdString(history::issueText(history_.issues[i]));
        };
        const std::size_t newest = history_.size() - 1;
        const auto left = [this](const char* control) {
            return find<QWidget>(QLatin1String(control))->geometry().left();
        };
        QVERIFY(left("Option1(2)") < left("MaskEdBox2"));
        QVERIFY(left("MaskEdBox2") < left("lblNewestDraws"));

        auto* box = find<QLineEdit>(QStringLiteral("MaskEdBox2"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
        QTest::keyClicks(box, QStringLiteral("10"));
        QVERIFY(find<QRadioButton>(QStringLiteral("Option1(2)"))->isChecked());
        QCOMPARE(text(QStringLiteral("Text3(0)")), issue(newest - 9));
        QCOMPARE(text(QStringLiteral("Text3(1)")), issue(newest));

        QCOMPARE(click(QStringLiteral("Command3")), QString());
        QCOMPARE(text(QStringLiteral("Text3(0)")), issue(newest - 10));
        QCOMPARE(text(QStringLiteral("Text3(1)")), issue(newest - 1));

        click(QStringLiteral("Option1(3)"));
        QCOMPARE(text(QStringLiteral("Text3(0)")), issue(0));
        QCOMPARE(text(QStringLiteral("Text3(1)")), issue(newest - 1));
    }

    // N of 前 N 期 takes up to six digits: a count of hundreds or thousands keeps that many
    // draws, and a seventh digit is not taken.
    void newestDrawsTakeSixDigits() {
        open();
        auto* box = find<QLineEdit>(QStringLiteral("MaskEdBox2"));
        const std::size_t newest = history_.size() - 1;
        for (const auto& [typed, kept] :
             {std::pair{"100", "100"}, std::pair{"2500", "2500"}, std::pair{"1234567", "123456"}}) {
            box->clear();
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
            QTest::keyClicks(box, QLatin1String(typed));
            QCOMPARE(box->text(), QLatin1String(kept));
            const std::size_t count = std::min<std::size_t>(std::stoul(kept), history_.size());
            QCOMPARE(text(QStringLiteral("Text3(0)")), QString::fromStdString(history::issueText(
                                                           history_.issues[newest + 1 - count])));
        }
    }

    // With no draws the range boxes are empty and every analysis button says how to fill the
    // history, on either tab.
    void emptyHistorySaysHowToFillIt() {
        fixture_ = std::make_unique<testing::WindowFixture>();
        store()->clear();
        window_ = &fixture_->open();
        fixture_->activate();
        for (const char* box : {"Text3(0)", "Text3(1)", "Text4"})
            QCOMPARE(text(QLatin1String(box)), QString());
        auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
        for (int tab : {0, 1}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            for (const char* button : {"Command1", "Command2", "Command5"}) {
                const QString said = click(QLatin1String(button));
                QVERIFY2(said.startsWith(QStringLiteral("历史号码为空")) &&
                             said.contains(QStringLiteral("示例历史")),
                         qPrintable(said));
            }
        }
    }

    // ---- the combination panel

    void panelCountsTheBoxesOfTheType_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("searchType");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("count");
        const QStringList numbers{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
        QTest::newRow("号码 全选 反选")
            << 0 << 0 << QStringList{"cmdZH(0)", "cmdZH(2)"} << numbers << "0";
        QTest::newRow("号码 反选 on an empty panel")
            << 0 << 0 << QStringList{"cmdZH(2)"} << numbers << "11";
        QTest::newRow("快乐12 号码 全选")
            << 25 << 0 << QStringList{"cmdZH(0)"} << (QStringList(numbers) << "12") << "12";
        QTest::newRow("头数 全选")
            << 0 << 2 << QStringList{"cmdZH(0)"} << QStringList{"0", "1"} << "2";
        QTest::newRow("尾数 two boxes")
            << 0 << 3 << QStringList{"Check6(1)", "Check6(10)"}
            << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"} << "2";
        QTest::newRow("合数 清空")
            << 0 << 4 << QStringList{"cmdZH(0)", "cmdZH(1)"}
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"} << "0";
        QTest::newRow("段数 全选")
            << 0 << 5 << QStringList{"cmdZH(0)"} << QStringList{"1", "2", "3"} << "3";
        QStringList zodiacs;
        for (auto zodiac : history::strSxName)
            zodiacs << QString::fromUtf8(zodiac.data(), static_cast<int>(zodiac.size()));
        QTest::newRow("生肖 全选, twelve boxes")
            << 0 << 1 << QStringList{"cmdZH(0)"} << zodiacs << "12";
    }
    void panelCountsTheBoxesOfTheType() {
        QFETCH(int, game);
        QFETCH(int, searchType);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, captions);
        QFETCH(QString, count);
        open({{"GsZl", QString::number(game)}});
        click(QStringLiteral("cmdZH(0)"));
        click(name("Option3", searchType)); // changing the type clears the panel
        QCOMPARE(text(QStringLiteral("Text5")), QStringLiteral("0"));
        for (const auto& button : buttons)
            click(button);
        QCOMPARE(text(QStringLiteral("Text5")), count);
        QStringList shown;
        for (int i = 1; i <= 12; ++i)
            if (auto* box = find<QCheckBox>(name("Check6", i)); box->isVisible())
                shown << box->text();
        QCOMPARE(shown, captions);
    }

    void zodiacBoxesSearchTheZodiacTheyName_data() {
        QTest::addColumn<int>("sxIni");
        QTest::newRow("codes from 1") << 1;
        QTest::newRow("codes from 0") << 0;
    }
    void zodiacBoxesSearchTheZodiacTheyName() {
        QFETCH(int, sxIni);
        open({{"SxIni", QString::number(sxIni)}, {"intLei", "1"}});
        click(QStringLiteral("Check6(3)"));
        click(QStringLiteral("Check6(12)"));
        choose(QStringLiteral("Combo2"), QStringLiteral("1"));
        QCOMPARE(click(QStringLiteral("Command5")), QString());
        analysis::GroupRequest expected;
        expected.type = analysis::SearchType::Zodiac;
        expected.codes = {2 + sxIni, 11 + sxIni};
        expected.k = 1;
        expected.startIssue = issueIn(QStringLiteral("Text3(0)"));
        expected.endIssue = issueIn(QStringLiteral("Text3(1)"));
        expected.sxIni = sxIni;
        auto rows = analysis::P6Count(history_, expected);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return a.intLstYl < b.intLstYl; });
        QCOMPARE(gridRows(grid("MSFlexGrid3")), expectedYl(rows));
        QStringList labels;
        for (const auto& row : gridRows(grid("MSFlexGrid3")))
            labels << row.front();
        labels.sort();
        QStringList captions{find<QCheckBox>(QStringLiteral("Check6(3)"))->text(),
                             find<QCheckBox>(QStringLiteral("Check6(12)"))->text()};
        captions.sort();
        QCOMPARE(labels, captions);
        QCOMPARE(captions, (QStringList{QStringLiteral("猪"), QStringLiteral("虎")}));
    }
};

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    AnalysisWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "analysis_window_test.moc"
