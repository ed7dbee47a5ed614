#include "app/frm_main.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/analysis_handlers.h"
#include "app/analysis/position_input_panel.h"
#include "app/export/grid_exports.h"
#include "app/grid/flex_grid.h"
#include "app/grid/wheel_router.h"
#include "app/history/command_bar.h"
#include "app/history/first_start_panel.h"
#include "app/history/history_entry_panel.h"
#include "app/history/history_grid.h"
#include "app/overview/overview_pages.h"
#include "app/shell/help_links.h"
#include "app/shell/keyboard_navigation.h"
#include "app/shell/main_menus.h"
#include "app/shell/program_icon.h"
#include "core/user_error.h"
#include "session/game_steps.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/sample_histories.h"
#include "settings/data_folder.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <future>

namespace yilou::app {

frmMain::frmMain(const std::filesystem::path& dataFolder, QWidget* parent)
    : QMainWindow(parent), dataFolder_(dataFolder) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());
    openUrl_ = [this](const QUrl& address, std::function<void()> failed) {
        openWithDesktop(address, this, std::move(failed));
    };
    buildLayout();
    wireMenus();
    wireHistory();
    startUp();
    analysisHandlers_ = new AnalysisHandlers(*this);
    new GridExports(*this);
    new KeyboardNavigation(*this);
}

frmMain::~frmMain() = default;

void frmMain::buildLayout() {
    menus_ = new MainMenus(menuBar(), this);
    commands_ = new CommandBar;
    entry_ = new HistoryEntryPanel;
    analysis_ = new AnalysisArea;

    MSFlexGrid1_ = new HistoryGrid(snapshot_);

    auto* historySide = new QWidget;
    auto* historyLayout = new QVBoxLayout(historySide);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    historyLayout->addWidget(MSFlexGrid1_, 1);
    firstStart_ = new FirstStartPanel(session::sampleHistories(session::sampleHistoryFolder()));
    historyLayout->addWidget(firstStart_, 1);
    dayDrawsNotice_ = new QWidget;
    dayDrawsNotice_->setObjectName(QStringLiteral("dayDrawsNotice"));
    auto* noticeLayout = new QVBoxLayout(dayDrawsNotice_);
    noticeLayout->setContentsMargins(0, 0, 0, 0);
    dayDrawsNoticeText_ = new QLabel;
    dayDrawsNoticeText_->setWordWrap(true);
    noticeLayout->addWidget(dayDrawsNoticeText_);
    auto* noticeButtons = new QHBoxLayout;
    dayDrawsNoticeSet_ = new QPushButton;
    dayDrawsNoticeSet_->setObjectName(QStringLiteral("dayDrawsNoticeSet"));
    auto* dismiss = new QPushButton(qs(messages::kDismissNotice));
    dismiss->setObjectName(QStringLiteral("dayDrawsNoticeDismiss"));
    noticeButtons->addWidget(dayDrawsNoticeSet_);
    noticeButtons->addWidget(dismiss);
    noticeLayout->addLayout(noticeButtons);
    dayDrawsNotice_->hide();
    connect(dayDrawsNoticeSet_, &QPushButton::clicked, this, [this] {
        dayDrawsNotice_->hide();
        setDayDraws(dayDrawsNoticed_);
    });
    connect(dismiss, &QPushButton::clicked, dayDrawsNotice_, &QWidget::hide);
    historyLayout->addWidget(dayDrawsNotice_);
    historyLayout->addWidget(entry_);
    historySide->setMinimumWidth(MSFlexGrid1_->naturalWidth());

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
    // As large as a 1366×768 screen allows, and no larger than the screen it opens on.
    const QRect available = screen()->availableGeometry();
    resize(std::min(1366, available.width()), std::min(740, available.height()));
}

