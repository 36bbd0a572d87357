// The code-page conversion of the texts the image library and the console get.
#include "base/encoding.h"
#include "support/check.h"

namespace {

// Each conversion stops at the first character it cannot take.
void conversions_keep_what_comes_before_a_bad_character() {
    check_equal(gbk_to_utf8("店铺 A"), std::string("\xE5\xBA\x97\xE9\x93\xBA A"), "whole");
    check_equal(gbk_to_utf8("店\x81\x20x"), gbk_to_utf8("店"), "an invalid trail byte");
    check_equal(gbk_to_utf8("a\xB9"), std::string("a"), "a lead byte at the end");
    check_equal(utf8_to_gbk("\xE5\xBA\x97\xF0\x9F\x98\x80x"), std::string("店"), "no GBK emoji");
}

const TestCase cases[] = {{"conversions keep what comes before a bad character",
                          conversions_keep_what_comes_before_a_bad_character}};
const Registration registration(cases);

} // namespace
