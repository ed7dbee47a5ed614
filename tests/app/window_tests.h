#pragma once

#include <QObject>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace yilou::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

/// Every window test class, registered by the files that define them.
std::vector<std::pair<const char*, TestFactory>>& windowTestClasses();

template <typename Test> struct RegisterWindowTest {
    explicit RegisterWindowTest(const char* name) {
        windowTestClasses().emplace_back(name, [] { return std::make_unique<Test>(); });
    }
};

} // namespace yilou::testing

#define YILOU_WINDOW_TEST(Class)                                                                   \
    static const yilou::testing::RegisterWindowTest<Class> register##Class(#Class)
