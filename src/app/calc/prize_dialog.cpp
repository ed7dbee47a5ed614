#include "app/calc/prize_dialog.h"

#include "app/dialogs/prompts.h"
#include "core/user_error.h"
#include "session/calc_steps.h"
#include "session/messages.h"
#include "settings/settings_store.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace yilou::app {

PrizeDialog::PrizeDialog(int highestNumber, const Prompts& prompts, QWidget* parent)
    : QDialog(parent), highestNumber_(highestNumber), prompts_(prompts) {
    setObjectName(QStringLiteral("dlgPrizes"));
    setWindowTitle(highestNumber == 12 ? QStringLiteral("奖金设置（快乐12）")
                                       : QStringLiteral("奖金设置（11选5）"));
    const auto table =
        session::prizeTableOf(settings::SettingsStore().Prizes(highestNumber), highestNumber);
    auto* form = new QFormLayout;
    for (const analysis::Play play : analysis::allPlays()) {
        const QString name = qs(messages::playName(play));
        if (play == analysis::Play::Any1) {
            form->addRow(name, new QLabel(QStringLiteral("不销售，没有奖金")));
            continue;
        }
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("txtPrize_") + qs(analysis::playKey(play)));
        box->setPlaceholderText(qs(messages::kNoPrize));
        if (const auto fen = table.prize(play))
            box->setText(qs(analysis::yuanText(*fen)));
        boxes_[static_cast<std::size_t>(play)] = box;
        form->addRow(name + QStringLiteral("（元）"), box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrizeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("每注 2 元的固定奖金；留空表示不设置。")));
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void PrizeDialog::accept() {
    std::vector<std::string> typed;
    for (const analysis::Play play : analysis::allPlays())
        if (const QLineEdit* box = prize(play))
            typed.push_back(std::string(analysis::playKey(play)) + "=" +
                            box->text().trimmed().toStdString());
    try {
        const auto table = session::setPrizes(analysis::PrizeTable(), typed);
        settings::SettingsStore settings;
        settings.setPrizes(highestNumber_, table.text());
        settings.sync();
    } catch (const UserError& error) {
        prompts_.warn(messages::kNoticeTitle, error.what());
        return;
    }
    QDialog::accept();
}

} // namespace yilou::app
