#include "net/http_request.h"

#include <cstdio>

#include "settings/program_folder.h"

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
