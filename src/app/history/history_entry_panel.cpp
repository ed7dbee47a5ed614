#include "app/history/history_entry_panel.h"

#include "app/shell/control_names.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace yilou::app {

HistoryEntryPanel::HistoryEntryPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Text1 = makeNamed<QLineEdit>(QStringLiteral("Text1"), QStringLiteral("2007001"));
    Text1->setToolTip(QStringLiteral("下一期的期号，可修改"));
    Label12 = makeNamed<QLabel>(arrayName("Label12", 1),
                                QStringLiteral("在下面输入    2007001 期历史号码:"));
    layout->addWidget(new QLabel(QStringLiteral("下一期")), 0, 0);
    layout->addWidget(Text1, 0, 1);
    layout->addWidget(Label12, 1, 0, 1, 2);

    auto* boxes = new QHBoxLayout;
    for (int i = 1; i <= 5; ++i) {
        auto* box = makeNamed<QLineEdit>(arrayName("MaskEdBox1", i));
        box->setInputMask(QStringLiteral("99;_"));
        box->setToolTip(QStringLiteral("在此补充输入最新历史号码"));
        box->setAlignment(Qt::AlignCenter);
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
        MaskEdBox1[i] = box;
        boxes->addWidget(box);
    }
    boxes->addStretch();
    layout->addLayout(boxes, 2, 0, 1, 2);
}

} // namespace yilou::app
