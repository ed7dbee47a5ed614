#include "app/analysis/position_input_panel.h"

#include "app/shell/control_names.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

namespace yilou::app {

namespace {

/// A page of five positions: "第1位" … "第5位", each a check box above its value box.
QFrame* positionPage(int page, const char* checkName, const char* textName, int firstIndex,
                     QCheckBox** checks, QLineEdit** texts) {
    auto* frame = makeNamed<QFrame>(arrayName("Frame2", page));
    auto* layout = new QGridLayout(frame);
    layout->setContentsMargins(4, 2, 4, 2);
    for (int p = 1; p <= 5; ++p) {
        const int index = firstIndex + p - 1;
        checks[index] =
            makeNamed<QCheckBox>(arrayName(checkName, index), QStringLiteral("第%1位").arg(p));
        texts[index] = makeNamed<QLineEdit>(arrayName(textName, index));
        texts[index]->setMaximumWidth(
            texts[index]->fontMetrics().horizontalAdvance(QStringLiteral("鼠鼠")) + 16);
        layout->addWidget(checks[index], 0, p - 1);
        layout->addWidget(texts[index], 1, p - 1);
    }
    return frame;
}

} // namespace

PositionInputPanel::PositionInputPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TabStrip1 = makeNamed<QTabBar>(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("手动输入号"));
    TabStrip1->addTab(QStringLiteral("历史指定期"));
    TabStrip1->setDrawBase(false);
    layout->addWidget(TabStrip1);

    Frame2[1] = positionPage(1, "Check11", "Text22", 1, Check11.data(), Text22.data());
    Frame2[2] = positionPage(2, "Check1", "Text2", 11, Check1.data(), Text2.data());
    Check4 = makeNamed<QCheckBox>(QStringLiteral("Check4"), QStringLiteral("仅检索该期前"));
    Text4 = makeNamed<QLineEdit>(QStringLiteral("Text4"));
    Text4->setMaximumWidth(Text4->fontMetrics().horizontalAdvance(QStringLiteral("20170812840")) +
                           12);
    auto* reference = new QHBoxLayout;
    reference->addWidget(Check4);
    reference->addWidget(Text4);
    reference->addStretch();
    static_cast<QGridLayout*>(Frame2[2]->layout())->addLayout(reference, 2, 0, 1, 5);

    for (auto* page : {Frame2[1], Frame2[2]}) {
        page->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(page);
    }
    showPage(0);
}

void PositionInputPanel::showPage(int index) {
    Frame2[1]->setVisible(index == 0);
    Frame2[2]->setVisible(index == 1);
    Check4->setVisible(index == 1);
    Text4->setVisible(index == 1);
}

} // namespace yilou::app
