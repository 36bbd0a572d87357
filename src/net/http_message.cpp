#include "net/http_message.h"

#include <cstdio>

#include "base/program.h"

std::string http_get_request(std::string_view path, std::string_view host) {
    std::string request = "GET ";
    request += path;
    // Every header the site sees; it may recognise the program by the agent string.
    request +=
        " HTTP/1.1\r\n"
        "Accept: */*\r\n"
        "Accept-Language: zh-cn\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; CIBA)\r\n"
        "Host: ";
    request += host;
    request += "\r\nConnection: close\r\n\r\n";
    return request;
}

std::string versioned_path(const char* page) {
    char version[32];
    std::snprintf(version, sizeof version, "%1.1f", ProgramVersion);
    return std::string(page) + "?v=" + version;
}

std::string_view answer_text(std::string_view received) {
    return received.substr(0, received.find('\0'));
}

bool is_ok_answer(std::string_view text) {
    return text.substr(0, 15) == "HTTP/1.1 200 OK";
}

std::string_view answer_body(std::string_view text) {
    const std::size_t pair = text.find("\n\r");
    if (pair == std::string_view::npos)
        return {};
    // A header that ends in LF CR with nothing after it has an empty body, not one past the end.
    const std::size_t start = pair + 3;
    return start < text.size() ? text.substr(start) : std::string_view{};
}

int judge_update_answer(std::string_view received) {
    const std::string_view text = answer_text(received);
    if (!is_ok_answer(text))
        return 0;
    return answer_body(text).substr(0, 4) == "true" ? 1 : 0;
}

std::size_t download_body_start(std::string_view received) {
    const std::size_t end = received.find("\r\n\r\n");
    return end == std::string_view::npos ? end : end + 4;
}
