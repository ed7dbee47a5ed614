// The search options and the two searches (检索, 分部检索).
#include "app/analysis/analysis_area.h"
#include "app/analysis/analysis_handlers.h"
#include "app/analysis/position_input_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/analysis/search_options_panel.h"
#include "app/analysis/search_panel.h"
#include "app/dialogs/busy_cursor.h"
#include "app/frm_main.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace yilou::app {

void AnalysisHandlers::Option1_Click(int index) {
    if (index <= 1)
        bolZyw = index == 1;
    save([this](settings::SettingsStore& store) { store.setBolZyw(bolZyw); });
    refreshPositions();
    // Either frame's buttons start the range again: at the oldest draw, or with 前 N 期 at the
    // newest N draws.
    applyRange(true, true);
}

void AnalysisHandlers::MaskEdBox2_Change() {
    // Typing N chooses 前 N 期.
    area_.options->Option1[2]->setChecked(true);
    applyRange();
}

void AnalysisHandlers::Option2_Click(int index) {
    bolLdm = index == 4;
    save([this](settings::SettingsStore& store) { store.setBolLdm(bolLdm); });
    refreshPositions();
}

void AnalysisHandlers::Option3_Click(int index) {
    intLei = index;
    cmdZH_Click(1);
    refreshPositions();
    save([this](settings::SettingsStore& store) { store.setIntLei(intLei); });
    refreshPanel();
}

void AnalysisHandlers::Text22_LostFocus(int index) {
    readValueBox(index);
}

analysis::SearchType AnalysisHandlers::searchType() const {
    return static_cast<analysis::SearchType>(intLei);
}

analysis::SearchRequest AnalysisHandlers::searchRequest() const {
    analysis::SearchRequest request;
    request.type = searchType();
    request.order = bolLdm ? history::NumberOrder::Drop : history::NumberOrder::Sorted;
    request.freePosition = bolZyw;
    const auto* positions = area_.positions;
    const bool manual = bolManualTab();
    for (int p = 1; p <= 5; ++p) {
        const auto* check = manual ? positions->Check11[p] : positions->Check1[10 + p];
        const auto* box = manual ? positions->Text22[p] : positions->Text2[10 + p];
        request.positions[p - 1] = {check->isChecked(), intPosValue[p], box->text().toStdString()};
    }
    const auto range =
        session::rangeIssues(window_.snapshot(), area_.range->Text3[0]->text().toStdString(),
                             area_.range->Text3[1]->text().toStdString());
    request.startIssue = range.start;
    request.endIssue = range.end;
    request.sxIni = window_.choices().sxIni;
    return request;
}

void AnalysisHandlers::runSearch(
    const std::function<analysis::SearchResult(const analysis::SearchRequest&)>& search) {
    analysis::SearchResult result;
    leaveTypedBox();
    try {
        BusyCursor busy;
        if (!bolManualTab() && referenceProblem_)
            throw UserError(*referenceProblem_);
        result = search(searchRequest());
    } catch (const std::exception& error) {
        showProblem(error);
        return;
    }
    area_.results->showSearch(std::move(result));
}

void AnalysisHandlers::leaveTypedBox() {
    // A button pressed by its Alt letter takes no focus from the box being typed in, as a
    // click would: the box is read as leaving it would.
    const QWidget* focus = QApplication::focusWidget();
    for (int p = 1; p <= 5; ++p)
        if (focus == area_.positions->Text22[p])
            Text22_LostFocus(p);
    if (focus == area_.positions->Text4)
        Text4_LostFocus();
    if (focus == area_.search->Combo1)
        Combo1_LostFocus();
}

void AnalysisHandlers::Command1_Click() {
    bolZyw = !area_.options->Option1[0]->isChecked();
    runSearch([this](const analysis::SearchRequest& request) {
        return session::searchPositions(window_.snapshot(), request, window_.choices());
    });
}

void AnalysisHandlers::Command2_Click() {
    bolZyw = !area_.options->Option1[0]->isChecked();
    // The group size shown is the one searched, however the list was changed.
    const std::string kText = area_.search->Combo1->currentText().toStdString();
    runSearch([this, &kText](const analysis::SearchRequest& request) {
        return session::searchPartial(window_.snapshot(), request,
                                      session::parseDecimal(kText, messages::field::kPartialCount),
                                      kText, window_.choices());
    });
}

void AnalysisHandlers::Combo1_LostFocus() {
    try {
        intZhWSetup = session::parseDecimal(area_.search->Combo1->currentText().toStdString(),
                                            messages::field::kPartialCount);
    } catch (const UserError&) {
        return; // the list offers numbers only; keep the value in force
    }
    save([this](settings::SettingsStore& store) { store.setIntZhWSetup(intZhWSetup); });
}

} // namespace yilou::app
