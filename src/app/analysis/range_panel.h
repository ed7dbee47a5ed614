#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace yilou::app {

/// `Frame7` "检索起止期数": the search range `Text3(0)` (起) to `Text3(1)` (止).
class RangePanel : public QWidget {
    Q_OBJECT
public:
    explicit RangePanel(QWidget* parent = nullptr);

    QGroupBox* Frame7;
    std::array<QLineEdit*, 2> Text3{};
    std::array<QLabel*, 2> Label3{};
    QLabel* Label4;
};

} // namespace yilou::app
