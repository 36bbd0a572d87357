#include "core/string_list.h"

#include <cstring>

std::unique_ptr<StringList> string_list_new() {
    auto list = std::make_unique<StringList>();
    list->items.reserve(list->capacity);
    return list;
}

const char* string_list_add(StringList& list, const char* s) {
    if (list.count >= list.capacity) {
        list.capacity = list.count + list.step;
        list.items.reserve(list.capacity);
    }
    const std::size_t size = std::strlen(s) + 1;
    auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), s, size);
    list.items.push_back(std::move(copy));
    ++list.count;
    return list.items.back().get();
}

const char* string_list_get(const StringList& list, int index) {
    if (index < 0 || index >= list.count)
        return nullptr;
    return list.items[index].get();
}
