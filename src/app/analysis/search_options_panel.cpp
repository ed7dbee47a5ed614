#include "app/analysis/search_options_panel.h"

#include "app/shell/control_names.h"
#include "app/shell/flow_layout.h"
#include "session/messages.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace yilou::app {

namespace {

QRadioButton* option(const char* array, int index, std::string_view caption, QLayout* layout) {
    auto* button = makeNamed<QRadioButton>(
        arrayName(array, index),
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    layout->addWidget(button);
    return button;
}

QGroupBox* frame(const QString& name, const char* caption) {
    auto* box = makeNamed<QGroupBox>(name, QString::fromUtf8(caption));
    new QHBoxLayout(box);
    return box;
}

} // namespace

SearchOptionsPanel::SearchOptionsPanel(QWidget* parent) : QWidget(parent) {
    // The frames wrap onto a second row on a narrow window.
    auto* layout = new FlowLayout(this);

    Frame3 = frame(QStringLiteral("Frame3"), "搜索类型选择");
    for (int i = 0; i < analysis::kSearchTypeCount; ++i)
        Option3[i] = option("Option3", i, messages::typeName(static_cast<analysis::SearchType>(i)),
                            Frame3->layout());

    Frame1[2] = frame(arrayName("Frame1", 2), "号码序选择");
    Option2[5] = option("Option2", 5, "顺序码", Frame1[2]->layout());
    Option2[4] = option("Option2", 4, "落地码", Frame1[2]->layout());

    Frame1[0] = frame(arrayName("Frame1", 0), "检索位选择");
    Option1[1] = option("Option1", 1, "自由位", Frame1[0]->layout());
    Option1[0] = option("Option1", 0, "固定位", Frame1[0]->layout());

    Frame1[1] = frame(arrayName("Frame1", 1), "检索期选择");
    MaskEdBox2 = makeNamed<QLineEdit>(QStringLiteral("MaskEdBox2"));
    MaskEdBox2->setInputMask(QStringLiteral("999999;_"));
    // Room for all six digits and the cursor, however narrow the window.
    MaskEdBox2->setFixedWidth(
        MaskEdBox2->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 16);
    Option1[3] = option("Option1", 3, "上期", Frame1[1]->layout());
    // "前 [N] 期": the box stands between the button's caption and the word after it.
    Option1[2] = option("Option1", 2, "前", Frame1[1]->layout());
    Frame1[1]->layout()->addWidget(MaskEdBox2);
    auto* after = makeNamed<QLabel>(QStringLiteral("lblNewestDraws"), QStringLiteral("期"));
    after->setBuddy(MaskEdBox2);
    Frame1[1]->layout()->addWidget(after);

    // Each frame is its own choice, as option buttons in separate frames are.
    for (auto* box : {Frame3, Frame1[0], Frame1[1], Frame1[2]}) {
        auto* group = new QButtonGroup(box);
        for (auto* button : box->findChildren<QRadioButton*>())
            group->addButton(button);
        layout->addWidget(box);
    }
}

} // namespace yilou::app
