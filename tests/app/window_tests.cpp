#include "window_tests.h"

namespace yilou::testing {

std::vector<std::pair<const char*, TestFactory>>& windowTestClasses() {
    static std::vector<std::pair<const char*, TestFactory>> classes;
    return classes;
}

} // namespace yilou::testing
