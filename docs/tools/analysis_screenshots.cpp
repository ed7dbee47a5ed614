#include "analysis_screenshots.h"

#include "app/analysis/analysis_area.h"
#include "app/frm_main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace {

template <typename Widget> Widget* control(yilou::app::frmMain& window, const QString& name) {
    return window.findChild<Widget*>(name);
}

void press(yilou::app::frmMain& window, const QString& name) {
    control<QAbstractButton>(window, name)->click();
    QApplication::processEvents();
}

/// Types the first tab's values; an option click makes the window read them.
void enter(yilou::app::frmMain& window, const QStringList& values, const QList<int>& ticked) {
    for (int p = 1; p <= 5; ++p) {
        control<QLineEdit>(window, QStringLiteral("Text22(%1)").arg(p))->setText(values[p - 1]);
        control<QAbstractButton>(window, QStringLiteral("Check11(%1)").arg(p))
            ->setChecked(ticked.contains(p));
    }
    press(window, QStringLiteral("Option2(4)"));
}

void save(yilou::app::frmMain& window, const QDir& out, const char* file) {
    QApplication::processEvents();
    window.analysis()->grab().save(out.filePath(QString::fromLatin1(file)));
}

} // namespace

void takeAnalysisScreenshots(yilou::app::frmMain& window, const QDir& out) {
    enter(window, {"3", "", "07", "", ""}, {1, 3});
    press(window, QStringLiteral("Command1"));
    save(window, out, "search.png");

    enter(window, {"3", "2", "07", "5", "11"}, {1, 3});
    control<QComboBox>(window, QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("3"));
    press(window, QStringLiteral("Command2"));
    save(window, out, "partial-search.png");

    press(window, QStringLiteral("cmdZH(0)"));
    control<QComboBox>(window, QStringLiteral("Combo2"))->setCurrentText(QStringLiteral("5"));
    press(window, QStringLiteral("Command5"));
    auto* grid3 = control<QTableView>(window, QStringLiteral("MSFlexGrid3"));
    emit grid3->horizontalHeader()->sectionClicked(2);
    save(window, out, "group.png");
}
