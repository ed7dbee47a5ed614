#include "app/plays/play_board_model.h"

#include "app/dialogs/prompts.h"
#include "app/grid/figure_grid.h"

namespace yilou::app {

using session::PlayColumn;

PlayBoardModel::PlayBoardModel(QObject* parent) : QAbstractTableModel(parent) {}

QColor PlayBoardModel::tint(session::Overdue overdue) {
    switch (overdue) {
    case session::Overdue::Twice:
        return QColor(0xff, 0xd8, 0xa8);
    case session::Overdue::Thrice:
        return QColor(0xff, 0x8f, 0x70);
    case session::Overdue::No:
        break;
    }
    return {};
}

void PlayBoardModel::setView(session::PlayView view) {
    beginResetModel();
    view_ = std::move(view);
    makeTexts();
    endResetModel();
}

void PlayBoardModel::clear() {
    setView({});
}

void PlayBoardModel::makeTexts() {
    texts_.clear();
    texts_.reserve(view_.board.rows.size());
    for (const auto& row : view_.board.rows) {
        auto& texts = texts_.emplace_back();
        for (int c = 0; c < session::kPlayColumnCount; ++c)
            texts << qs(session::playCellText(row, static_cast<PlayColumn>(c)));
    }
}

QString PlayBoardModel::longestText(int column) const {
    return app::longestText(texts_, column);
}

int PlayBoardModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

int PlayBoardModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : session::kPlayColumnCount;
}

QVariant PlayBoardModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto column = static_cast<PlayColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return texts_[index.row()][index.column()];
    case Qt::ToolTipRole:
        // The page keeps the columns narrow: 大后比 may show only its first digits.
        return column == PlayColumn::Ratio ? texts_[index.row()][index.column()] : QVariant();
    case Qt::TextAlignmentRole: {
        const bool text = column == PlayColumn::Combination || column == PlayColumn::LastIssue;
        return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignHCenter : Qt::AlignRight));
    }
    case Qt::BackgroundRole:
        if (column == PlayColumn::CurrentGap) {
            const QColor color = tint(session::overdue(view_.board.rows[index.row()]));
            if (color.isValid())
                return color;
        }
        return {};
    default:
        return {};
    }
}

QVariant PlayBoardModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return qs(session::playHeader(static_cast<PlayColumn>(section)));
    return QAbstractTableModel::headerData(section, orientation, role);
}

void PlayBoardModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, VerticalSortHint);
    session::sortPlayRows(view_.board.rows, static_cast<PlayColumn>(column),
                          order == Qt::DescendingOrder);
    makeTexts();
    emit layoutChanged({}, VerticalSortHint);
}

} // namespace yilou::app
