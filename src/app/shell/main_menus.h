#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace yilou::app {

/// The window's two menus with every entry named as the window's handlers know it:
/// "历史管理" (`mnuLsgl`, also the right-click menu of the history grid) and "设置" (`mnuSetup`,
/// also the pop-up of `Command9`).
class MainMenus : public QObject {
    Q_OBJECT
public:
    MainMenus(QMenuBar* bar, QObject* parent);

    QMenu* mnuLsgl;
    QAction* mnuDcls;
    QAction* mnuErase;
    QAction* mnuClear;
    QAction* mnuDlzd;
    QAction* mnuEszhzd;
    QAction* mnuMissing; ///< 检查缺失期号

    QMenu* mnuSetup;
    QMenu* mnuSxCssetup;
    std::array<QAction*, 2> mnuSxcs{};
    QMenu* mnuDssetup;
    std::array<QAction*, 2> mnuDscs{};
    QMenu* mnuBssetup;
    std::array<QAction*, 2> mnuBscs{};
    QMenu* mnuCaizhong;
    std::array<QAction*, 28> mnu11S5{};
    QAction* mnuDayDraws; ///< 每天期数 of the current game
    QAction* mnuSetDay;
    QAction* mnuUpdateUrl; ///< 历史号码更新地址
    QAction* mnuPrizes;    ///< 奖金设置
    QAction* mnuFrontPage;
    QAction* mnuDescrb;
    QAction* numYanshiDown;
    QAction* mnuAbout; ///< the program's name and version
};

} // namespace yilou::app
