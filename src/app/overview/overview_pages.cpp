#include "app/overview/overview_pages.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/result_grids_panel.h"
#include "app/calc/calc_page.h"
#include "app/calc/prize_dialog.h"
#include "app/filter/filter_page.h"
#include "app/frm_main.h"
#include "app/overview/missing_issues_dialog.h"
#include "app/overview/overview_page.h"
#include "app/overview/trend_page.h"
#include "app/overview/window_inputs.h"
#include "app/patterns/pattern_page.h"
#include "app/plays/plays_page.h"
#include "app/shell/main_menus.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/view_steps.h"

#include <QAction>
#include <QLayout>
#include <QTabWidget>

namespace yilou::app {

OverviewPages::OverviewPages(frmMain& window)
    : QObject(&window), window_(window), prompts_(&window), inputs_(new WindowInputs(window)),
      tabs_(new QTabWidget), overview_(new OverviewPage(*inputs_)),
      trend_(new TrendPage(*inputs_, prompts_)) {
    setObjectName(QStringLiteral("overviewPages"));
    AnalysisArea& area = *window.analysis();
    tabs_->setObjectName(QStringLiteral("resultTabs"));
    delete area.layout()->replaceWidget(area.results, tabs_);
    tabs_->addTab(area.results, QStringLiteral("检索结果"));
    tabs_->addTab(overview_, QStringLiteral("遗漏总览"));
    tabs_->addTab(trend_, QStringLiteral("走势图"));
    tabs_->addTab(new PlaysPage(*inputs_, prompts_), QStringLiteral("玩法遗漏"));
    tabs_->addTab(new PatternPage(*inputs_, prompts_, *area.results), QStringLiteral("形态走势"));
    tabs_->addTab(new FilterPage(*inputs_, prompts_), QStringLiteral("缩水回测"));
    auto* calc = new CalcPage(*inputs_);
    tabs_->addTab(calc, QStringLiteral("投注计算"));
    connect(window.menus()->mnuPrizes, &QAction::triggered, this, [this, calc] {
        auto* dialog = new PrizeDialog(window_.choices().game().highestNumber, prompts_, &window_);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::accepted, calc, &CalcPage::prizesChanged);
        dialog->open();
    });
    // The search buttons and the combination panel serve every page: what they find is shown
    // on the first.
    connect(area.results, &ResultGridsPanel::shown, tabs_,
            [this, &area] { tabs_->setCurrentWidget(area.results); });
    connect(window.menus()->mnuMissing, &QAction::triggered, this,
            &OverviewPages::mnuMissing_Click);
}

void OverviewPages::mnuMissing_Click() {
    session::MissingShown shown;
    try {
        shown = session::listMissingIssues(window_.snapshot(), window_.choices());
    } catch (const UserError& error) {
        prompts_.warn(messages::kNoticeTitle, error.what());
        return;
    }
    auto* dialog = new MissingIssuesDialog(std::move(shown), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace yilou::app
