// Every test process starts in the C locale and UTC, whoever runs it, so that
// dates and numbers in expected texts (and golden files) mean one thing. Done
// before main: the regional formats are read once, on first use.
#include <stdlib.h>

#include <ctime>

namespace {

struct FixedEnvironment {
    FixedEnvironment() {
        ::setenv("LC_ALL", "C", 1);
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
} const kFixedEnvironment;

}  // namespace
