#include "app/shell/keyboard_navigation.h"

#include "app/analysis/analysis_area.h"
#include "app/analysis/combination_panel.h"
#include "app/analysis/position_input_panel.h"
#include "app/analysis/range_panel.h"
#include "app/analysis/result_grids_panel.h"
#include "app/analysis/search_options_panel.h"
#include "app/analysis/search_panel.h"
#include "app/dialogs/prompts.h"
#include "app/frm_main.h"
#include "app/grid/flex_grid.h"
#include "app/history/command_bar.h"
#include "app/history/first_start_panel.h"
#include "app/history/history_entry_panel.h"
#include "app/history/history_grid.h"
#include "session/messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <vector>

namespace yilou::app {

namespace {

/// The controls inside `container` that take the focus, in the order the focus chain has
/// them now (a page's own order, as it was built).
std::vector<QWidget*> focusChildren(QWidget* container) {
    std::vector<QWidget*> found;
    for (QWidget* w = container->nextInFocusChain(); w && w != container; w = w->nextInFocusChain())
        // A control that hands its focus on (a spin box to its text) is its inner part's stop.
        if (container->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus && !w->focusProxy())
            found.push_back(w);
    return found;
}

} // namespace

KeyboardNavigation::KeyboardNavigation(frmMain& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("keyboardNavigation"));
    orderTabStops();
    makeGridsSingleStops();
    stopAtCheckedOptions();
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    connect(f10, &QShortcut::activated, this, &KeyboardNavigation::openMenuBar);
    choosePagesByDigits();
}

void KeyboardNavigation::choosePagesByDigits() {
    auto* tabs = window_.findChild<QTabWidget*>(QStringLiteral("resultTabs"));
    if (!tabs)
        return;
    for (int page = 0; page < std::min(tabs->count(), 9); ++page) {
        const QKeySequence keys(QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_1 + page)));
        auto* shortcut = new QShortcut(keys, &window_);
        connect(shortcut, &QShortcut::activated, tabs,
                [tabs, page] { tabs->setCurrentIndex(page); });
        tabs->setTabToolTip(page,
                            qs(messages::kShortcutTip) + keys.toString(QKeySequence::NativeText));
    }
}

void KeyboardNavigation::orderTabStops() {
    std::vector<QWidget*> stops;
    const auto add = [&stops](std::initializer_list<QWidget*> widgets) {
        stops.insert(stops.end(), widgets);
    };
    const auto* commands = window_.commands();
    add({commands->cmdRdLst, commands->Command21, commands->Command4, commands->Command3,
         commands->Command9});
    // The left side, top to bottom: the history grid (or the panel in its place), the next
    // issue and the five number boxes.
    if (const auto* first = window_.findChild<FirstStartPanel*>())
        add({first->cmdFirstImport, first->cmdFirstUpdateUrl, first->cmdFirstSample});
    add({window_.MSFlexGrid1()});
    const auto* entry = window_.entry();
    add({entry->Text1});
    for (int i = 1; i <= 5; ++i)
        add({entry->MaskEdBox1[i]});

    // The right side, row by row; in a row, a block from top to bottom before the next.
    const auto* area = window_.analysis();
    const auto* options = area->options;
    for (auto* button : options->Option3)
        add({button});
    add({options->Option2[5], options->Option2[4], options->Option1[1], options->Option1[0],
         options->Option1[3], options->Option1[2], options->MaskEdBox2});
    const auto* positions = area->positions;
    add({positions->TabStrip1});
    for (int p = 1; p <= 5; ++p)
        add({positions->Check11[p]});
    for (int p = 1; p <= 5; ++p)
        add({positions->Text22[p]});
    for (int p = 11; p <= 15; ++p)
        add({positions->Check1[p]});
    for (int p = 11; p <= 15; ++p)
        add({positions->Text2[p]});
    add({positions->Check4, positions->Text4});
    add({area->range->Text3[0], area->range->Text3[1]});
    add({area->search->Command1, area->search->Combo1, area->search->Command2});
    const auto* combination = area->combination;
    for (int i = 1; i <= 12; ++i)
        add({combination->Check6[i]});
    add({combination->cmdZH[0], combination->cmdZH[1], combination->cmdZH[2], combination->Text5,
         combination->Combo2, combination->Command5});

    // The pages below: the tab bar, then the controls of the page shown, in their own order.
    if (auto* tabs = window_.findChild<QTabWidget*>(QStringLiteral("resultTabs"))) {
        // The bar is the stop: the tab widget handing its focus on to the bar would be a
        // second stop for it, wherever the chain has it.
        tabs->setFocusProxy(nullptr);
        tabs->setFocusPolicy(Qt::NoFocus);
        add({tabs->tabBar()});
        for (int i = 0; i < tabs->count(); ++i)
            for (QWidget* control : focusChildren(tabs->widget(i)))
                add({control});
    } else {
        add({area->results->MSFlexGrid2, area->results->MSFlexGrid3});
    }

    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void KeyboardNavigation::stopAtCheckedOptions() {
    for (auto* group : window_.findChildren<QButtonGroup*>()) {
        if (!group->exclusive())
            continue;
        // Tab comes to the button chosen, the arrow keys choose another (Qt gives the stop to
        // the button last focused, at first the group's first, chosen or not).
        const auto follow = [group] {
            QAbstractButton* chosen = group->checkedButton();
            if (!chosen)
                return;
            for (QAbstractButton* button : group->buttons())
                button->setFocusPolicy(button == chosen ? Qt::StrongFocus : Qt::ClickFocus);
        };
        follow();
        connect(group, &QButtonGroup::buttonToggled, this, [follow](QAbstractButton*, bool on) {
            if (on)
                follow();
        });
    }
}

void KeyboardNavigation::makeGridsSingleStops() {
    for (auto* grid : window_.findChildren<QTableView*>()) {
        // Tab and Shift+Tab go on to the next control; the arrow keys walk the cells.
        grid->setTabKeyNavigation(false);
        grid->installEventFilter(this);
    }
}

bool KeyboardNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // A grid entered without a current cell would take its first row, and the first arrow
        // key would scroll a long history to its oldest draw: it takes the top row in view.
        auto* grid = qobject_cast<QTableView*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (grid && reason != Qt::MouseFocusReason && !grid->currentIndex().isValid() &&
            grid->selectionModel()) {
            const QModelIndex top = grid->indexAt(QPoint(0, 0));
            if (top.isValid())
                grid->selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
        }
    }
    return QObject::eventFilter(watched, event);
}

void KeyboardNavigation::openMenuBar() {
    QMenuBar* bar = window_.menuBar();
    for (QAction* menu : bar->actions())
        if (menu->isVisible() && menu->isEnabled() && !menu->isSeparator()) {
            bar->setActiveAction(menu);
            return;
        }
}

} // namespace yilou::app
