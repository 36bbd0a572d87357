#include <gtest/gtest.h>

#include "core/folder_rules.h"

TEST(LiesBelow, TargetsInsideTheSourceTreeWhateverTheLetterCase) {
    const struct {
        const char* target;
        const char* source;
        bool below;
    } cases[] = {
        {"C:\\p\\out", "C:\\p", true},
        {"C:\\P\\Out", "c:\\p", true}, // typed in another letter case
        {"C:\\p", "C:\\p", false},     // results beside the sources are allowed
        {"C:\\p2", "C:\\p", false},
        {"C:\\p2\\x", "C:\\p", false},
        {"D:\\out", "D:\\", true}, // a drive root as the source
        {"D:\\", "D:\\", false},
        {"E:\\out", "D:\\", false},
        {"Z:\\图片\\处理后", "Z:\\图片", true},
        {"Z:\\嘰\\a", "Z:\\嘰", true}, // 嘰 ends in the byte 0x5C
        {"Z:\\嘰a", "Z:\\嘰", false},
        {"Z:\\嘰", "Z:\\", true},
        {"x", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lies_below(c.target, c.source), c.below) << c.target << " / " << c.source;
}

TEST(LiesBelow, TrailBytesThatLookLikeLettersAreNotFolded) {
    // 0x81 0x41 and 0x81 0x61 are two different characters; folding the trail byte would make
    // them one.
    EXPECT_FALSE(lies_below("Z:\\\x81\x61\\x", "Z:\\\x81\x41"));
    EXPECT_TRUE(lies_below("Z:\\\x81\x41\\x", "Z:\\\x81\x41"));
}

TEST(MirroredFolder, ThePartBelowTheSourceGoesBelowTheTarget) {
    EXPECT_EQ(mirrored_folder("C:\\p", "C:\\p", "D:\\o"), "D:\\o");
    EXPECT_EQ(mirrored_folder("C:\\p\\a\\b", "C:\\p", "D:\\o"), "D:\\o\\a\\b");
    EXPECT_EQ(mirrored_folder("D:\\\\a", "D:\\", "E:\\o"), "E:\\o\\a");
}
