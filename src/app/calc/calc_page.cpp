#include "app/calc/calc_page.h"

#include "app/dialogs/prompts.h"
#include "app/grid/grid_model.h"
#include "app/overview/window_inputs.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "settings/settings_store.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace yilou::app {

CalcPage::CalcPage(WindowInputs& inputs, QWidget* parent)
    : ViewPage(inputs, parent), play_(new QComboBox), numbers_(new QLineEdit),
      bankers_(new QLineEdit), multiple_(new QSpinBox), grid_(new QTableView),
      summary_(new QLabel) {
    setObjectName(QStringLiteral("calcPage"));
    const auto changed = [this] { refreshWhenShown(); };
    play_->setObjectName(QStringLiteral("cboCalcPlay"));
    for (const analysis::Play each : analysis::allPlays())
        play_->addItem(qs(messages::playName(each)), qs(analysis::playKey(each)));
    play_->setMaxVisibleItems(analysis::kPlayCount);
    play_->setCurrentIndex(static_cast<int>(analysis::Play::Any5));
    connect(play_, &QComboBox::currentIndexChanged, this, changed);
    multiple_->setObjectName(QStringLiteral("spnCalcMultiple"));
    multiple_->setRange(1, 99);
    connect(multiple_, &QSpinBox::valueChanged, this, changed);

    auto* boxes = new QGridLayout;
    const auto addBox = [&](int row, const QString& caption, QLineEdit* box, const QString& name,
                            const QString& hint) {
        box->setObjectName(name);
        box->setPlaceholderText(hint);
        connect(box, &QLineEdit::textChanged, this, changed);
        auto* label = new QLabel(caption);
        boxes->addWidget(label, row, 0);
        boxes->addWidget(box, row, 1, 1, kMostPlaces);
        return label;
    };
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("玩法")));
    top->addWidget(play_);
    top->addWidget(new QLabel(QStringLiteral("倍数")));
    top->addWidget(multiple_);
    top->addStretch();
    addBox(0, QStringLiteral("号码"), numbers_, QStringLiteral("txtCalcNumbers"),
           QStringLiteral("复式的号码，或胆拖的拖码，例如 1 2 3 4 5 6 7"));
    bankersLabel_ = addBox(1, QStringLiteral("胆码"), bankers_, QStringLiteral("txtCalcBankers"),
                           QStringLiteral("胆拖的胆，复式时留空"));
    placesLabel_ = new QLabel(QStringLiteral("直选定位"));
    boxes->addWidget(placesLabel_, 2, 0);
    for (int j = 0; j < kMostPlaces; ++j) {
        auto* box = new QLineEdit;
        places_[static_cast<std::size_t>(j)] = box;
        box->setObjectName(QStringLiteral("txtCalcPlace%1").arg(j + 1));
        box->setPlaceholderText(QStringLiteral("第%1位").arg(j + 1));
        connect(box, &QLineEdit::textChanged, this, changed);
        boxes->addWidget(box, 2, j + 1);
    }

    // The boxes take the width the captions leave.
    for (int j = 1; j <= kMostPlaces; ++j)
        boxes->setColumnStretch(j, 1);

    static const session::CalcView kNothing;
    outcomes_ = session::calcTextGrid(kNothing);
    model_ = GridModel::headedBy(outcomes_, this);
    model_->setTextColumns({0, 3});
    grid_->setObjectName(QStringLiteral("calcGrid"));
    setUpRowGrid(grid_, model_);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary_->setObjectName(QStringLiteral("lblCalcSummary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setWordWrap(true);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addLayout(boxes);
    layout->addWidget(caption());
    auto* results = new QHBoxLayout;
    results->addWidget(grid_, 2);
    results->addWidget(summary_, 3);
    layout->addLayout(results, 1);
    // Tab walks the page as it reads.
    std::vector<QWidget*> order{play_, multiple_, numbers_, bankers_};
    order.insert(order.end(), places_.begin(), places_.end());
    order.push_back(grid_);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

session::CalcRequest CalcPage::request() const {
    session::CalcRequest request;
    request.play = play_->currentData().toString().toStdString();
    request.numbers = numbers_->text().toStdString();
    request.bankers = bankers_->text().toStdString();
    // Places count for a 直选 only, and only when one of them holds numbers.
    const auto play = static_cast<analysis::Play>(play_->currentIndex());
    const int size = analysis::isOrdered(play) ? analysis::playSize(play) : 0;
    const bool placed = std::any_of(places_.begin(), places_.begin() + size,
                                    [](const QLineEdit* box) { return !box->text().isEmpty(); });
    if (placed)
        for (int j = 0; j < size; ++j)
            request.positions.push_back(places_[static_cast<std::size_t>(j)]->text().toStdString());
    request.multiple = std::to_string(multiple_->value());
    return request;
}

void CalcPage::refresh() {
    // The places a 直选 has; the other plays take numbers and 胆.
    const auto play = static_cast<analysis::Play>(play_->currentIndex());
    const int places = analysis::isOrdered(play) ? analysis::playSize(play) : 0;
    for (int j = 0; j < kMostPlaces; ++j)
        places_[static_cast<std::size_t>(j)]->setVisible(j < places);
    placesLabel_->setVisible(places > 0);
    bankers_->setVisible(places == 0);
    bankersLabel_->setVisible(places == 0);
    const int highest = inputs_.choices().game().highestNumber;
    try {
        view_ = session::calculateBet(
            request(), inputs_.choices(),
            session::prizeTableOf(settings::SettingsStore().Prizes(highest), highest));
    } catch (const UserError& error) {
        view_.reset();
        caption()->setText(qs(error.what()));
        model_->clear();
        summary_->clear();
        return;
    }
    caption()->setText(qs(view_->caption));
    outcomes_ = session::calcTextGrid(*view_);
    QStringList lines;
    for (const auto& line : view_->summary)
        lines << qs(line);
    summary_->setText(lines.join(QLatin1Char('\n')));
    model_->show(outcomes_);
}

} // namespace yilou::app
