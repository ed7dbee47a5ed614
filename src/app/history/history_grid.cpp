#include "app/history/history_grid.h"

#include "app/dialogs/prompts.h"
#include "app/grid/grid_model.h"
#include "session/grid_text.h"

#include <QScrollBar>

namespace yilou::app {

namespace {

QStringList headers() {
    QStringList headers;
    for (const auto& header : session::HistoryGrid::headers())
        headers << qs(header);
    return headers;
}

} // namespace

HistoryGrid::HistoryGrid(const history::Snapshot& snapshot, QWidget* parent)
    : FlexGrid(QStringLiteral("MSFlexGrid1"), new GridModel(headers()), parent),
      snapshot_(snapshot) {
    gridModel()->setParent(this);
    setToolTip(QStringLiteral("鼠标双击列表可以将列表导出到EXCEL"));
    setTwipsWidths(session::HistoryGrid::kWidths);
}

void HistoryGrid::showAll() {
    gridModel()->reset(static_cast<int>(snapshot_.size()), [this](int row, int column) {
        return qs(session::HistoryGrid::cell(snapshot_, static_cast<std::size_t>(row), column));
    });
    showNewestWhenLong();
}

void HistoryGrid::showChangedEnd() {
    gridModel()->resizeAtEnd(static_cast<int>(snapshot_.size()));
    showNewestWhenLong();
}

int HistoryGrid::naturalWidth() const {
    int width = 0;
    for (int column = 0; column < session::HistoryGrid::kColumns; ++column)
        width += columnWidth(column);
    return width + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

} // namespace yilou::app
