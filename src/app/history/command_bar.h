#pragma once

#include <QWidget>

class QPushButton;

namespace yilou::app {

/// The row of history buttons: `cmdRdLst`, `Command21`, `Command4`, `Command3`, `Command9`.
class CommandBar : public QWidget {
    Q_OBJECT
public:
    explicit CommandBar(QWidget* parent = nullptr);

    QPushButton* cmdRdLst;
    QPushButton* Command21;
    QPushButton* Command4;
    QPushButton* Command3;
    QPushButton* Command9;
};

} // namespace yilou::app
