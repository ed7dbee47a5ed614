#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;

namespace yilou::app {

/// Typing the newest draw: the proposed next issue `Text1`, the label `Label12(1)` and the
/// five two-digit boxes `MaskEdBox1(1..5)`. Digits typed into a box fill it from its start,
/// wherever it was clicked (session::typeDrawDigit); the window moves the focus on and stores
/// the draw.
class HistoryEntryPanel : public QWidget {
    Q_OBJECT
public:
    explicit HistoryEntryPanel(QWidget* parent = nullptr);

    QLineEdit* Text1;
    QLabel* Label12;
    /// Boxes 1..5 at indexes 1..5 (index 0 is unused).
    std::array<QLineEdit*, 6> MaskEdBox1{};

signals:
    /// Enter was pressed in box `index` (1..5).
    void enterPressed(int index);
};

} // namespace yilou::app
