// How the program reads a web server's answer: the status line it accepts and where the body
// starts. The answers are read as text, so everything after a zero byte is ignored.
#pragma once
#include <cstddef>
#include <string_view>

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
