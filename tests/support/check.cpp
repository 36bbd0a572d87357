// Runs every registered case; the exit status is 1 when any failed. Texts are UTF-8, as
// the console takes them.
#include <chrono>
#include <cstdio>

#include "support/check.h"

int main() {
    int failed = 0;
    for (const TestCase& test : Registration::all()) {
        const auto start = std::chrono::steady_clock::now();
        try {
            test.run();
            const auto took = std::chrono::steady_clock::now() - start;
            std::printf("ok      %s (%lld ms)\n", test.name,
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
        } catch (const std::exception& failure) {
            ++failed;
            std::printf("FAILED  %s: %s\n", test.name, failure.what());
        }
    }
    std::printf("%d of %zu failed\n", failed, Registration::all().size());
    return failed ? 1 : 0;
}
