#pragma once

#include <string>
#include <utility>

namespace wintest {

// A minimal check collector: GoogleTest is not available for the mingw cross-build, and the tests only need
// to report every failed expectation with its place and end with a failing exit code.
class Check {
public:
    explicit Check(std::string scope) : scope_(std::move(scope)) {}

    bool expect(bool condition, const std::string& what, const char* file, int line);
    template <typename A, typename B>
    bool equal(const A& actual, const B& expected, const std::string& what, const char* file, int line) {
        if (actual == expected) {
            return expect(true, what, file, line);
        }
        return expect(false, what + " (got " + std::to_string(actual) + ", want " + std::to_string(expected) + ")",
                      file, line);
    }

    static int failures();
    static int checks();

private:
    std::string scope_;
};

} // namespace wintest

#define EXPECT_TRUE(check, condition, what) (check).expect((condition), (what), __FILE__, __LINE__)
#define EXPECT_EQ(check, actual, expected, what) (check).equal((actual), (expected), (what), __FILE__, __LINE__)
