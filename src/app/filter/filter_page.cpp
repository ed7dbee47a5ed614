#include "app/filter/filter_page.h"

#include "app/dialogs/background_task.h"
#include "app/dialogs/prompts.h"
#include "app/frm_main.h"
#include "app/grid/grid_model.h"
#include "app/overview/window_inputs.h"
#include "core/user_error.h"
#include "session/calc_steps.h"
#include "session/messages.h"
#include "settings/settings_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace yilou::app {

namespace {

/// The ranges' names, bounds and first values: 和值, 跨度, 遗漏.
struct RangeSetup {
    const char* caption;
    int lowest, highest, low, high;
};
constexpr std::array<RangeSetup, FilterPage::kRanges> kRangeSetups{{
    {"和值", 1, 100, 20, 40},
    {"跨度", 0, 11, 4, 10},
    {"当前遗漏", 1, 9'999'999, 10, 9'999'999},
}};
constexpr std::array<const char*, FilterPage::kCountRows> kCountCaptions{"奇数个数", "大号个数",
                                                                         "质数个数", "连号对数"};

/// The room a cell leaves beside its text.
constexpr int kCellPadding = 12;

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

/// A row of number boxes 01 … 12 after its caption; the twelfth shows in a game of twelve numbers.
void addNumberBoxes(QGridLayout* rows, const QString& caption, const QString& name,
                    std::array<QCheckBox*, 13>& out) {
    const int row = rows->rowCount();
    rows->addWidget(new QLabel(caption), row, 0);
    for (int number = 1; number <= 12; ++number) {
        out[number] = new QCheckBox(twoDigits(number));
        out[number]->setObjectName(name + QString::number(number));
        rows->addWidget(out[number], row, number);
    }
}

} // namespace

