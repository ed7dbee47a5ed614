#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace yilou::app {

/// The search buttons: `Command1` "检索(&S)" and `Frame5` "多位检索" with `Label1` "分部位数",
/// `Combo1` (1..5) and `Command2` "分部检索(&G)".
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(QWidget* parent = nullptr);

    QPushButton* Command1;
    QGroupBox* Frame5;
    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* Command2;
};

} // namespace yilou::app
