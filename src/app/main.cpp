#include "app/frm_main.h"
#include "app/shell/dialog_language.h"
#include "app/shell/program_icon.h"
#include "core/system_error_text.h"
#include "session/messages.h"
#include "settings/data_folder.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QStyle>
#include <cerrno>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    // Answered before the application starts, so that it needs no display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--version") {
            if (std::cout << "yilou " << yilou::kVersion << '\n' << std::flush)
                return 0;
            std::cerr << yilou::messages::cannotWriteOutput(yilou::history::systemErrorText(errno))
                      << '\n';
            return 1;
        }
        // The help only prints: the window system stays out of it, so no display is needed
        // (the Qt options of --help-all are still listed).
        if (argument == "-h" || argument == "--help" || argument == "-?" ||
            argument == "--help-all")
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("11S5OMBRIX"));
    QApplication::setApplicationDisplayName(QStringLiteral("遗漏统计"));
    QApplication::setDesktopFileName(QStringLiteral("yilou"));
    QApplication::setWindowIcon(yilou::app::programIcon());
    yilou::app::useChineseDialogTexts(application);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("11选5/快乐12 历史号码与遗漏统计"));
    parser.addHelpOption();
    // Listed in the help; answered above.
    parser.addOption(QCommandLineOption(QStringLiteral("version"), QStringLiteral("显示版本号")));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("数据文件夹（默认 ~/.local/share/11S5OMBRIX）"),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.process(application);

    const std::filesystem::path folder =
        parser.isSet(dataDir) ? std::filesystem::path(parser.value(dataDir).toStdString())
                              : yilou::settings::defaultDataFolder();
    yilou::app::frmMain window(folder);
    // A window as high as a small screen would hang below it once the title bar is added: there
    // it opens maximized, and the window manager fits it to the screen.
    const QRect available = window.screen()->availableGeometry();
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    if (window.height() + titleBar > available.height() || window.width() >= available.width())
        window.showMaximized();
    else
        window.show();
    return application.exec();
}
