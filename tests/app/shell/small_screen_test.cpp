// The window on a small screen, and what it says after the user's actions.
#include "app/shell/dialog_language.h"
#include "dialog_script.h"
#include "support/offscreen_application.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace yilou::testing {
namespace {

/// True when `widget` is shown whole inside the window.
bool shownWhole(QWidget* window, QWidget* widget) {
    const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return widget->isVisible() && window->rect().contains(area);
}

QString statusText(WindowFixture& fixture) {
    return fixture.window().statusBar()->currentMessage();
}

class SmallScreenTest : public QObject {
    Q_OBJECT
private slots:
    void everythingFitsAt1024By700() {
        WindowFixture fixture;
        fixture.storeDraws(200);
        auto& window = fixture.open();
        QVERIFY(window.minimumSizeHint().width() <= 1024);
        QVERIFY(window.minimumSizeHint().height() <= 700);
        window.resize(1024, 700);
        QTest::qWait(0);
        QCOMPARE(window.width(), 1024);
        for (const char* name :
             {"Frame3", "Frame1(0)", "Frame1(1)", "Frame1(2)", "MaskEdBox2", "Frame2(1)",
              "Text3(0)", "Text3(1)", "Command1", "Command2", "Command5", "MSFlexGrid1",
              "MSFlexGrid2", "MSFlexGrid3", "cmdRdLst", "Command9"})
            QVERIFY2(shownWhole(&window, fixture.find<QWidget>(QLatin1String(name))), name);
        // All six digits of 前 N 期 fit its box.
        auto* count = fixture.find<QLineEdit>(QStringLiteral("MaskEdBox2"));
        QVERIFY(count->width() >=
                count->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
        // The result grid shows every column, 大后比 the last.
        auto* result = fixture.find<QTableView>(QStringLiteral("MSFlexGrid3"));
        const auto* header = result->horizontalHeader();
        const int last = header->count() - 1;
        QVERIFY(header->sectionViewportPosition(last) + header->sectionSize(last) <=
                result->viewport()->width());
    }

    // Neither the result pages nor the two position pages move the result tab bar.
    void tabBarStaysWherePagesChange() {
        WindowFixture fixture;
        fixture.storeDraws(200);
        auto& window = fixture.open();
        window.resize(1024, 700);
        QTest::qWait(0);
        auto* tabs = fixture.find<QTabWidget>(QStringLiteral("resultTabs"));
        QTabBar* bar = tabs->tabBar();
        const QPoint at = bar->mapTo(&window, QPoint(0, 0));
        auto* positions = fixture.find<QTabBar>(QStringLiteral("TabStrip1"));
        for (int page = 0; page < tabs->count(); ++page)
            for (int position = 1; position >= 0; --position) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
                QTest::mouseClick(positions, Qt::LeftButton, {},
                                  positions->tabRect(position).center());
                QTest::qWait(0);
                QCOMPARE(tabs->currentIndex(), page);
                QCOMPARE(bar->mapTo(&window, QPoint(0, 0)), at);
                QCOMPARE(window.size(), QSize(1024, 700));
            }
    }

    void deleteCountAsksAgainAfterAnAnswerThatIsNoWholeNumber() {
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        DialogScript dialogs;
        dialogs.enter(QStringLiteral("zwei")).ok().enter(QStringLiteral("2"));
        fixture.trigger(QStringLiteral("mnuEszhzd"));
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen().value(1).contains(QStringLiteral("不是整数")),
                 qPrintable(dialogs.seenText()));
        QCOMPARE(fixture.window().snapshot().size(), 8u);
        QVERIFY2(statusText(fixture).contains(QStringLiteral("已删除 2 期")),
                 qPrintable(statusText(fixture)));
    }

    void statusBarSaysWhatDeletionAndZodiacBaseDid() {
        WindowFixture fixture;
        fixture.storeDraws(10);
        fixture.open();
        fixture.activate();
        QTest::mouseClick(fixture.find<QPushButton>(QStringLiteral("Command3")), Qt::LeftButton);
        QCOMPARE(fixture.window().snapshot().size(), 9u);
        QVERIFY2(statusText(fixture).contains(QStringLiteral("已删除 1 期")),
                 qPrintable(statusText(fixture)));
        fixture.trigger(QStringLiteral("mnuSxcs(0)"));
        QVERIFY2(statusText(fixture).contains(QStringLiteral("0~11")),
                 qPrintable(statusText(fixture)));
    }

    // The picture is written whole under the chosen name, nothing else is left beside it, and
    // the window says where it is.
    void savedChartSaysWhereItIs() {
        WindowFixture fixture;
        fixture.storeDraws(200);
        fixture.open();
        fixture.activate();
        auto* tabs = fixture.find<QTabWidget>(QStringLiteral("resultTabs"));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
        const QDir folder(QString::fromStdString((fixture.folder() / "pictures").string()));
        folder.mkpath(QStringLiteral("."));
        const QString file = folder.filePath(QStringLiteral("chart.png"));
        DialogScript dialogs;
        dialogs.choose(file).ok();
        // The trend page's own button (形态走势 has one of that name too).
        QTest::mouseClick(tabs->widget(2)->findChild<QPushButton*>(QStringLiteral("cmdSaveTrend")),
                          Qt::LeftButton);
        QCOMPARE(dialogs.pending(), 0);
        QVERIFY2(dialogs.seen().value(1).contains(file), qPrintable(dialogs.seenText()));
        QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("chart.png")});
        QVERIFY(!QImage(file).isNull());
    }

    // The title bar shows the whole title beside its icon and buttons: a box with a short
    // text is at least as wide as the title with the program's name the desktop adds.
    void messageBoxHoldsItsTitle() {
        QApplication::setApplicationDisplayName(QStringLiteral("遗漏统计"));
        QWidget parent;
        int width = 0;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            width = box->width();
            title = box->windowTitle() + QStringLiteral(" — 遗漏统计");
            box->accept();
        });
        app::Prompts(&parent).inform("读入历史", "读入 2 期。");
        QVERIFY(width >= parent.fontMetrics().horizontalAdvance(title) + 100);
    }

    void fileDialogNamesFoldersInChinese() {
        app::useChineseDialogTexts(*QCoreApplication::instance());
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"),
                 QStringLiteral("文件夹"));
    }
};

} // namespace
} // namespace yilou::testing

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);
    yilou::testing::SmallScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "small_screen_test.moc"
