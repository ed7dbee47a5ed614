#include "filter_screenshots.h"

#include "analysis/play_type.h"
#include "app/filter/filter_page.h"
#include "app/frm_main.h"
#include "app/overview/overview_pages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

void takeFilterScreenshots(yilou::app::frmMain& window, const QDir& out) {
    auto* pages = window.findChild<yilou::app::OverviewPages*>();
    auto* page = window.findChild<yilou::app::FilterPage*>();
    pages->tabs()->setCurrentWidget(page);
    page->play()->setCurrentIndex(static_cast<int>(yilou::analysis::Play::Any5));
    page->must(3)->setChecked(true);
    page->exclude(11)->setChecked(true);
    page->range(0).low->setValue(25);
    page->range(0).high->setValue(35);
    page->range(0).on->setChecked(true);
    page->count(0, 2)->setChecked(true);
    page->count(0, 3)->setChecked(true);
    page->backtestDraws()->setValue(500);
    page->backtestButton()->click();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    window.grab().save(out.filePath(QStringLiteral("filter.png")));
    pages->tabs()->setCurrentIndex(0);
}
