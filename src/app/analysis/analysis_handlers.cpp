// Construction and wiring of the analysis handlers, start-up, the tab strip and the reference
// issue.
#include "app/analysis/analysis_handlers.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/combination_panel.h"
#include "app/analysis/position_input_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/analysis/search_options_panel.h"
#include "app/analysis/search_panel.h"
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "app/history/history_grid.h"
#include "app/shell/main_menus.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/search_steps.h"
#include "session/typed_input.h"
#include "session/view_steps.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>

namespace yilou::app {

AnalysisHandlers::AnalysisHandlers(frmMain& window)
    : QObject(&window), window_(window), area_(*window.analysis()), prompts_(&window) {
    wire();
    startUp();
}

void AnalysisHandlers::wire() {
    auto* options = area_.options;
    for (int i = 0; i < 4; ++i)
        connect(options->Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    for (int i = 4; i <= 5; ++i)
        connect(options->Option2[i], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    for (int i = 0; i < 6; ++i)
        connect(options->Option3[i], &QRadioButton::clicked, this, [this, i] { Option3_Click(i); });

    auto* positions = area_.positions;
    // Only digits and the minus sign reach a value box, typed or pasted.
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9]*")), this);
    for (int p = 1; p <= 5; ++p) {
        positions->Text22[p]->setValidator(digits);
        positions->Text22[p]->installEventFilter(this);
        positions->Text2[10 + p]->setReadOnly(true);
    }
    positions->Text4->installEventFilter(this);
    area_.search->Combo1->installEventFilter(this);
    connect(positions->TabStrip1, &QTabBar::currentChanged, this,
            &AnalysisHandlers::TabStrip1_Click);
    connect(positions->Check4, &QCheckBox::clicked, this, &AnalysisHandlers::Check4_Click);
    connect(positions->Text4, &QLineEdit::returnPressed, this, &AnalysisHandlers::Text4_Enter);
    connect(window_.MSFlexGrid1(), &QAbstractItemView::clicked, this,
            [this](const QModelIndex& row) { MSFlexGrid1_Click(row.row()); });

    connect(area_.search->Command1, &QPushButton::clicked, this, &AnalysisHandlers::Command1_Click);
    connect(area_.search->Command2, &QPushButton::clicked, this, &AnalysisHandlers::Command2_Click);

    auto* panel = area_.combination;
    for (int i = 1; i <= 12; ++i)
        connect(panel->Check6[i], &QCheckBox::clicked, this, [this, i] { Check6_Click(i); });
    for (int i = 0; i < 3; ++i)
        connect(panel->cmdZH[i], &QPushButton::clicked, this, [this, i] { cmdZH_Click(i); });
    connect(panel->Command5, &QPushButton::clicked, this, &AnalysisHandlers::Command5_Click);

    // The game and the code bases decide the boxes and the reference values; the menus' own
    // handlers run first, as they were connected first.
    auto* menus = window_.menus();
    for (auto* entry : menus->mnu11S5)
        connect(entry, &QAction::triggered, this, &AnalysisHandlers::choicesChanged);
    for (auto* entries : {&menus->mnuSxcs, &menus->mnuDscs})
        for (auto* entry : *entries)
            connect(entry, &QAction::triggered, this, &AnalysisHandlers::choicesChanged);
    connect(&window_, &frmMain::historyChanged, this, &AnalysisHandlers::historyChanged);
    connect(area_.options->MaskEdBox2, &QLineEdit::textEdited, this,
            &AnalysisHandlers::MaskEdBox2_Change);
}

void AnalysisHandlers::startUp() {
    bolZyw = settings_.bolZyw();
    bolLdm = settings_.bolLdm();
    intLei = settings_.intLei();
    intZhWSetup = settings_.intZhWSetup();
    auto* options = area_.options;
    options->Option1[bolZyw ? 1 : 0]->setChecked(true);
    options->Option2[bolLdm ? 4 : 5]->setChecked(true);
    options->Option3[intLei]->setChecked(true);
    area_.search->Combo1->setCurrentText(QString::number(intZhWSetup));
    refreshPanel();

    applyRange();
    refreshPositions();
}

bool AnalysisHandlers::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a box for another control of the window; a dialog or the combo box's own list
    // taking the focus for a while is no leaving.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            auto* positions = area_.positions;
            for (int p = 1; p <= 5; ++p)
                if (watched == positions->Text22[p])
                    Text22_LostFocus(p);
            if (watched == positions->Text4)
                Text4_LostFocus();
            if (watched == area_.search->Combo1)
                Combo1_LostFocus();
        }
    }
    return QObject::eventFilter(watched, event);
}

