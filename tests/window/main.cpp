// Runs the window's test classes offscreen; with a class name as first argument, that class
// alone (each is its own CTest test).
#include "window_tests.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    // The settings store must never be the user's: point it at a folder of this run before
    // anything reads it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("11S5OMBRIX"));

    const char* only = argc > 1 ? argv[1] : nullptr;
    int failed = 0;
    for (const auto& [name, make] : yilou::testing::windowTestClasses()) {
        if (only && std::strcmp(only, name) != 0)
            continue;
        auto test = make();
        failed += QTest::qExec(test.get(), QStringList{QString::fromLatin1(argv[0])});
    }
    return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
