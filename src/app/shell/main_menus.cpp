#include "app/shell/main_menus.h"

#include "app/dialogs/prompts.h"
#include "app/shell/control_names.h"
#include "core/games.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace yilou::app {

namespace {

QAction* entry(QMenu* menu, const QString& name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    return action;
}

QMenu* submenu(QMenu* menu, const char* name, const char* caption) {
    QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
    sub->setObjectName(QLatin1String(name));
    sub->menuAction()->setObjectName(QLatin1String(name));
    return sub;
}

/// Two checkable entries of which exactly one carries the check mark.
void checkablePair(QMenu* menu, const char* array, const char* first, const char* second,
                   std::array<QAction*, 2>& actions, bool exclusive) {
    actions[0] = entry(menu, arrayName(array, 0), first);
    actions[1] = entry(menu, arrayName(array, 1), second);
    auto* group = new QActionGroup(menu);
    group->setExclusive(exclusive);
    for (QAction* action : actions) {
        action->setCheckable(exclusive);
        group->addAction(action);
    }
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar, QObject* parent) : QObject(parent) {
    mnuLsgl = bar->addMenu(QStringLiteral("历史管理(&L)"));
    mnuLsgl->setObjectName(QStringLiteral("mnuLsgl"));
    mnuDcls = entry(mnuLsgl, QStringLiteral("mnuDcls"), "导出历史号码(&O)");
    mnuErase = entry(mnuLsgl, QStringLiteral("mnuErase"), "删除最后历史(&E)");
    mnuClear = entry(mnuLsgl, QStringLiteral("mnuClear"), "清空历史号码(&C)");
    mnuDlzd = entry(mnuLsgl, QStringLiteral("mnuDlzd"), "删除到选定期(&D)");
    mnuEszhzd = entry(mnuLsgl, QStringLiteral("mnuEszhzd"), "删除最后指定数量期历史(&N)");
    mnuMissing = entry(mnuLsgl, QStringLiteral("mnuMissing"), "检查缺失期号(&K)");

    mnuSetup = bar->addMenu(QStringLiteral("设置(&Z)"));
    mnuSetup->setObjectName(QStringLiteral("mnuSetup"));
    mnuSxCssetup = submenu(mnuSetup, "mnuSxCssetup", "生肖(肖位)参数设置(&S)");
    checkablePair(mnuSxCssetup, "mnuSxcs", "生肖(肖位)参数&0~11", "生肖(肖位)参数&1~12", mnuSxcs,
                  true);
    mnuDssetup = submenu(mnuSetup, "mnuDssetup", "段数参数设置(&A)");
    checkablePair(mnuDssetup, "mnuDscs", "段数参数&0~2", "段数参数&1~3", mnuDscs, true);
    mnuBssetup = submenu(mnuSetup, "mnuBssetup", "波色参数设置(&B)");
    checkablePair(mnuBssetup, "mnuBscs", "波色参数&0~2", "波色参数&1~3", mnuBscs, false);
    mnuSetup->addSeparator();
    mnuCaizhong = submenu(mnuSetup, "mnuCaizhong", "彩种选择(&C)");
    auto* games = new QActionGroup(mnuCaizhong);
    for (int i = 0; i < history::kGameCount; ++i) {
        mnu11S5[i] = mnuCaizhong->addAction(qs(history::games()[i].name));
        mnu11S5[i]->setObjectName(arrayName("mnu11S5", i));
        mnu11S5[i]->setCheckable(true);
        games->addAction(mnu11S5[i]);
    }
    mnuDayDraws = entry(mnuSetup, QStringLiteral("mnuDayDraws"), "每天期数(&Q)");
    mnuSetup->addSeparator();
    mnuSetDay = entry(mnuSetup, QStringLiteral("mnuSetDay"), "历史号码更新检索天(&Y)");
    mnuUpdateUrl = entry(mnuSetup, QStringLiteral("mnuUpdateUrl"), "历史号码更新地址(&U)");
    mnuPrizes = entry(mnuSetup, QStringLiteral("mnuPrizes"), "奖金设置(&J)");
    mnuFrontPage = entry(mnuSetup, QStringLiteral("mnuFrontPage"), "软件服务主页(&P)");
    mnuDescrb = entry(mnuSetup, QStringLiteral("mnuDescrb"), "软件介绍说明(&R)");
    numYanshiDown = entry(mnuSetup, QStringLiteral("numYanshiDown"), "软件演示说明录像下载(&D)");
    mnuAbout = entry(mnuSetup, QStringLiteral("mnuAbout"), "关于遗漏统计(&G)");
}

} // namespace yilou::app
