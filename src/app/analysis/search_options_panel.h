#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace yilou::app {

/// The option frames of the searches: `Frame3` "搜索类型选择" with `Option3(0..5)`,
/// `Frame1(2)` "号码序选择" with `Option2(4..5)`, `Frame1(0)` "检索位选择" with `Option1(0..1)`
/// and `Frame1(1)` "检索期选择" with `MaskEdBox2` and `Option1(2..3)`.
class SearchOptionsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchOptionsPanel(QWidget* parent = nullptr);

    QGroupBox* Frame3;
    std::array<QRadioButton*, 6> Option3{}; ///< index = search type 0..5
    std::array<QGroupBox*, 3> Frame1{};
    std::array<QRadioButton*, 4> Option1{}; ///< 0 固定位, 1 自由位, 2 前 N 期, 3 上期
    std::array<QRadioButton*, 6> Option2{}; ///< indexes 4 落地码 and 5 顺序码 only
    QLineEdit* MaskEdBox2;
};

} // namespace yilou::app
