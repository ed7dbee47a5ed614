// The combination panel and the grouped calculation (分组计算).
#include "app/analysis/analysis_area.h"
#include "app/analysis/analysis_handlers.h"
#include "app/analysis/combination_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/dialogs/busy_cursor.h"
#include "app/frm_main.h"
#include "core/messages.h"
#include "core/user_error.h"
#include "session/messages.h"
#include "session/search_steps.h"
#include "session/typed_input.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace yilou::app {

void AnalysisHandlers::refreshPanel() {
    boxCodes_ = session::typeCodes(searchType(), window_.choices());
    const int intSelMax = static_cast<int>(boxCodes_.size());
    auto& boxes = area_.combination->Check6;
    for (int i = 1; i <= 12; ++i) {
        boxes[i]->setVisible(i <= intSelMax);
        if (i <= intSelMax)
            boxes[i]->setText(
                qs(session::codeLabel(searchType(), boxCodes_[i - 1], window_.choices())));
    }
    recount();
}

void AnalysisHandlers::recount() {
    intSelCount = 0;
    for (std::size_t i = 1; i <= boxCodes_.size(); ++i)
        intSelCount += area_.combination->Check6[i]->isChecked() ? 1 : 0;
    area_.combination->Text5->setText(QString::number(intSelCount));
}

void AnalysisHandlers::Check6_Click(int) {
    recount();
}

void AnalysisHandlers::cmdZH_Click(int index) {
    // All twelve boxes, hidden ones too, so a type or game that shows more boxes finds them
    // in the state the panel was given.
    for (int i = 1; i <= 12; ++i) {
        auto* box = area_.combination->Check6[i];
        if (index == 0 || index == 1)
            box->setChecked(index == 0);
        else if (index == 2)
            box->setChecked(!box->isChecked());
    }
    recount();
}

history::HistoryDb& AnalysisHandlers::database() const {
    auto* db = window_.database();
    if (!db)
        throw UserError(messages::emptyHistory());
    return *db;
}

void AnalysisHandlers::Command5_Click() {
    session::GroupResult result;
    try {
        BusyCursor busy;
        analysis::GroupRequest request;
        request.type = searchType();
        for (std::size_t i = 1; i <= boxCodes_.size(); ++i)
            if (area_.combination->Check6[i]->isChecked())
                request.codes.push_back(boxCodes_[i - 1]);
        request.k = session::parseDecimal(area_.combination->Combo2->currentText().toStdString(),
                                          messages::field::kGroupSize);
        const auto range =
            session::rangeIssues(window_.snapshot(), area_.range->Text3[0]->text().toStdString(),
                                 area_.range->Text3[1]->text().toStdString());
        request.startIssue = range.start;
        request.endIssue = range.end;
        request.sxIni = window_.choices().sxIni;
        result = session::calculateGroups(database(), window_.snapshot(), request);
    } catch (const std::exception& error) {
        showProblem(error);
        return;
    }
    area_.results->showGroups(std::move(result.rows), history::YlSortColumn::Last);
    // The rows are shown all the same; YL keeps its previous rows.
    if (result.storeProblem)
        prompts_.warn(messages::kNoticeTitle, messages::warning(*result.storeProblem));
}

} // namespace yilou::app
