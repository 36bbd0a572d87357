#include <winsock2.h>

#include "net/test_site.h"

#include "platform/thread.h"
#include "support/check.h"

namespace {

SOCKET raw(const unique_socket& s) {
    return static_cast<SOCKET>(s.get());
}

sockaddr_in port_80() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(80);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool readable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

// Binds the port and, unless backlog is negative, listens there.
unique_socket take_port_80(int backlog) {
    const DWORD start = GetTickCount();
    for (;;) {
        unique_socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        const BOOL reuse = TRUE; // answers to earlier tests may still linger on the port
        setsockopt(raw(listener), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
                   sizeof reuse);
        const sockaddr_in address = port_80();
        if (bind(raw(listener), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            (backlog < 0 || listen(raw(listener), backlog) == 0))
            return listener;
        // Wine reports a port held by another Wine prefix as WSAEACCES.
        const int error = WSAGetLastError();
        check((error == WSAEADDRINUSE || error == WSAEACCES) && GetTickCount() - start < 20000,
              "the test site cannot have 127.0.0.1:80 (WinSock error " + std::to_string(error) +
                  "); only root may open it");
        Sleep(200); // another test's site still holds the port
    }
}

} // namespace

Reply ok_answer(const std::string& body) {
    return Reply{{"HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                  "\r\nConnection: close\r\n\r\n" + body}};
}

TestSite::TestSite(Accepting accepting) {
    check(winsock_.start(), "the test site cannot start WinSock");
    if (accepting == Accepting::refused) {
        listener_ = take_port_80(-1);
        return;
    }
    listener_ = take_port_80(accepting == Accepting::never ? 0 : SOMAXCONN);
    if (accepting == Accepting::never) {
        // With its queue taken by connections of our own, the system drops further requests.
        for (int i = 0; i < 2; ++i) {
            unique_socket filler(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
            u_long non_blocking = 1;
            ioctlsocket(raw(filler), FIONBIO, &non_blocking);
            const sockaddr_in address = port_80();
            connect(raw(filler), reinterpret_cast<const sockaddr*>(&address), sizeof address);
            queue_fillers_.push_back(std::move(filler));
        }
        return;
    }
    thread_ = start_thread(serve_thread, this);
    check(static_cast<bool>(thread_), "the test site cannot start its thread");
}

TestSite::~TestSite() {
    stopping_ = true;
    if (thread_)
        WaitForSingleObject(thread_.get(), INFINITE);
}

void TestSite::serve(const std::string& path, Reply reply) {
    const std::lock_guard<std::mutex> guard(lock_);
    replies_[path] = std::move(reply);
}

// One connection at a time: the clients under test never need two at once.
DWORD WINAPI TestSite::serve_thread(void* site) {
    auto* self = static_cast<TestSite*>(site);
    while (!self->stopping_)
        if (readable(raw(self->listener_), 50)) {
            const unique_socket client(accept(raw(self->listener_), nullptr, nullptr));
            if (client)
                self->answer(client.get());
        }
    return 0;
}

void TestSite::answer(socket_handle client) {
    const SOCKET s = static_cast<SOCKET>(client);
    // A client that stops reading, or never closes, holds the site for 15 seconds at most.
    const DWORD timeout = 15000;
    const BOOL no_delay = TRUE;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&no_delay),
               sizeof no_delay);
    std::string request;
    char chunk[1024];
    for (int got; request.find("\r\n\r\n") == std::string::npos &&
                  (got = recv(s, chunk, sizeof chunk, 0)) > 0;)
        request.append(chunk, got);
    const std::size_t path = request.find(' ') + 1;
    Reply reply{{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}};
    {
        const std::lock_guard<std::mutex> guard(lock_);
        const auto found = replies_.find(request.substr(path, request.find(' ', path) - path));
        if (found != replies_.end())
            reply = found->second;
    }
    for (std::size_t i = 0; i < reply.packets.size(); ++i) {
        if (i > 0)
            Sleep(100); // shapes the traffic: the client receives the packets one by one
        const std::string& packet = reply.packets[i];
        if (send(s, packet.data(), static_cast<int>(packet.size()), 0) != int(packet.size()))
            return;
    }
    if (!reply.silent)
        shutdown(s, SD_SEND);
    while (recv(s, chunk, sizeof chunk, 0) > 0) { // the client closes first
    }
}
