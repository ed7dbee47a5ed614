// Takes the guide's screenshots from the real window: builds frmMain on a data folder, brings
// it into each state the guide shows and saves what QWidget::grab sees as PNG files.
#include "analysis_screenshots.h"
#include "app/frm_main.h"
#include "app/history/history_entry_panel.h"
#include "app/shell/dialog_language.h"
#include "app/shell/main_menus.h"
#include "filter_screenshots.h"
#include "overview_screenshots.h"
#include "pattern_screenshots.h"
#include "plays_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

/// Saves the dialog that `open` shows, then closes it unanswered.
void grabDialog(const QString& file, const std::function<void()>& open) {
    QTimer::singleShot(300, [file] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->grab().save(file);
            dialog->close();
        }
    });
    open();
}

void grabMenu(QMenu* menu, const QPoint& at, const QString& file) {
    menu->popup(at);
    settle();
    menu->grab().save(file);
    menu->hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("11S5OMBRIX"));
    yilou::app::useChineseDialogTexts(application);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "用法：yilou_screenshots 数据文件夹 输出文件夹\n");
        return 2;
    }
    const QDir out(args[2]);
    out.mkpath(QStringLiteral("."));
    yilou::app::frmMain window(args[1].toStdString());
    window.setUrlOpener([](const QUrl&, std::function<void()>) {});
    window.show();
    // The two screens the window is made for: a laptop's and a small one's.
    for (const QSize size : {QSize(1024, 700), QSize(1366, 768)}) {
        window.resize(size);
        settle();
        window.grab().save(
            out.filePath(QStringLiteral("window-%1x%2.png").arg(size.width()).arg(size.height())));
    }
    window.resize(1366, 740);
    settle();
    window.grab().save(out.filePath(QStringLiteral("window.png")));

    grabMenu(window.menus()->mnuLsgl, window.mapToGlobal(QPoint(0, 24)),
             out.filePath(QStringLiteral("history-menu.png")));
    grabMenu(window.menus()->mnuSetup, window.mapToGlobal(QPoint(60, 24)),
             out.filePath(QStringLiteral("settings-menu.png")));
    grabMenu(window.menus()->mnuCaizhong, window.mapToGlobal(QPoint(60, 24)),
             out.filePath(QStringLiteral("game-menu.png")));
    grabDialog(out.filePath(QStringLiteral("import-question.png")),
               [&] { window.cmdRdLst_Click(); });
    grabDialog(out.filePath(QStringLiteral("days-dialog.png")), [&] { window.mnuSetDay_Click(); });
    grabDialog(out.filePath(QStringLiteral("update-url.png")),
               [&] { window.mnuUpdateUrl_Click(); });
    takeAnalysisScreenshots(window, out);
    takeOverviewScreenshots(window, out);
    takePlaysScreenshots(window, out);
    takePatternScreenshots(window, out);
    takeFilterScreenshots(window, out);

    auto& boxes = window.entry()->MaskEdBox1;
    for (int i = 1; i <= 4; ++i)
        boxes[i]->setText(QString::asprintf("%02d", 2 * i + 1));
    boxes[5]->setFocus();
    settle();
    window.entry()->grab().save(out.filePath(QStringLiteral("typed-entry.png")));
    return 0;
}
