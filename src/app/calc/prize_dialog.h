#pragma once

#include "session/calc_steps.h"

#include <QDialog>
#include <array>

class QLineEdit;

namespace yilou::app {

class Prompts;

/// 设置 → 奖金设置: the prize of one ticket of each play (yuan) for the current game's family,
/// one box each; an empty box is no prize. OK saves them in the settings store, refusing
/// (and staying open on) a prize that does not read.
class PrizeDialog : public QDialog {
    Q_OBJECT
public:
    PrizeDialog(int highestNumber, const Prompts& prompts, QWidget* parent = nullptr);

    /// The box of a play; none for 任选一, which is not sold.
    QLineEdit* prize(analysis::Play play) const { return boxes_[static_cast<std::size_t>(play)]; }

    void accept() override;

private:
    int highestNumber_;
    const Prompts& prompts_;
    std::array<QLineEdit*, analysis::kPlayCount> boxes_{};
};

} // namespace yilou::app
