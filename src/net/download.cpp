#include "net/download.h"

#include <string>

#include "base/program.h"
#include "net/http_connection.h"
#include "net/http_message.h"
#include "net/url.h"
#include "platform/file_io.h"
#include "platform/file_system.h"

namespace {

constexpr std::size_t ReceiveBufferSize = 8192;

// Receives the answer into the file: first the header, whose end may arrive together with the
// first body bytes, then the body as it comes. False when the answer is not accepted.
bool receive_into_file(HttpConnection& server, const unique_file& file,
                       std::int64_t expected_size) {
    std::string buffer(ReceiveBufferSize, '\0');
    std::size_t held = 0; // header bytes so far
    bool in_body = false;
    std::int64_t written = 0;
    for (;;) {
        const std::size_t offset = in_body ? 0 : held;
        if (offset == buffer.size())
            return false; // a header that does not even fit the buffer is no answer we take
        const int got = server.receive(&buffer[offset], buffer.size() - offset);
        if (got <= 0)
            return true;
        std::string_view data(&buffer[offset], static_cast<std::size_t>(got));
        if (!in_body) {
            held += data.size();
            const std::string_view header(buffer.data(), held);
            const std::size_t body_start = download_body_start(header);
            if (body_start == std::string_view::npos)
                continue;
            if (!is_ok_answer(header))
                return false;
            data = header.substr(body_start);
            in_body = true;
        }
        if (!write_all(file, data))
            return true;
        written += static_cast<std::int64_t>(data.size());
        if (written > expected_size)
            return true;
    }
}

} // namespace

bool download_file(const char* image_url, const char* local_path, std::int64_t expected_size) {
    const auto parts = split_url(image_url);
    if (!parts)
        return false;
    HttpConnection server;
    if (!server.open(parts->host.c_str(), 10000) || !server.send_get(parts->path, parts->host))
        return false;
    const std::string images = program_file_path("images");
    make_directory(images.c_str()); // a file that cannot be made there fails below
    bool accepted;
    {
        const unique_file file = create_for_writing(local_path);
        if (!file)
            return false;
        accepted = receive_into_file(server, file, expected_size);
    }
    server.close();
    return accepted && file_size(local_path) == expected_size;
}
