// The one request form the program sends to a web server, and the paths it asks for.
#pragma once
#include <string>
#include <string_view>

// The GET request for path on host, byte for byte as it goes out in one send (no terminating
// zero, no body).
std::string http_get_request(std::string_view path, std::string_view host);

// page + "?v=" + ProgramVersion as "%1.1f": "/checkUpdate.asp?v=3.4".
std::string versioned_path(const char* page);
