#include "app/analysis/search_panel.h"

#include "app/shell/control_names.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace yilou::app {

SearchPanel::SearchPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Command1 = makeNamed<QPushButton>(QStringLiteral("Command1"), QStringLiteral("检索(&S)"));
    Command1->setMinimumHeight(Command1->sizeHint().height() * 3 / 2);
    layout->addWidget(Command1);

    Frame5 = makeNamed<QGroupBox>(QStringLiteral("Frame5"), QStringLiteral("多位检索"));
    auto* inside = new QHBoxLayout(Frame5);
    Label1 = makeNamed<QLabel>(QStringLiteral("Label1"), QStringLiteral("分部位数"));
    Combo1 = makeNamed<QComboBox>(QStringLiteral("Combo1"));
    for (int k = 1; k <= 5; ++k)
        Combo1->addItem(QString::number(k));
    Combo1->setCurrentIndex(1);
    Command2 = makeNamed<QPushButton>(QStringLiteral("Command2"), QStringLiteral("分部检索(&G)"));
    inside->addWidget(Label1);
    inside->addWidget(Combo1);
    inside->addWidget(Command2);
    layout->addWidget(Frame5);
}

} // namespace yilou::app
