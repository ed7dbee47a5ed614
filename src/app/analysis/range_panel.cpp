#include "app/analysis/range_panel.h"

#include "app/shell/control_names.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace yilou::app {

RangePanel::RangePanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Frame7 = makeNamed<QGroupBox>(QStringLiteral("Frame7"), QStringLiteral("检索起止期数"));
    auto* inside = new QHBoxLayout(Frame7);
    static constexpr const char* kLabels[] = {"起", "止"};
    for (int i = 0; i < 2; ++i) {
        Label3[i] = makeNamed<QLabel>(arrayName("Label3", i), QString::fromUtf8(kLabels[i]));
        Text3[i] = makeNamed<QLineEdit>(arrayName("Text3", i));
        Text3[i]->setMinimumWidth(
            Text3[i]->fontMetrics().horizontalAdvance(QStringLiteral("20170812840")) + 12);
        inside->addWidget(Label3[i]);
        inside->addWidget(Text3[i]);
        if (i == 0) {
            Label4 = makeNamed<QLabel>(QStringLiteral("Label4"), QStringLiteral("～"));
            inside->addWidget(Label4);
        }
    }
    layout->addWidget(Frame7);
}

} // namespace yilou::app
