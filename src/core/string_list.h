// The growable list of owned strings that carries folder paths and file names through a run.
#pragma once
#include <memory>
#include <vector>

struct StringList {
    std::vector<std::unique_ptr<char[]>> items; // entries in insertion order; stable addresses
    int capacity = 10;                          // slots reserved; grows by step when full
    int step = 10;
    int count = 0;
};

std::unique_ptr<StringList> string_list_new();

// Appends a copy of s and returns the copy, which the list keeps owning.
const char* string_list_add(StringList& list, const char* s);

// The entry at index, or null outside 0 .. count - 1.
const char* string_list_get(const StringList& list, int index);
