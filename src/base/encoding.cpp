#include "base/encoding.h"

#include <cstdio>
#include <cstring>
#include <iconv.h>

#include "base/unique_any.h"

namespace {

// The one handle kind of this layer; iconv_open answers (iconv_t)-1 on failure.
void close_conversion(iconv_t cd) {
    iconv_close(cd);
}
using unique_iconv = unique_any<iconv_t, close_conversion, -1>;

unique_iconv open_conversion(const char* to, const char* from) {
    return unique_iconv(iconv_open(to, from));
}

// Converts as much as converts cleanly; stops at the first invalid or incomplete sequence.
std::size_t convert(iconv_t cd, const char* src, std::size_t len, char* dst, std::size_t room) {
    char* in = const_cast<char*>(src);
    char* out = dst;
    std::size_t out_left = room;
    iconv(cd, &in, &len, &out, &out_left);
    return room - out_left;
}

std::string convert_string(const char* to, const char* from, const std::string& src) {
    const auto cd = open_conversion(to, from);
    if (!cd)
        return src;
    std::string out(src.size() * 4, '\0');
    out.resize(convert(cd.get(), src.data(), src.size(), out.data(), out.size()));
    return out;
}

} // namespace

void gbk_to_utf8(const char* src, char* dst, std::size_t dst_size) {
    if (dst_size == 0)
        return;
    const auto cd = open_conversion("utf-8", "gbk");
    if (!cd) {
        std::puts("iconv error");
        std::strncpy(dst, src, dst_size - 1);
        dst[dst_size - 1] = '\0';
        return;
    }
    // One byte stays free for the terminator.
    dst[convert(cd.get(), src, std::strlen(src), dst, dst_size - 1)] = '\0';
}

std::string gbk_to_utf8(const std::string& src) {
    return convert_string("utf-8", "gbk", src);
}

std::string utf8_to_gbk(const std::string& src) {
    return convert_string("gbk", "utf-8", src);
}
