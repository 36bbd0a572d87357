// The code-page conversion of config.dat and the web site's texts.
#include "base/encoding.h"
#include "support/check.h"

namespace {

// Each conversion stops at the first character it cannot take.
void conversions_keep_what_comes_before_a_bad_character() {
    check_equal(gbk_to_utf8("\xB5\xEA\xC6\xCC A"), std::string("店铺 A"), "whole");
    check_equal(gbk_to_utf8("\xB5\xEA\x81\x20x"), std::string("店"), "an invalid trail byte");
    check_equal(gbk_to_utf8("a\xB9"), std::string("a"), "a lead byte at the end");
    check_equal(utf8_to_gbk("店👍x"), std::string("\xB5\xEA"), "no GBK emoji");
}

const TestCase cases[] = {{"conversions keep what comes before a bad character",
                           conversions_keep_what_comes_before_a_bad_character}};
const Registration registration(cases);

} // namespace
