#include "check.h"

#include <cstdio>

namespace wintest {

namespace {
int failureCount = 0;
int checkCount = 0;
} // namespace

bool Check::expect(bool condition, const std::string& what, const char* file, int line) {
    ++checkCount;
    if (!condition) {
        ++failureCount;
        std::printf("FAILED [%s] %s:%d: %s\n", scope_.c_str(), file, line, what.c_str());
        std::fflush(stdout);
    }
    return condition;
}

int Check::failures() {
    return failureCount;
}

int Check::checks() {
    return checkCount;
}

} // namespace wintest
