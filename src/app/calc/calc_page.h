#pragma once

#include "app/overview/view_page.h"
#include "core/text_grid.h"
#include "session/calc_steps.h"

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace yilou::app {

class GridModel;

/// The page "投注计算": a bet of the play chosen in `cboCalcPlay` as typed (复式 numbers, 胆 and
/// 拖, or for 直选 the numbers of each place) at a 倍数, counted as it changes: its tickets and
/// cost above, every outcome of a draw with its winning tickets, prize and exact chance in the
/// grid, and beside it the chance of winning anything, the expected return and the largest
/// prize at the prizes of 设置 → 奖金设置.
class CalcPage : public ViewPage {
    Q_OBJECT
public:
    static constexpr int kMostPlaces = 3;

    explicit CalcPage(WindowInputs& inputs, QWidget* parent = nullptr);

    QComboBox* play() const { return play_; }
    QLineEdit* numbers() const { return numbers_; }
    QLineEdit* bankers() const { return bankers_; }
    /// The numbers of place 0 … 2 of a 直选 by position.
    QLineEdit* place(int j) const { return places_[static_cast<std::size_t>(j)]; }
    QSpinBox* multiple() const { return multiple_; }
    GridModel* model() const { return model_; }
    QLabel* summary() const { return summary_; }

    /// Counts the bet again at the prizes saved now.
    void prizesChanged() { refreshWhenShown(); }

protected:
    void refresh() override;

private:
    session::CalcRequest request() const;

    QComboBox* play_;
    QLineEdit* numbers_;
    QLineEdit* bankers_;
    QLabel* bankersLabel_;
    QLabel* placesLabel_;
    std::array<QLineEdit*, kMostPlaces> places_{};
    QSpinBox* multiple_;
    QTableView* grid_;
    GridModel* model_;
    QLabel* summary_;
    std::optional<session::CalcView> view_;
    history::TextGrid outcomes_;
};

} // namespace yilou::app
