#include <gtest/gtest.h>

#include <string>

#include "core/string_list.h"

TEST(StringList, GrowsByTenAndKeepsEntriesInPlace) {
    auto list = string_list_new();
    EXPECT_EQ(list->capacity, 10);
    EXPECT_EQ(list->step, 10);
    EXPECT_EQ(list->count, 0);
    const char* first = nullptr;
    for (int i = 0; i < 10; ++i) {
        const char* copy = string_list_add(*list, std::to_string(i).c_str());
        if (i == 0)
            first = copy;
    }
    EXPECT_EQ(list->capacity, 10);
    string_list_add(*list, "10");
    EXPECT_EQ(list->capacity, 20);
    EXPECT_EQ(list->count, 11);
    EXPECT_EQ(string_list_get(*list, 0), first); // the copies do not move when the list grows
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(std::string(string_list_get(*list, i)), std::to_string(i));
    for (int i = 11; i < 21; ++i)
        string_list_add(*list, "x");
    EXPECT_EQ(list->capacity, 30);
}

TEST(StringList, CopiesTheStringAndRefusesIndexesOutside) {
    auto list = string_list_new();
    char source[] = "图片";
    const char* copy = string_list_add(*list, source);
    source[0] = 'x';
    EXPECT_NE(copy, source);
    EXPECT_STREQ(string_list_get(*list, 0), "图片");
    EXPECT_EQ(string_list_get(*list, -1), nullptr);
    EXPECT_EQ(string_list_get(*list, 1), nullptr);
    EXPECT_EQ(list->count, 1);
}
