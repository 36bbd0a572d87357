// Any bytes as a web server's answer: judging it must stay inside the received bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/http_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view received(reinterpret_cast<const char*>(data), size);
    const std::string_view text = answer_text(received);
    const std::string_view body = answer_body(text);
    // The body is the tail of the text, never a view beyond it.
    if (!body.empty() && (body.data() < text.data() || body.end() != text.end()))
        __builtin_trap();
    const int verdict = judge_update_answer(received);
    if (verdict == 1 && (!is_ok_answer(text) || body.substr(0, 4) != "true"))
        __builtin_trap();
    const std::size_t start = download_body_start(received);
    if (start != std::string_view::npos &&
        (start < 4 || start > size || received.substr(start - 4, 4) != "\r\n\r\n"))
        __builtin_trap();
    return 0;
}
