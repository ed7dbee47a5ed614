#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace yilou::app {

/// `Frame6(1)` "组合检索": the boxes `Check6(1..12)` (the twelfth shown only where a type or
/// game has twelve values), `cmdZH(0..2)` "全选", "清空", "反选", the ticked count `Text5`,
/// `Label5` "组合位数" with `Combo2` (1..6) and `Command5` "分组计算(&P)".
class CombinationPanel : public QWidget {
    Q_OBJECT
public:
    explicit CombinationPanel(QWidget* parent = nullptr);

    QGroupBox* Frame6;
    std::array<QCheckBox*, 13> Check6{}; ///< indexes 1..12
    std::array<QPushButton*, 3> cmdZH{};
    QLineEdit* Text5;
    QLabel* Label5;
    QComboBox* Combo2;
    QPushButton* Command5;
};

} // namespace yilou::app