void AnalysisHandlers::choicesChanged() {
    refreshPanel();
    refreshPositions();
}

void AnalysisHandlers::historyChanged(bool restart) {
    // Results and reference values of a history that is no more are not shown; the reference
    // draw's values come again from the history as it is now, and the range follows its rule.
    area_.results->clear();
    for (int p = 1; p <= 5; ++p)
        area_.positions->Text2[10 + p]->clear();
    refreshPositions();
    applyRange(restart);
}

bool AnalysisHandlers::bolManualTab() const {
    return area_.positions->TabStrip1->currentIndex() != 1;
}

void AnalysisHandlers::refreshPositions() {
    if (!bolManualTab()) {
        YSJS();
        return;
    }
    for (int p = 1; p <= 5; ++p)
        readValueBox(p);
}

void AnalysisHandlers::readValueBox(int p) {
    try {
        intPosValue[p] = session::parseDecimal(area_.positions->Text22[p]->text().toStdString(),
                                               messages::field::kValue);
    } catch (const UserError&) {
        // An empty or unreadable box keeps the value the searches had.
    }
}

void AnalysisHandlers::applyRange(bool restart, bool sayProblem) {
    const auto* options = area_.options;
    session::RangeRule rule;
    rule.span = options->Option1[2]->isChecked()   ? session::RangeSpan::Newest
                : options->Option1[3]->isChecked() ? session::RangeSpan::Whole
                                                   : session::RangeSpan::AsTyped;
    rule.start = area_.range->Text3[0]->text().toStdString();
    rule.count = options->MaskEdBox2->text().toStdString();
    rule.beforeReference = !bolManualTab() && area_.positions->Check4->isChecked();
    rule.reference = area_.positions->Text4->text().trimmed().toStdString();
    rule.restart = restart;
    const int drawsPerDay = window_.choices().game().drawsPerDay;
    session::RangeBoxes boxes;
    try {
        boxes = session::rangeBoxes(window_.snapshot(), rule, drawsPerDay);
    } catch (const UserError& error) {
        if (sayProblem)
            showProblem(error);
        // Until N is a count it limits nothing.
        rule.count.clear();
        boxes = session::rangeBoxes(window_.snapshot(), rule, drawsPerDay);
    }
    area_.range->Text3[0]->setText(qs(boxes.start));
    area_.range->Text3[1]->setText(qs(boxes.end));
}

void AnalysisHandlers::TabStrip1_Click(int index) {
    if (index == 1) {
        YSJS();
        return;
    }
    refreshPositions();
    applyRange();
}

void AnalysisHandlers::YSJS() {
    auto* positions = area_.positions;
    const bool beforeOnly = positions->Check4->isChecked();
    applyRange();
    try {
        const auto lookup = session::lookUpReference(
            window_.snapshot(), positions->Text4->text().toStdString(), beforeOnly, searchType(),
            bolLdm ? history::NumberOrder::Drop : history::NumberOrder::Sorted,
            window_.choices().sxIni, window_.choices().game().drawsPerDay);
        for (int p = 1; p <= 5; ++p) {
            intPosValue[p] = lookup.values[p - 1];
            positions->Text2[10 + p]->setText(qs(lookup.texts[p - 1]));
        }
        referenceProblem_.reset();
    } catch (const UserError& error) {
        // Said when a search would use these values; until then the boxes keep theirs.
        referenceProblem_ = error.what();
    }
}

void AnalysisHandlers::Text4_LostFocus() {
    YSJS();
}

void AnalysisHandlers::Text4_Enter() {
    YSJS();
    // Asked for by the key: an issue that gives no values says why at once.
    if (referenceProblem_)
        prompts_.warn(messages::kNoticeTitle, *referenceProblem_);
}

void AnalysisHandlers::MSFlexGrid1_Click(int row) {
    // On the second tab a history row is the reference draw; on the first a click only selects.
    const auto& snapshot = window_.snapshot();
    if (bolManualTab() || row < 0 || static_cast<std::size_t>(row) >= snapshot.size())
        return;
    area_.positions->Text4->setText(qs(history::issueText(snapshot.issues[row])));
    YSJS();
}

void AnalysisHandlers::Check4_Click() {
    applyRange();
}

void AnalysisHandlers::save(const std::function<void(settings::SettingsStore&)>& change) {
    change(settings_);
    try {
        settings_.sync();
    } catch (const UserError& error) {
        showProblem(error);
    }
}

void AnalysisHandlers::showProblem(const std::exception& error) const {
    prompts_.warn(messages::kNoticeTitle, error.what());
}

} // namespace yilou::app