void frmMain::wireMenus() {
    connect(commands_->Command21, &QPushButton::clicked, this, &frmMain::Command21_Click);
    connect(menus_->mnuUpdateUrl, &QAction::triggered, this, &frmMain::mnuUpdateUrl_Click);
    connect(MSFlexGrid1_, &FlexGrid::contextMenuAsked, this, [this](const QPoint& at) {
        // The menu's commands that take a draw (删除到选定期) take the row clicked.
        const QModelIndex row = MSFlexGrid1_->indexAt(MSFlexGrid1_->viewport()->mapFromGlobal(at));
        if (row.isValid())
            MSFlexGrid1_->selectRow(row.row());
        menus_->mnuLsgl->popup(at);
    });
    connect(analysis_->positions->TabStrip1, &QTabBar::currentChanged, analysis_->positions,
            &PositionInputPanel::showPage);
    connect(commands_->Command9, &QPushButton::clicked, this, &frmMain::Command9_Click);
    for (int i = 0; i < history::kGameCount; ++i)
        connect(menus_->mnu11S5[i], &QAction::triggered, this, [this, i] { mnu11S5_Click(i); });
    connect(menus_->mnuCaizhong, &QMenu::aboutToShow, this, &frmMain::updateGameMenu);
    for (int i = 0; i < 2; ++i) {
        connect(menus_->mnuSxcs[i], &QAction::triggered, this, [this, i] { mnuSxcs_Click(i); });
        connect(menus_->mnuDscs[i], &QAction::triggered, this, [this, i] { mnuDscs_Click(i); });
    }
    connect(menus_->mnuSetDay, &QAction::triggered, this, &frmMain::mnuSetDay_Click);
    connect(menus_->mnuDayDraws, &QAction::triggered, this, &frmMain::mnuDayDraws_Click);
    connect(menus_->mnuFrontPage, &QAction::triggered, this, &frmMain::mnuFrontPage_Click);
    connect(menus_->mnuDescrb, &QAction::triggered, this, &frmMain::mnuDescrb_Click);
    connect(menus_->numYanshiDown, &QAction::triggered, this, &frmMain::numYanshiDown_Click);
    connect(menus_->mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

void frmMain::startUp() {
    choices_.gsZl = settings_.GsZl();
    choices_.sxIni = settings_.SxIni();
    choices_.dsIni = settings_.DsIni();
    choices_.drawsPerDay = settings_.dayDraws(choices_.gsZl);
    menus_->mnu11S5[choices_.gsZl]->setChecked(true);
    menus_->mnuSxcs[choices_.sxIni]->setChecked(true);
    menus_->mnuDscs[choices_.dsIni]->setChecked(true);
    updateTitle();
    snapshot_ = openHistory();
    ++historyRevision_;
    QihaoXianshi();
    AddHaoma();
}

history::Snapshot frmMain::openHistory() {
    const auto file = dataFolder_ / history::kDatabaseFileName;
    history::Snapshot snapshot;
    try {
        settings::prepareDataFolder(dataFolder_);
        session::useGameHistory(dataFolder_, choices_.gsZl);
        db_ = std::make_unique<history::HistoryDb>(file);
        // The file is checked once, before anything can be written to it: every page is
        // walked on a connection of its own beside the load.
        auto check = std::async(std::launch::async, [file] {
            history::HistoryDb own(file);
            history::prepareChange(own);
        });
        snapshot = db_->loadSnapshot();
        check.get();
        // The check has remembered the file as intact; this connection, which makes the
        // window's changes, finds it so and can remember its own changes.
        history::prepareChange(*db_);
        openProblem_.reset();
    } catch (const std::exception& error) {
        db_.reset();
        snapshot = {};
        openProblem_ = messages::cannotOpenDatabase(file, error.what());
        QTimer::singleShot(0, this,
                           [this] { prompts_.warn(messages::kNoticeTitle, *openProblem_); });
    }
    return snapshot;
}

void frmMain::updateTitle() {
    // The desktop shows the program's name (the application's display name) after it.
    setWindowTitle(qs(choices_.game().name));
}

void frmMain::updateStatus() {
    // A passing message of an earlier change would hide the line, and its count is out of date.
    statusBar()->clearMessage();
    status_->setText(qs(messages::statusLine(
        choices_.game().name, snapshot_.size(),
        snapshot_.empty() ? std::nullopt : std::optional(snapshot_.issues.back()))));
}

void frmMain::AddHaoma() {
    MSFlexGrid1_->showAll();
    MSFlexGrid1_->setVisible(!snapshot_.empty());
    firstStart_->setVisible(snapshot_.empty());
    updateStatus();
    noticeDaysEndingEarlier();
}

void frmMain::noticeDaysEndingEarlier() {
    const int setting = choices_.game().drawsPerDay;
    const auto seen = session::daysEndingEarlier(snapshot_, setting);
    if (!seen) {
        dayDrawsNotice_->hide();
        return;
    }
    if (!gamesNoticed_.insert(choices_.gsZl).second)
        return;
    dayDrawsNoticed_ = *seen;
    dayDrawsNoticeText_->setText(
        qs(messages::daysEndEarlier(choices_.game().name, *seen, setting)));
    dayDrawsNoticeSet_->setText(qs(messages::setDayDrawsTo(*seen)));
    dayDrawsNotice_->show();
}

void frmMain::setClock(Clock clock) {
    today_ = std::move(clock);
    QihaoXianshi();
}

void frmMain::QihaoXianshi() {
    const std::optional<history::Issue> newest =
        snapshot_.empty() ? std::nullopt : std::optional(snapshot_.issues.back());
    QString next;
    try {
        next = qs(history::issueText(session::nextIssue(newest, choices_.game(), today_())));
    } catch (const UserError&) {
        // The newest draw has the last issue there can be: no next one to propose, and a
        // draw typed in anyway gets the engine's message when it is stored.
    }
    entry_->Text1->setText(next);
    analysis_->positions->Text4->setText(qs(session::newestIssueText(snapshot_)));
}

} // namespace yilou::app
