// Splitting the URL of a banner picture into the host to connect to and the path to request.
#pragma once
#include <optional>
#include <string>
#include <string_view>

struct UrlParts {
    std::string host;
    std::string path;
};

// The longest host and request path a download handles.
inline constexpr std::size_t MaxUrlHost = 29;
inline constexpr std::size_t MaxUrlPath = 259;

// scheme://host/dir/name: the host starts two characters after the first '/' and ends before
// the next '/'; the path runs from that '/' to the end. Nothing when the URL has no host and
// path of that shape, when either is too long, or when either holds a space or a control
// character (the request line could not carry it).
std::optional<UrlParts> split_url(std::string_view url);
