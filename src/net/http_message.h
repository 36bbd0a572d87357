// What the program sends to a web server and how it reads the answers: the one request form,
// the status line it accepts and where the body starts. Answers are read as text, so everything
// after a zero byte is ignored.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The GET request for path on host, byte for byte as it goes out in one send (no terminating
// zero, no body).
std::string http_get_request(std::string_view path, std::string_view host);

// page + "?v=" + ProgramVersion as "%1.1f": "/checkUpdate.asp?v=3.4".
std::string versioned_path(const char* page);

// The received bytes up to the first zero byte.
std::string_view answer_text(std::string_view received);

// True when the answer begins with the one status line the program accepts.
bool is_ok_answer(std::string_view text);

// The body of an answer: it starts three characters after the first LF that is directly
// followed by CR (the LF CR LF ending the header); empty when there is no such pair.
std::string_view answer_body(std::string_view text);

// The update check's verdict: 1 when an accepted answer's body begins with "true", else 0.
int judge_update_answer(std::string_view received);

// Where the body of a download starts: just after the first "\r\n\r\n", or npos while the
// header has not been received completely.
std::size_t download_body_start(std::string_view received);