FilterPage::FilterPage(WindowInputs& inputs, const Prompts& prompts, QWidget* parent)
    : ViewPage(inputs, parent), prompts_(prompts), play_(new QComboBox), draws_(new QSpinBox),
      export_(new QPushButton(QStringLiteral("导出号码(&X)"))),
      backtest_(new QPushButton(QStringLiteral("回测(&H)"))), grid_(new QTableView),
      summary_(new QLabel) {
    setObjectName(QStringLiteral("filterPage"));
    const auto changed = [this] { refreshWhenShown(); };
    play_->setObjectName(QStringLiteral("cboFilterPlay"));
    for (const analysis::Play play : analysis::allPlays())
        play_->addItem(qs(messages::playName(play)), qs(analysis::playKey(play)));
    play_->setCurrentIndex(static_cast<int>(analysis::Play::Any5));
    play_->setMaxVisibleItems(analysis::kPlayCount);
    connect(play_, &QComboBox::currentIndexChanged, this, changed);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("玩法")));
    top->addWidget(play_);
    top->addSpacing(12);
    export_->setObjectName(QStringLiteral("cmdExportTickets"));
    connect(export_, &QPushButton::clicked, this, &FilterPage::exportTickets);
    top->addWidget(export_);
    top->addStretch();

    // 胆码 above 杀号: side by side they would be wider than a small screen.
    auto* numbers = new QGridLayout;
    numbers->setVerticalSpacing(2);
    addNumberBoxes(numbers, QStringLiteral("胆码"), QStringLiteral("chkMust"), must_);
    addNumberBoxes(numbers, QStringLiteral("杀号"), QStringLiteral("chkExclude"), exclude_);
    numbers->setColumnStretch(13, 1);
    for (auto* boxes : {&must_, &exclude_})
        for (int number = 1; number <= 12; ++number)
            connect((*boxes)[number], &QCheckBox::toggled, this, changed);

    auto* conditions = new QGridLayout;
    conditions->setVerticalSpacing(2);
    for (int r = 0; r < kRanges; ++r) {
        const RangeSetup& setup = kRangeSetups[r];
        RangeBoxes& boxes = ranges_[r];
        boxes.on = new QCheckBox(QString::fromUtf8(setup.caption));
        boxes.on->setObjectName(QStringLiteral("chkRange%1").arg(r));
        boxes.low = new QSpinBox;
        boxes.high = new QSpinBox;
        boxes.low->setObjectName(QStringLiteral("spnRangeLow%1").arg(r));
        boxes.high->setObjectName(QStringLiteral("spnRangeHigh%1").arg(r));
        for (QSpinBox* box : {boxes.low, boxes.high}) {
            box->setRange(setup.lowest, setup.highest);
            connect(box, &QSpinBox::valueChanged, this, changed);
        }
        boxes.low->setValue(setup.low);
        boxes.high->setValue(setup.high);
        connect(boxes.on, &QCheckBox::toggled, this, changed);
        auto* row = new QHBoxLayout;
        row->addWidget(boxes.on);
        row->addWidget(boxes.low);
        row->addWidget(new QLabel(QStringLiteral("至")));
        row->addWidget(boxes.high);
        row->addStretch();
        conditions->addLayout(row, r, 0);
    }
    for (int r = 0; r < kCountRows; ++r) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QString::fromUtf8(kCountCaptions[r])));
        row->addSpacing(6);
        for (int c = 0; c <= kMostCount; ++c) {
            counts_[r][c] = new QCheckBox(QString::number(c));
            counts_[r][c]->setObjectName(QStringLiteral("chkCount%1_%2").arg(r).arg(c));
            connect(counts_[r][c], &QCheckBox::toggled, this, changed);
            row->addWidget(counts_[r][c]);
        }
        row->addStretch();
        conditions->addLayout(row, r, 1);
    }
    conditions->setColumnStretch(1, 1);

    auto* run = new QHBoxLayout;
    run->addWidget(new QLabel(QStringLiteral("回测最新")));
    draws_->setObjectName(QStringLiteral("spnBacktestDraws"));
    draws_->setRange(1, 9'999'999);
    draws_->setValue(1000);
    run->addWidget(draws_);
    run->addWidget(new QLabel(QStringLiteral("期")));
    backtest_->setObjectName(QStringLiteral("cmdBacktest"));
    connect(backtest_, &QPushButton::clicked, this, &FilterPage::runBacktest);
    run->addWidget(backtest_);
    run->addStretch();

    static const session::BacktestView kNoDraws;
    backtestGrid_ = session::backtestTextGrid(kNoDraws);
    model_ = GridModel::headedBy(backtestGrid_, this);
    model_->setTextColumns({0, 1});
    grid_->setObjectName(QStringLiteral("backtestGrid"));
    setUpRowGrid(grid_, model_);
    summary_->setObjectName(QStringLiteral("lblBacktestSummary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The conditions scroll on a screen too low for them and the back-test's grid together.
    auto* conditionsArea = new QScrollArea;
    conditionsArea->setObjectName(QStringLiteral("filterConditions"));
    conditionsArea->setFrameShape(QFrame::NoFrame);
    conditionsArea->setFocusPolicy(Qt::NoFocus);
    conditionsArea->setWidgetResizable(true);
    auto* conditionsBox = new QWidget;
    auto* conditionsLayout = new QVBoxLayout(conditionsBox);
    conditionsLayout->setContentsMargins(0, 0, 0, 0);
    conditionsLayout->addLayout(top);
    conditionsLayout->addLayout(numbers);
    conditionsLayout->addLayout(conditions);
    conditionsArea->setWidget(conditionsBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(conditionsArea);
    layout->addWidget(caption());
    layout->addLayout(run);
    // The back-test's draws, and beside them what it came to.
    summary_->setWordWrap(true);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The conditions come first; the grid takes what room is left, never less than a few rows.
    grid_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    grid_->setMinimumHeight(4 * grid_->verticalHeader()->defaultSectionSize());
    auto* backtest = new QHBoxLayout;
    backtest->addWidget(grid_, 2);
    backtest->addWidget(summary_, 3);
    layout->addLayout(backtest, 1);
    orderTabStops();
}

void FilterPage::orderTabStops() {
    // As the page reads: left to right along each row, the rows from the top.
    std::vector<QWidget*> order{play_, export_};
    for (auto* boxes : {&must_, &exclude_})
        order.insert(order.end(), boxes->begin() + 1, boxes->end());
    for (int r = 0; r < kCountRows; ++r) {
        if (r < kRanges)
            order.insert(order.end(), {ranges_[r].on, ranges_[r].low, ranges_[r].high});
        order.insert(order.end(), counts_[r].begin(), counts_[r].end());
    }
    order.insert(order.end(), {draws_, backtest_, grid_});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

session::FilterRequest FilterPage::request() const {
    session::FilterRequest request;
    request.play = play_->currentData().toString().toStdString();
    const int highest = inputs_.choices().game().highestNumber;
    const auto numbers = [highest](const std::array<QCheckBox*, 13>& boxes) {
        std::string text;
        for (int number = 1; number <= highest; ++number)
            if (boxes[number]->isChecked())
                text += (text.empty() ? "" : " ") + std::to_string(number);
        return text;
    };
    request.must = numbers(must_);
    request.exclude = numbers(exclude_);
    std::array<std::string*, kRanges> ranges{&request.sum, &request.span, &request.omission};
    for (int r = 0; r < kRanges; ++r)
        if (ranges_[r].on->isChecked())
            *ranges[r] = std::to_string(ranges_[r].low->value()) + "-" +
                         std::to_string(ranges_[r].high->value());
    std::array<std::string*, kCountRows> counts{&request.odd, &request.big, &request.prime,
                                                &request.consecutive};
    const int size = analysis::playSize(static_cast<analysis::Play>(play_->currentIndex()));
    for (int r = 0; r < kCountRows; ++r)
        for (int c = 0; c <= size; ++c)
            if (counts_[r][c]->isChecked())
                *counts[r] += (counts[r]->empty() ? "" : ",") + std::to_string(c);
    return request;
}

void FilterPage::refresh() {
    // The boxes the game and the play have: a twelfth number, counts up to the ticket's size.
    const int highest = inputs_.choices().game().highestNumber;
    must_[12]->setVisible(highest == 12);
    exclude_[12]->setVisible(highest == 12);
    const int size = analysis::playSize(static_cast<analysis::Play>(play_->currentIndex()));
    for (auto& row : counts_)
        for (int c = 0; c <= kMostCount; ++c)
            row[c]->setVisible(c <= size);
    // A back-test of another history (cleared, replaced, grown) is no longer shown.
    const auto& snapshot = inputs_.snapshot();
    if (backtestView_ && (snapshot.size() != testedDraws_ ||
                          (!snapshot.empty() && snapshot.issues.back() != testedNewest_))) {
        backtestView_.reset();
        model_->clear();
        summary_->clear();
    }
    try {
        const auto plan = session::readFilter(request(), inputs_.choices());
        tickets_ = session::filterTickets(snapshot, plan);
        caption()->setText(qs(tickets_->caption));
    } catch (const UserError& error) {
        tickets_.reset();
        caption()->setText(qs(error.what()));
    }
    export_->setEnabled(tickets_ && !tickets_->tickets.empty());
}

void FilterPage::exportTickets() {
    if (!tickets_)
        return;
    const auto file = prompts_.saveFile(
        messages::kExportTicketsTitle,
        QString::fromStdString((inputs_.window().dataFolder() / "haoma.txt").string()),
        messages::kTicketFileFilter);
    if (!file)
        return;
    try {
        prompts_.inform(messages::kNoticeTitle,
                        session::exportTickets(*tickets_, file->toStdString()));
    } catch (const UserError& error) {
        prompts_.warn(messages::kNoticeTitle, error.what());
    }
}

void FilterPage::runBacktest() {
    std::optional<session::BacktestView> view;
    try {
        const auto plan = session::readFilter(request(), inputs_.choices());
        const auto draws = static_cast<std::size_t>(draws_->value());
        const auto& snapshot = inputs_.snapshot();
        const int highest = inputs_.choices().game().highestNumber;
        const auto prizes =
            session::prizeTableOf(settings::SettingsStore().Prizes(highest), highest);
        runStoppable(this, qs(messages::backtesting(draws)), [&](const ProgressReport& report) {
            view = session::backtestTickets(snapshot, plan, draws, prizes, report);
        });
    } catch (const UserError& error) {
        prompts_.warn(messages::kNoticeTitle, error.what());
        return;
    }
    if (!view)
        return; // stopped: what was shown stays
    backtestView_ = std::move(view);
    testedDraws_ = inputs_.snapshot().size();
    testedNewest_ = inputs_.snapshot().empty() ? 0 : inputs_.snapshot().issues.back();
    backtestGrid_ = session::backtestTextGrid(*backtestView_);
    // The caption, then the totals beside chance on one line, then any warning.
    QStringList totals;
    for (const auto& sentence : backtestView_->summary)
        totals << qs(sentence);
    QStringList lines{qs(backtestView_->caption), totals.join(QStringLiteral("  "))};
    for (const auto& warning : backtestView_->warnings)
        lines << qs(messages::warning(warning));
    summary_->setText(lines.join(QLatin1Char('\n')));
    model_->show(backtestGrid_);
    // Every row is as wide as the first: measuring every cell would take longer than the test.
    const QFontMetrics metrics = grid_->fontMetrics();
    for (int c = 0; c < model_->columnCount(); ++c)
        grid_->horizontalHeader()->resizeSection(
            c, std::max(grid_->horizontalHeader()->sectionSizeHint(c),
                        metrics.horizontalAdvance(model_->gridText(1, c)) + kCellPadding));
}

} // namespace yilou::app
