#pragma once

#include <QApplication>
#include <QTemporaryDir>

namespace yilou::testing {

/// The application object of the window's tests and benchmarks: offscreen, under the program's
/// settings name, with a settings store of this run set before anything reads it (never the
/// user's).
class OffscreenApplication {
public:
    OffscreenApplication(int& argc, char** argv) : app_(argc, argv) {
        QApplication::setApplicationName(QStringLiteral("11S5OMBRIX"));
    }

private:
    struct Environment {
        Environment() {
            qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QTemporaryDir settings;
    };

    Environment environment_; // first: the environment is set before the application exists
    QApplication app_;
};

} // namespace yilou::testing
