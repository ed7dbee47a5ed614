#include "plays_screenshots.h"

#include "analysis/play_type.h"
#include "app/frm_main.h"
#include "app/overview/overview_pages.h"
#include "app/plays/plays_page.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTableView>

void takePlaysScreenshots(yilou::app::frmMain& window, const QDir& out) {
    auto* pages = window.findChild<yilou::app::OverviewPages*>();
    auto* page = window.findChild<yilou::app::PlaysPage*>();
    pages->tabs()->setCurrentWidget(page);
    page->play()->setCurrentIndex(static_cast<int>(yilou::analysis::Play::Front2Direct));
    page->grid()->sortByColumn(3, Qt::DescendingOrder);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    window.grab().save(out.filePath(QStringLiteral("plays.png")));
    pages->tabs()->setCurrentIndex(0);
}
