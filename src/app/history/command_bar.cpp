#include "app/history/command_bar.h"

#include "app/shell/control_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace yilou::app {

CommandBar::CommandBar(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    cmdRdLst =
        makeNamed<QPushButton>(QStringLiteral("cmdRdLst"), QStringLiteral("读取历史号文本(&W)"));
    cmdRdLst->setToolTip(
        QStringLiteral("从历史号码文本文件中读取历史号中最后一期之后的新的历史号码"));
    Command21 =
        makeNamed<QPushButton>(QStringLiteral("Command21"), QStringLiteral("历史号在线更新(&O)"));
    Command21->setToolTip(QStringLiteral("从官方服务器更新历史号码"));
    Command4 = makeNamed<QPushButton>(QStringLiteral("Command4"),
                                      QStringLiteral("历史号码导出文本文件(&E)"));
    Command3 =
        makeNamed<QPushButton>(QStringLiteral("Command3"), QStringLiteral("删除最后历史(&D)"));
    Command9 = makeNamed<QPushButton>(QStringLiteral("Command9"), QStringLiteral("软件设置(&T)"));
    for (auto* button : {cmdRdLst, Command21, Command4, Command3, Command9})
        layout->addWidget(button);
    layout->addStretch();
}

} // namespace yilou::app
