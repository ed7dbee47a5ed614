#include "app/frm_main.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/analysis_handlers.h"
#include "app/analysis/position_input_panel.h"
#include "app/grid/flex_grid.h"
#include "app/grid/grid_model.h"
#include "app/grid/wheel_router.h"
#include "app/history/command_bar.h"
#include "app/history/history_entry_panel.h"
#include "app/overview/overview_pages.h"
#include "app/settings/data_folder.h"
#include "app/shell/main_menus.h"
#include "history/messages.h"
#include "history/user_error.h"
#include "session/grid_text.h"
#include "session/history_steps.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace yilou::app {

frmMain::frmMain(const std::filesystem::path& dataFolder, QWidget* parent)
    : QMainWindow(parent), dataFolder_(dataFolder) {
    setObjectName(QStringLiteral("frmMain"));
    buildLayout();
    wireMenus();
    startUp();
    analysisHandlers_ = new AnalysisHandlers(*this);
}

frmMain::~frmMain() = default;

void frmMain::buildLayout() {
    menus_ = new MainMenus(menuBar(), this);
    commands_ = new CommandBar;
    entry_ = new HistoryEntryPanel;
    analysis_ = new AnalysisArea;

    QStringList headers;
    for (const auto& header : session::HistoryGrid::headers())
        headers << qs(header);
    historyModel_ = new GridModel(headers, this);
    MSFlexGrid1_ = new FlexGrid(QStringLiteral("MSFlexGrid1"), historyModel_);
    MSFlexGrid1_->setToolTip(QStringLiteral("鼠标双击列表可以将列表导出到EXCEL"));
    MSFlexGrid1_->setTwipsWidths(session::HistoryGrid::kWidths);

    auto* historySide = new QWidget;
    auto* historyLayout = new QVBoxLayout(historySide);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    historyLayout->addWidget(MSFlexGrid1_, 1);
    historyLayout->addWidget(entry_);
    int gridWidth = 0;
    for (int twips : session::HistoryGrid::kWidths)
        gridWidth += twipsToPixels(twips);
    historySide->setMinimumWidth(gridWidth + 24);

    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("mainSplitter"));
    split->addWidget(historySide);
    split->addWidget(analysis_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(commands_);
    layout->addWidget(split, 1);
    setCentralWidget(central);

    status_ = new QLabel;
    statusBar()->addWidget(status_, 1);
    new WheelRouter(this);
    new OverviewPages(*this);
    resize(1280, 720);
}

void frmMain::wireMenus() {
    connect(commands_->Command21, &QPushButton::clicked, this, &frmMain::Command21_Click);
    connect(menus_->mnuDcls, &QAction::triggered, this, &frmMain::mnuDcls_Click);
    connect(MSFlexGrid1_, &FlexGrid::contextMenuAsked, this,
            [this](const QPoint& at) { menus_->mnuLsgl->popup(at); });
    connect(analysis_->positions->TabStrip1, &QTabBar::currentChanged, analysis_->positions,
            &PositionInputPanel::showPage);
}

void frmMain::startUp() {
    choices_.gsZl = settings_.GsZl();
    choices_.sxIni = settings_.SxIni();
    choices_.dsIni = settings_.DsIni();
    menus_->mnu11S5[choices_.gsZl]->setChecked(true);
    menus_->mnuSxcs[choices_.sxIni]->setChecked(true);
    menus_->mnuDscs[choices_.dsIni]->setChecked(true);
    updateTitle();

    const auto file = dataFolder_ / history::kDatabaseFileName;
    try {
        prepareDataFolder(dataFolder_);
        db_ = std::make_unique<history::HistoryDb>(file);
        snapshot_ = db_->loadSnapshot();
    } catch (const std::exception& error) {
        db_.reset();
        snapshot_ = {};
        openProblem_ = messages::cannotOpenDatabase(file, error.what());
        QTimer::singleShot(0, this,
                           [this] { prompts_.warn(messages::kNoticeTitle, *openProblem_); });
    }
    QihaoXianshi();
    AddHaoma();
}

void frmMain::updateTitle() {
    setWindowTitle(QStringLiteral("遗漏统计 — ") + qs(choices_.game().name));
}

void frmMain::updateStatus() {
    QString text =
        qs(choices_.game().name) + QStringLiteral(" · 历史号码 %1 期").arg(snapshot_.size());
    if (!snapshot_.empty())
        text += QStringLiteral(" · 最新 ") + qs(history::issueText(snapshot_.issues.back()));
    status_->setText(text);
}

void frmMain::AddHaoma() {
    historyModel_->reset(static_cast<int>(snapshot_.size()), [this](int row, int column) {
        return qs(session::HistoryGrid::cell(snapshot_, static_cast<std::size_t>(row), column));
    });
    MSFlexGrid1_->showNewestWhenLong();
    updateStatus();
}

void frmMain::QihaoXianshi() {
    const std::optional<history::Issue> newest =
        snapshot_.empty() ? std::nullopt : std::optional(snapshot_.issues.back());
    entry_->Text1->setText(qs(history::issueText(session::nextIssue(newest, choices_.game()))));
    if (newest)
        analysis_->positions->Text4->setText(qs(history::issueText(*newest)));
}

void frmMain::Command21_Click() {
    // The online update comes with its own feature.
}

void frmMain::mnuDcls_Click() {
    // The spreadsheet export comes with its own feature.
}

} // namespace yilou::app
