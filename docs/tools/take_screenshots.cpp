// Takes the guide's screenshots from the real window: builds frmMain on a data folder, brings
// it into each state the guide shows and saves what QWidget::grab sees as PNG files.
#include "analysis_screenshots.h"
#include "app/frm_main.h"
#include "overview_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("11S5OMBRIX"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "用法：yilou_screenshots 数据文件夹 输出文件夹\n");
        return 2;
    }
    const QDir out(args[2]);
    out.mkpath(QStringLiteral("."));
    yilou::app::frmMain window(args[1].toStdString());
    window.resize(1366, 740);
    window.show();
    QApplication::processEvents();
    window.grab().save(out.filePath(QStringLiteral("window.png")));
    takeAnalysisScreenshots(window, out);
    takeOverviewScreenshots(window, out);
    return 0;
}
