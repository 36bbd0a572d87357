// The host builds' conversion (sanitizers, fuzzers): glibc's iconv, which stops at the first
// invalid or incomplete sequence by itself.
#include "base/encoding.h"

#include <iconv.h>

#include "base/unique_any.h"

namespace {

// iconv_open answers (iconv_t)-1 on failure.
void close_conversion(iconv_t cd) {
    iconv_close(cd);
}
using unique_iconv = unique_any<iconv_t, close_conversion, -1>;

std::string convert(const char* to, const char* from, const std::string& src) {
    const unique_iconv cd(iconv_open(to, from));
    if (!cd)
        return src;
    std::string out(src.size() * 4, '\0');
    char* in = const_cast<char*>(src.data());
    std::size_t in_left = src.size();
    char* at = out.data();
    std::size_t out_left = out.size();
    iconv(cd.get(), &in, &in_left, &at, &out_left);
    out.resize(out.size() - out_left);
    return out;
}

} // namespace

std::string gbk_to_utf8(const std::string& src) {
    return convert("utf-8", "gbk", src);
}

std::string utf8_to_gbk(const std::string& src) {
    return convert("gbk", "utf-8", src);
}
