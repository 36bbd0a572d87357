#include <winsock2.h>

#include "net/http_connection.h"

#include <climits>
#include <cstring>

#include "net/http_message.h"

bool HttpConnection::open(const char* host, unsigned timeout_ms) {
    if (!winsock_.start())
        return false;
    const hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) {
        close();
        return false;
    }
    socket_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket_) {
        close();
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(80);
    std::memcpy(&address.sin_addr, entry->h_addr_list[0], sizeof address.sin_addr);
    const SOCKET s = static_cast<SOCKET>(socket_.get());
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close();
        return false;
    }
    // Bounds how long a dead server can hold a thread in one call; a failure only loses that.
    const DWORD timeout = timeout_ms;
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    return true;
}

bool HttpConnection::send_get(std::string_view path, std::string_view host) {
    const std::string request = http_get_request(path, host);
    return send(static_cast<SOCKET>(socket_.get()), request.data(),
                static_cast<int>(request.size()), 0) == static_cast<int>(request.size());
}

int HttpConnection::receive(char* buffer, std::size_t room) {
    const int got = recv(static_cast<SOCKET>(socket_.get()), buffer,
                         static_cast<int>(room > INT_MAX ? INT_MAX : room), 0);
    return got == SOCKET_ERROR ? -1 : got;
}

void HttpConnection::close() {
    socket_.reset();
    winsock_.end();
}

ReceivedAnswer receive_answer(HttpConnection& connection, std::size_t capacity) {
    ReceivedAnswer answer;
    answer.bytes.resize(capacity);
    std::size_t filled = 0;
    while (filled < capacity) {
        const int got = connection.receive(&answer.bytes[filled], capacity - filled);
        if (got < 0)
            answer.failed = true;
        if (got <= 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    answer.bytes.resize(filled);
    return answer;
}
