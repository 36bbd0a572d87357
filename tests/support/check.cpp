// Runs every registered case; the exit status is 1 when any failed. Texts are code page 936,
// the console's UTF-8.
#include <cstdio>

#include "settings/encoding.h"
#include "support/check.h"

int main() {
    int failed = 0;
    for (const TestCase& test : Registration::all()) {
        try {
            test.run();
            std::printf("ok      %s\n", test.name);
        } catch (const std::exception& failure) {
            ++failed;
            std::printf("FAILED  %s: %s\n", test.name, gbk_to_utf8(failure.what()).c_str());
        }
    }
    std::printf("%d of %zu failed\n", failed, Registration::all().size());
    return failed ? 1 : 0;
}
