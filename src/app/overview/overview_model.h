#pragma once

#include "session/overview_grid.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <vector>

class QTableView;

namespace yilou::app {

/// The overview grid over an OverviewResult: one row per value, the columns of
/// session::OverviewColumn. The texts are made once per result, so data() only looks them up;
/// sorting orders the rows by the figures themselves, not by their texts.
class OverviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit OverviewModel(QObject* parent = nullptr);

    /// Shows `result`, in the order of the last sort.
    void setResult(analysis::OverviewResult result);
    /// Shows rows whose headers and texts are made elsewhere (a pattern's overview), in the
    /// columns of session::OverviewColumn.
    void setRows(std::vector<analysis::OverviewRow> rows, QList<QString> headers,
                 std::vector<QList<QString>> texts);
    /// Shows nothing.
    void clear();

    /// The figures of the value in grid row `row`.
    const analysis::OverviewRow& figures(int row) const { return result_.rows[order_[row]]; }
    const analysis::OverviewResult& result() const { return result_; }
    /// The longest text of a column, for fitColumnsToTexts.
    QString longestText(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    /// Puts order_ in the order of the sort column.
    void applySort();

    analysis::OverviewResult result_;
    QList<QString> headers_;
    /// Per value (in result order), the texts of its columns.
    std::vector<QList<QString>> texts_;
    /// Grid row -> index into result_.rows.
    std::vector<int> order_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace yilou::app
