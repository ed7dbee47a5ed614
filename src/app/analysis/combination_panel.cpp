#include "app/analysis/combination_panel.h"

#include "app/shell/control_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace yilou::app {

CombinationPanel::CombinationPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Frame6 = makeNamed<QGroupBox>(arrayName("Frame6", 1), QStringLiteral("组合检索"));
    auto* inside = new QGridLayout(Frame6);
    inside->setVerticalSpacing(2);

    auto* boxes = new QHBoxLayout;
    for (int i = 1; i <= 12; ++i) {
        Check6[i] = makeNamed<QCheckBox>(arrayName("Check6", i),
                                         QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
        boxes->addWidget(Check6[i]);
    }
    Check6[12]->hide();
    boxes->addStretch();
    inside->addLayout(boxes, 0, 0);

    auto* commands = new QHBoxLayout;
    static constexpr const char* kCaptions[] = {"全选(&A)", "清空(&C)", "反选(&I)"};
    for (int i = 0; i < 3; ++i) {
        cmdZH[i] = makeNamed<QPushButton>(arrayName("cmdZH", i), QString::fromUtf8(kCaptions[i]));
        commands->addWidget(cmdZH[i]);
    }
    commands->addSpacing(12);
    commands->addWidget(new QLabel(QStringLiteral("已选")));
    Text5 = makeNamed<QLineEdit>(QStringLiteral("Text5"), QStringLiteral("0"));
    Text5->setReadOnly(true);
    Text5->setMaximumWidth(Text5->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    commands->addWidget(Text5);
    commands->addSpacing(12);
    Label5 = makeNamed<QLabel>(QStringLiteral("Label5"), QStringLiteral("组合位数"));
    Combo2 = makeNamed<QComboBox>(QStringLiteral("Combo2"));
    for (int k = 1; k <= 6; ++k)
        Combo2->addItem(QString::number(k));
    Combo2->setCurrentIndex(1);
    Command5 = makeNamed<QPushButton>(QStringLiteral("Command5"), QStringLiteral("分组计算(&P)"));
    commands->addWidget(Label5);
    commands->addWidget(Combo2);
    commands->addWidget(Command5);
    commands->addStretch();
    inside->addLayout(commands, 1, 0);
    layout->addWidget(Frame6);
}

} // namespace yilou::app
