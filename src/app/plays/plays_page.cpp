#include "app/plays/plays_page.h"

#include "app/dialogs/prompts.h"
#include "app/export/grid_exports.h"
#include "app/frm_main.h"
#include "app/grid/figure_grid.h"
#include "app/overview/window_inputs.h"
#include "app/plays/play_board_model.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/play_steps.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace yilou::app {

namespace {

/// How long after a choice of play the settings are written.
constexpr int kSaveDelayMs = 500;

/// A swatch of `color` and what it stands for.
QLabel* legendEntry(const QColor& color, const QString& text) {
    auto* label = new QLabel(text);
    label->setStyleSheet(
        QStringLiteral("QLabel { background: %1; padding: 1px 6px; }").arg(color.name()));
    return label;
}

} // namespace

PlaysPage::PlaysPage(WindowInputs& inputs, const Prompts& prompts, QWidget* parent)
    : ViewPage(inputs, parent), prompts_(prompts), play_(new QComboBox), bankers_(new QLineEdit),
      grid_(new QTableView), model_(new PlayBoardModel(this)), save_(new QTimer(this)) {
    setObjectName(QStringLiteral("playsPage"));
    play_->setObjectName(QStringLiteral("cboPlay"));
    for (const analysis::Play play : analysis::allPlays())
        play_->addItem(qs(messages::playName(play)), qs(analysis::playKey(play)));
    play_->setCurrentIndex(settings_.intWanfa());
    play_->setMaxVisibleItems(analysis::kPlayCount);
    connect(play_, &QComboBox::currentIndexChanged, this, &PlaysPage::choosePlay);
    save_->setSingleShot(true);
    save_->setInterval(kSaveDelayMs);
    connect(save_, &QTimer::timeout, this, &PlaysPage::saveChoice);

    bankers_->setObjectName(QStringLiteral("txtPlayBankers"));
    bankers_->setPlaceholderText(QStringLiteral("如 03,07"));
    bankers_->setClearButtonEnabled(true);
    bankers_->setMaximumWidth(bankers_->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 16);
    connect(bankers_, &QLineEdit::textChanged, this, &PlaysPage::refresh);

    grid_->setObjectName(QStringLiteral("playGrid"));
    setUpFigureGrid(grid_, model_);
    // No wider than an issue: 大后比 with all its digits would push the last columns out of
    // view; its cells show the rest as a tooltip.
    grid_->horizontalHeader()->setMaximumSectionSize(
        grid_->fontMetrics().horizontalAdvance(QStringLiteral("2015021178")) + kFigureCellPadding);
    connect(grid_, &QTableView::doubleClicked, this, &PlaysPage::exportBoard);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("玩法")));
    controls->addWidget(play_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("胆码")));
    controls->addWidget(bankers_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("当前遗漏：")));
    controls->addWidget(legendEntry(PlayBoardModel::tint(session::Overdue::Twice),
                                    QStringLiteral("≥ 2倍理论遗漏")));
    controls->addWidget(legendEntry(PlayBoardModel::tint(session::Overdue::Thrice),
                                    QStringLiteral("≥ 3倍理论遗漏")));
    controls->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(caption());
    layout->addWidget(grid_, 1);
}

void PlaysPage::choosePlay() {
    refresh();
    settings_.setIntWanfa(play_->currentIndex());
    save_->start();
}

void PlaysPage::saveChoice() {
    try {
        settings_.sync();
    } catch (const UserError& error) {
        prompts_.warn(messages::kNoticeTitle, error.what());
    }
}

void PlaysPage::refresh() {
    try {
        const auto range = inputs_.range();
        const auto& snapshot = inputs_.snapshot();
        session::PlayRequest request;
        request.play = play_->currentData().toString().toStdString();
        request.from = history::issueText(snapshot.issues[range.first]);
        request.to = history::issueText(snapshot.issues[range.last]);
        request.contains = bankers_->text().toStdString();
        const auto* header = grid_->horizontalHeader();
        if (const int column = header->sortIndicatorSection(); column >= 0) {
            request.sort = session::playColumnKey(static_cast<session::PlayColumn>(column));
            request.descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
        }
        auto view = session::showPlays(snapshot, request, inputs_.window().choices(), held_,
                                       inputs_.revision());
        caption()->setText(qs(view.caption));
        model_->setView(std::move(view));
    } catch (const UserError& error) {
        caption()->setText(qs(error.what()));
        model_->clear();
    }
    fitColumnsToTexts(grid_, [this](int column) { return model_->longestText(column); });
}

void PlaysPage::exportBoard() {
    if (model_->rowCount() == 0)
        return;
    if (auto* exports = inputs_.window().findChild<GridExports*>())
        exports->exportGrid(history::ExportedGrid::Plays, session::playTextGrid(model_->view()));
}

} // namespace yilou::app
