#include "app/overview/overview_model.h"

#include "app/dialogs/prompts.h"
#include "app/grid/figure_grid.h"
#include "session/overview_grid.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace yilou::app {

using session::OverviewColumn;

OverviewModel::OverviewModel(QObject* parent) : QAbstractTableModel(parent) {}

void OverviewModel::setResult(analysis::OverviewResult result) {
    beginResetModel();
    result_ = std::move(result);
    headers_.clear();
    for (int c = 0; c < session::kOverviewColumnCount; ++c)
        headers_ << qs(session::overviewHeader(static_cast<OverviewColumn>(c), result_.type));
    texts_.clear();
    for (const auto& row : result_.rows) {
        auto& texts = texts_.emplace_back();
        for (int c = 0; c < session::kOverviewColumnCount; ++c)
            texts << qs(session::overviewCellText(result_, row, static_cast<OverviewColumn>(c)));
    }
    applySort();
    endResetModel();
}

void OverviewModel::setRows(std::vector<analysis::OverviewRow> rows, QList<QString> headers,
                            std::vector<QList<QString>> texts) {
    beginResetModel();
    result_ = {};
    result_.rows = std::move(rows);
    headers_ = std::move(headers);
    texts_ = std::move(texts);
    applySort();
    endResetModel();
}

QString OverviewModel::longestText(int column) const {
    return app::longestText(texts_, column);
}

void OverviewModel::clear() {
    setResult({});
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int OverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : session::kOverviewColumnCount;
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return texts_[order_[index.row()]][index.column()];
    if (role == Qt::TextAlignmentRole) {
        const bool text = index.column() == static_cast<int>(OverviewColumn::Value) ||
                          index.column() == static_cast<int>(OverviewColumn::MaxGapSpan);
        return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignHCenter : Qt::AlignRight));
    }
    // A value that no number can take now is listed greyed.
    if (role == Qt::ForegroundRole && !figures(index.row()).possible)
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    return {};
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headers_.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void OverviewModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    for (const QModelIndex& index : before)
        rowsBefore.push_back(order_[index.row()]);
    sortColumn_ = column;
    sortOrder_ = order;
    applySort();
    QModelIndexList after;
    for (std::size_t i = 0; i < rowsBefore.size(); ++i) {
        const auto row = std::find(order_.begin(), order_.end(), rowsBefore[i]) - order_.begin();
        after << createIndex(static_cast<int>(row), before[static_cast<int>(i)].column());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, VerticalSortHint);
}

void OverviewModel::applySort() {
    auto rows = result_.rows;
    if (sortColumn_ >= 0)
        session::sortOverviewRows(rows, static_cast<OverviewColumn>(sortColumn_),
                                  sortOrder_ == Qt::DescendingOrder);
    // Values are unique within a result, so each sorted row names its place in the result.
    order_.clear();
    for (const auto& row : rows)
        order_.push_back(static_cast<int>(
            std::find_if(result_.rows.begin(), result_.rows.end(),
                         [&row](const analysis::OverviewRow& r) { return r.value == row.value; }) -
            result_.rows.begin()));
}

} // namespace yilou::app
