// The tests' one assertion and their runner: each test file lists its cases in a table, and
// main (support/check.cpp) runs every listed case, going on after a failed one.
#pragma once
#include <cstddef>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// A check that did not hold: the case it belongs to ends there.
struct CheckFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline void check(bool holds, const std::string& what) {
    if (!holds)
        throw CheckFailure(what);
}

template <typename Actual, typename Expected>
void check_equal(const Actual& actual, const Expected& expected, const std::string& what) {
    if (actual == expected)
        return;
    std::ostringstream text;
    text << what << ": got \"" << actual << "\", expected \"" << expected << "\"";
    throw CheckFailure(text.str());
}

struct TestCase {
    const char* name;
    void (*run)();
};

// Adds the cases of one test file to those main runs.
struct Registration {
    template <std::size_t N> explicit Registration(const TestCase (&cases)[N]) {
        all().insert(all().end(), cases, cases + N);
    }
    static std::vector<TestCase>& all() {
        static std::vector<TestCase> cases;
        return cases;
    }
};
