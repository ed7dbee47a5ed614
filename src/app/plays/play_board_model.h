#pragma once

#include "session/play_steps.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QString>
#include <vector>

namespace yilou::app {

/// The grid of a play board over a session::PlayView: one row per combination, the columns of
/// session::PlayColumn. The texts are made once per board; sorting orders the rows by the
/// figures themselves, as the session orders them.
class PlayBoardModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PlayBoardModel(QObject* parent = nullptr);

    /// The tint of the 当前遗漏 cells that have run to twice or three times 理论遗漏.
    static QColor tint(session::Overdue overdue);

    /// Shows `view`, whose rows are in the order shown.
    void setView(session::PlayView view);
    /// Shows nothing.
    void clear();

    const session::PlayView& view() const { return view_; }
    /// The text of the most characters in a column: what its width is measured by.
    QString longestText(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void makeTexts();

    session::PlayView view_;
    /// Per row, the texts of its columns.
    std::vector<QList<QString>> texts_;
};

} // namespace yilou::app
