#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QFrame;
class QLineEdit;
class QTabBar;

namespace yilou::app {

/// The position values: `TabStrip1` with its two pages, `Frame2(1)` ("手动输入号":
/// `Check11(1..5)` and `Text22(1..5)`) and `Frame2(2)` ("历史指定期": `Check1(11..15)` and
/// `Text2(11..15)`), and `Check4` "仅检索该期前" with its issue `Text4`, shown on the second
/// page only.
class PositionInputPanel : public QWidget {
    Q_OBJECT
public:
    explicit PositionInputPanel(QWidget* parent = nullptr);

    /// Shows the page of tab `index` (0 or 1) and what belongs to it.
    void showPage(int index);

    QTabBar* TabStrip1;
    std::array<QFrame*, 3> Frame2{};     ///< pages at indexes 1 and 2
    std::array<QCheckBox*, 6> Check11{}; ///< indexes 1..5
    std::array<QLineEdit*, 6> Text22{};  ///< indexes 1..5
    std::array<QCheckBox*, 16> Check1{}; ///< indexes 11..15
    std::array<QLineEdit*, 16> Text2{};  ///< indexes 11..15
    QCheckBox* Check4;
    QLineEdit* Text4;
};

} // namespace yilou::app
