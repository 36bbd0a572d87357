// The blocking HTTP client: one connection to port 80 of a host, with its own WinSock start-up.
// Every exchange opens and closes its own; nothing is kept between requests. Only
// http_connection.cpp includes the WinSock headers, which must come before every C library one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/unique_handle.h"
#include "platform/winsock.h"

class HttpConnection {
  public:
    HttpConnection() = default;
    ~HttpConnection() { close(); }
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Starts WinSock, resolves host, connects to port 80 of its first IPv4 address and sets the
    // send and receive time-outs. False on any failure, with what was made undone.
    bool open(const char* host, unsigned timeout_ms);
    // Sends the GET request for path in one call.
    bool send_get(std::string_view path, std::string_view host);
    // One receive: the bytes received, 0 when the server has closed, -1 on an error or time-out.
    int receive(char* buffer, std::size_t room);
    // Closes the socket, then ends this connection's WinSock start-up.
    void close();

  private:
    WinsockScope winsock_;
    unique_socket socket_;
};

// What arrived of an answer.
struct ReceivedAnswer {
    std::string bytes;
    bool failed = false; // an error or time-out ended the receiving
};

// Receives until the server closes, an error or time-out, or capacity bytes have arrived (the
// rest of a longer answer is not read).
ReceivedAnswer receive_answer(HttpConnection& connection, std::size_t capacity);
