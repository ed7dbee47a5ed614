#include "app/grid/grid_model.h"

#include <QHeaderView>
#include <QTableView>

namespace yilou::app {

GridModel::GridModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)) {}

GridModel* GridModel::headedBy(const history::TextGrid& grid, QObject* parent) {
    std::vector<std::string> headers;
    grid.cells(0, headers);
    QStringList titles;
    for (const auto& header : headers)
        titles << QString::fromStdString(header);
    return new GridModel(titles, parent);
}

void GridModel::show(const history::TextGrid& grid) {
    reset(static_cast<int>(grid.rows) - 1, [&grid](int row, int column) {
        std::vector<std::string> cells;
        grid.cells(static_cast<std::size_t>(row) + 1, cells);
        return QString::fromStdString(cells[static_cast<std::size_t>(column)]);
    });
}

void GridModel::reset(int rows, CellText cellText) {
    beginResetModel();
    rows_ = rows;
    cellText_ = std::move(cellText);
    endResetModel();
}

void GridModel::resizeAtEnd(int rows) {
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
}

void GridModel::clear() {
    reset(0, {});
}

void GridModel::setTextColumns(QList<int> columns) {
    textColumns_ = std::move(columns);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_)
        return {};
    if (role == Qt::DisplayRole)
        return cellText_(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::AlignVCenter |
            (textColumns_.contains(index.column()) ? Qt::AlignLeft : Qt::AlignRight));
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers_.size())
        return headers_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString GridModel::gridText(int row, int column) const {
    if (row == 0)
        return headers_.value(column);
    return cellText_(row - 1, column);
}

void setUpRowGrid(QTableView* view, GridModel* model) {
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
}

} // namespace yilou::app
