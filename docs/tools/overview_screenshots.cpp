#include "overview_screenshots.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/range_panel.h"
#include "app/frm_main.h"
#include "app/overview/overview_page.h"
#include "app/overview/overview_pages.h"
#include "app/overview/trend_page.h"
#include "core/issue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

void takeOverviewScreenshots(yilou::app::frmMain& window, const QDir& out) {
    window.findChild<QAbstractButton*>(QStringLiteral("Option3(0)"))->click();
    if (!window.snapshot().empty()) {
        auto& range = window.analysis()->range->Text3;
        const auto& issues = window.snapshot().issues;
        range[0]->setText(QString::fromStdString(yilou::history::issueText(issues.front())));
        range[1]->setText(QString::fromStdString(yilou::history::issueText(issues.back())));
    }
    auto* pages = window.findChild<yilou::app::OverviewPages*>();
    pages->tabs()->setCurrentWidget(pages->overview());
    settle();
    pages->overview()->grid()->sortByColumn(5, Qt::DescendingOrder);
    pages->overview()->grid()->selectRow(0);
    settle();
    window.grab().save(out.filePath(QStringLiteral("overview.png")));

    pages->tabs()->setCurrentWidget(pages->trend());
    pages->trend()->guideLines()->setChecked(true);
    pages->trend()->place()->setCurrentIndex(1);
    settle();
    window.grab().save(out.filePath(QStringLiteral("trend.png")));
    pages->tabs()->setCurrentIndex(0);
}
