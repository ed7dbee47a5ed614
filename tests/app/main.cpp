// Runs the window's test classes offscreen; with a class name as first argument, that class
// alone (each is its own CTest test).
#include "support/offscreen_application.h"
#include "window_tests.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    yilou::testing::OffscreenApplication application(argc, argv);

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
