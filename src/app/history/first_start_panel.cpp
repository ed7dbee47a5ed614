#include "app/history/first_start_panel.h"

#include "app/dialogs/prompts.h"
#include "app/shell/control_names.h"
#include "core/games.h"
#include "session/messages.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace yilou::app {

FirstStartPanel::FirstStartPanel(std::vector<session::SampleHistory> samples, QWidget* parent)
    : QWidget(parent), samples_(std::move(samples)) {
    setObjectName(QStringLiteral("firstStart"));
    auto* title = makeNamed<QLabel>(QStringLiteral("lblFirstStart"), qs(messages::kNoHistoryYet));
    QFont bigger = title->font();
    bigger.setBold(true);
    bigger.setPointSizeF(bigger.pointSizeF() * 1.25);
    title->setFont(bigger);
    auto* note = new QLabel(qs(messages::kWhereDrawsComeFrom));
    note->setWordWrap(true);

    cmdFirstImport = makeNamed<QPushButton>(QStringLiteral("cmdFirstImport"),
                                            QStringLiteral("读取历史号文本(&R)"));
    cmdFirstUpdateUrl = makeNamed<QPushButton>(QStringLiteral("cmdFirstUpdateUrl"),
                                               QStringLiteral("设置在线更新地址(&U)"));
    cmdFirstSample = makeNamed<QPushButton>(QStringLiteral("cmdFirstSample"),
                                            QStringLiteral("载入示例历史(&M)"));
    sampleMenu = new QMenu(QStringLiteral("载入示例历史(&M)"), this);
    sampleMenu->setObjectName(QStringLiteral("mnuSamples"));
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        auto* action = sampleMenu->addAction(qs(history::gameAt(samples_[i].game).name));
        action->setObjectName(arrayName("mnuSample", static_cast<int>(i)));
        connect(action, &QAction::triggered, this, [this, i] { emit sampleChosen(samples_[i]); });
    }
    cmdFirstSample->setMenu(sampleMenu);
    sampleMenu->setEnabled(!samples_.empty());
    cmdFirstSample->setEnabled(!samples_.empty());

    // As wide as the grid it stands in for: its text wraps rather than widening the history side.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addStretch(1);
    layout->addWidget(title);
    layout->addWidget(note);
    layout->addSpacing(8);
    for (auto* button : {cmdFirstImport, cmdFirstUpdateUrl, cmdFirstSample})
        layout->addWidget(button);
    layout->addStretch(2);
}

} // namespace yilou::app
