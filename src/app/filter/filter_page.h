#pragma once

#include "app/overview/view_page.h"
#include "core/text_grid.h"
#include "session/filter_steps.h"

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace yilou::app {

class GridModel;
class Prompts;

/// The page "缩水回测": the tickets of the play chosen in `cboFilterPlay` that meet the
/// conditions set on it (胆 and 杀号 as number boxes, the ranges as spin boxes that a check box
/// turns on, the counts as check boxes), counted as they change over the whole history;
/// 导出号码 writes them to a text file, one a line; 回测 back-tests them over the newest N draws
/// on a worker thread behind a progress dialog that can stop it, and shows each draw and the
/// totals beside chance.
class FilterPage : public ViewPage {
    Q_OBJECT
public:
    /// The count conditions, in the order of their rows.
    static constexpr int kCountRows = 4;
    static constexpr int kMostCount = 8;
    /// The range conditions: 和值, 跨度, 遗漏.
    static constexpr int kRanges = 3;

    struct RangeBoxes {
        QCheckBox* on;
        QSpinBox* low;
        QSpinBox* high;
    };

    FilterPage(WindowInputs& inputs, const Prompts& prompts, QWidget* parent = nullptr);

    QComboBox* play() const { return play_; }
    /// Indexes 1..12.
    QCheckBox* must(int number) const { return must_[number]; }
    QCheckBox* exclude(int number) const { return exclude_[number]; }
    const RangeBoxes& range(int which) const { return ranges_[which]; }
    QCheckBox* count(int row, int count) const { return counts_[row][count]; }
    QSpinBox* backtestDraws() const { return draws_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* backtestButton() const { return backtest_; }
    QTableView* grid() const { return grid_; }
    GridModel* model() const { return model_; }
    QLabel* summary() const { return summary_; }

    /// 导出号码: asks for a file and writes the tickets to it.
    void exportTickets();
    /// 回测 over the newest draws of the spin box.
    void runBacktest();

protected:
    void refresh() override;

private:
    /// The conditions as the boxes hold them.
    session::FilterRequest request() const;
    /// Tab walks the page as it reads.
    void orderTabStops();

    const Prompts& prompts_;
    QComboBox* play_;
    std::array<QCheckBox*, 13> must_{};
    std::array<QCheckBox*, 13> exclude_{};
    std::array<RangeBoxes, kRanges> ranges_{};
    std::array<std::array<QCheckBox*, kMostCount + 1>, kCountRows> counts_{};
    QSpinBox* draws_;
    QPushButton* export_;
    QPushButton* backtest_;
    QTableView* grid_;
    GridModel* model_;
    QLabel* summary_;
    std::optional<session::FilterView> tickets_;
    std::optional<session::BacktestView> backtestView_;
    history::TextGrid backtestGrid_;
    /// The history the back-test shown was made of.
    std::size_t testedDraws_ = 0;
    history::Issue testedNewest_ = 0;
};

} // namespace yilou::app
