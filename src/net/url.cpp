#include "net/url.h"

namespace {

bool fits_request_line(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f')
            return false;
    return true;
}

} // namespace

std::optional<UrlParts> split_url(std::string_view url) {
    const std::size_t first_slash = url.find('/');
    if (first_slash == std::string_view::npos || first_slash + 2 > url.size())
        return std::nullopt;
    const std::size_t host_start = first_slash + 2;
    const std::size_t path_start = url.find('/', host_start);
    if (path_start == std::string_view::npos)
        return std::nullopt;
    const std::string_view host = url.substr(host_start, path_start - host_start);
    const std::string_view path = url.substr(path_start);
    if (host.empty() || host.size() > MaxUrlHost || path.size() > MaxUrlPath ||
        !fits_request_line(host) || !fits_request_line(path))
        return std::nullopt;
    return UrlParts{std::string(host), std::string(path)};
}
