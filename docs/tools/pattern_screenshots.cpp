#include "pattern_screenshots.h"

#include "app/frm_main.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"
#include "app/patterns/pattern_page.h"
#include "app/patterns/pattern_trend_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTableView>

void takePatternScreenshots(yilou::app::frmMain& window, const QDir& out) {
    auto* pages = window.findChild<yilou::app::OverviewPages*>();
    auto* page = window.findChild<yilou::app::PatternPage*>();
    pages->tabs()->setCurrentWidget(page);
    page->pattern()->setCurrentIndex(2);
    page->trend()->guideLines()->setChecked(true);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    window.grab().save(out.filePath(QStringLiteral("patterns.png")));
    pages->tabs()->setCurrentIndex(0);
}
