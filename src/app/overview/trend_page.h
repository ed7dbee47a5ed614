#pragma once

#include "app/overview/view_page.h"
#include "session/view_steps.h"

#include <cstddef>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace yilou::app {

class Prompts;
class TrendView;

/// The page "走势图": the trend chart of the newest N draws of the window's range (N chosen by
/// the buttons 30 … 全部) for the window's search type, anywhere, at one position or at each of
/// the five, with the toggles "显示遗漏" and "辅助线" and a button that saves it as a PNG file.
class TrendPage : public ViewPage {
    Q_OBJECT
public:
    TrendPage(WindowInputs& inputs, const Prompts& prompts, QWidget* parent = nullptr);

    TrendView* view() const { return view_; }
    QButtonGroup* drawCounts() const { return counts_; }
    QComboBox* place() const { return place_; }
    QCheckBox* showMisses() const { return showMisses_; }
    QCheckBox* guideLines() const { return guideLines_; }
    /// Shows 和值, 跨度, 奇偶比 and 大小比 of each row beside its numbers.
    QCheckBox* sideColumns() const { return sideColumns_; }
    QPushButton* save() const { return save_; }

    /// The rows the buttons ask for: N, or analysis::kAllDraws.
    std::size_t chartRows() const;

    /// Asks for a file and saves the chart there as a PNG picture.
    void saveChart();

protected:
    void refresh() override;

private:
    const Prompts& prompts_;
    TrendView* view_;
    QButtonGroup* counts_;
    QComboBox* place_;
    QCheckBox* showMisses_;
    QCheckBox* guideLines_;
    QCheckBox* sideColumns_;
    QPushButton* save_;
    session::HeldTrend held_;
};

} // namespace yilou::app
