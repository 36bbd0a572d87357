// Any bytes as a picture URL: a split gives a host and path that fit one request line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view url(reinterpret_cast<const char*>(data), size);
    const auto parts = split_url(url);
    if (!parts)
        return 0;
    if (parts->host.empty() || parts->host.size() > MaxUrlHost ||
        parts->host.find('/') != std::string::npos || parts->path.size() > MaxUrlPath ||
        parts->path.front() != '/' || parts->host.find_first_of(" \r\n") != std::string::npos ||
        parts->path.find_first_of(" \r\n") != std::string::npos)
        __builtin_trap();
    // Host and path are the URL's own text, the path running to its end.
    if (url.substr(url.size() - parts->path.size()) != parts->path ||
        url.find(parts->host + parts->path) == std::string_view::npos)
        __builtin_trap();
    return 0;
}
