#include <winsock2.h>

#include "net/test_site.h"

#include <algorithm>
#include <stdexcept>

#include "platform/thread.h"

namespace {

SOCKET raw(const unique_socket& s) {
    return static_cast<SOCKET>(s.get());
}

sockaddr_in loopback_port_80() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(80);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// True when s becomes readable within ms milliseconds.
bool readable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

// True when s can take more bytes within ms milliseconds.
bool writable(SOCKET s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    return select(0, nullptr, &set, nullptr, &wait) == 1;
}

// Binds port 80 of the loopback host and, unless backlog is negative, listens there.
unique_socket listen_on_port_80(int backlog) {
    const DWORD deadline = GetTickCount() + 20000;
    for (;;) {
        unique_socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        // Answers to earlier tests may still linger on the port.
        const BOOL reuse = TRUE;
        setsockopt(raw(listener), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
                   sizeof reuse);
        const sockaddr_in address = loopback_port_80();
        if (bind(raw(listener), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            (backlog < 0 || listen(raw(listener), backlog) == 0))
            return listener;
        // Wine reports a port held outside its own session (by another prefix, say) as WSAEACCES.
        const int error = WSAGetLastError();
        if ((error != WSAEADDRINUSE && error != WSAEACCES) || GetTickCount() > deadline)
            throw std::runtime_error(
                "the test site cannot listen on 127.0.0.1:80 (WinSock error " +
                std::to_string(error) +
                "): the network tests need that port, which only root may open, and no other "
                "server may hold it");
        Sleep(200); // another test's site, maybe of another Wine prefix, still holds the port
    }
}

} // namespace

Reply ok_answer(const std::string& body) {
    return raw_answer("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                      std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
}

Reply raw_answer(const std::string& bytes) {
    return Reply{{bytes}, false};
}

Reply silent_answer() {
    return Reply{{}, true};
}

std::string request_path(const std::string& request) {
    const std::size_t start = request.find(' ');
    if (start == std::string::npos)
        return {};
    const std::size_t end = request.find(' ', start + 1);
    return request.substr(start + 1, end == std::string::npos ? end : end - start - 1);
}

TestSite::TestSite(Accepting accepting) {
    if (!winsock_.start())
        throw std::runtime_error("the test site cannot start WinSock");
    if (accepting == Accepting::refused) {
        listener_ = listen_on_port_80(-1);
        return;
    }
    if (accepting == Accepting::never) {
        // With a queue of one taken by a connection of our own, the system drops further
        // connection requests: the client's connect waits and retries.
        listener_ = listen_on_port_80(0);
        for (int i = 0; i < 2; ++i) {
            unique_socket filler(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
            u_long non_blocking = 1;
            ioctlsocket(raw(filler), FIONBIO, &non_blocking);
            const sockaddr_in address = loopback_port_80();
            connect(raw(filler), reinterpret_cast<const sockaddr*>(&address), sizeof address);
            queue_fillers_.push_back(std::move(filler));
        }
        return;
    }
    listener_ = listen_on_port_80(SOMAXCONN);
    thread_ = start_thread(serve_thread, this);
    if (!thread_)
        throw std::runtime_error("the test site cannot start its thread");
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

std::vector<std::string> TestSite::requests() const {
    const std::lock_guard<std::mutex> guard(lock_);
    return requests_;
}

std::vector<std::string> TestSite::paths() const {
    std::vector<std::string> paths;
    for (const std::string& request : requests())
        paths.push_back(request_path(request));
    return paths;
}

bool TestSite::wait_for_requests(std::size_t count, unsigned timeout_ms) const {
    const DWORD start = GetTickCount();
    while (requests().size() < count) {
        if (GetTickCount() - start > timeout_ms)
            return false;
        Sleep(20);
    }
    return true;
}

std::vector<std::string> TestSite::closed_paths() const {
    const std::lock_guard<std::mutex> guard(lock_);
    return closed_paths_;
}

DWORD WINAPI TestSite::serve_thread(void* site) {
    try {
        static_cast<TestSite*>(site)->run();
    } catch (...) {
    }
    return 0;
}

// One connection at a time: the program's own client never opens two at once to one site
// within a test, except the update check beside the banner list, which a silent reply would
// hold up only until its time-out.
void TestSite::run() {
    while (!stopping_) {
        if (!readable(raw(listener_), 50))
            continue;
        const unique_socket client(accept(raw(listener_), nullptr, nullptr));
        if (client)
            handle(client.get());
    }
}

void TestSite::handle(socket_handle client) {
    const SOCKET s = static_cast<SOCKET>(client);
    const std::string request = read_request(client);
    {
        const std::lock_guard<std::mutex> guard(lock_);
        requests_.push_back(request);
    }
    const Reply reply = reply_for(request);
    const BOOL no_delay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&no_delay),
               sizeof no_delay);
    for (std::size_t i = 0; i < reply.packets.size(); ++i) {
        if (i > 0)
            Sleep(100); // shapes the traffic: the client receives the packets one by one
        if (!send_packet(s, reply.packets[i]))
            return; // the client stopped reading
    }
    if (!reply.silent)
        shutdown(s, SD_SEND);
    // The client closes first: after reading everything, or when it gives up on a silent site.
    char sink[512];
    for (DWORD start = GetTickCount(); !stopping_ && GetTickCount() - start < 15000;) {
        if (readable(s, 50) && recv(s, sink, sizeof sink, 0) <= 0) {
            const std::lock_guard<std::mutex> guard(lock_);
            closed_paths_.push_back(request_path(request));
            return;
        }
    }
}

// Sends in pieces, each only when the socket can take it: a blocking send of a large answer
// to a client that stopped reading could otherwise wait for ever, and the site with it.
bool TestSite::send_packet(socket_handle client, const std::string& packet) const {
    const SOCKET s = static_cast<SOCKET>(client);
    constexpr std::size_t Piece = 16 * 1024;
    const DWORD start = GetTickCount();
    for (std::size_t sent = 0; sent < packet.size();) {
        if (stopping_ || GetTickCount() - start > 15000)
            return false;
        if (!writable(s, 50))
            continue;
        const int n = send(s, packet.data() + sent,
                           static_cast<int>(std::min(Piece, packet.size() - sent)), 0);
        if (n == SOCKET_ERROR)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string TestSite::read_request(socket_handle client) const {
    const SOCKET s = static_cast<SOCKET>(client);
    std::string request;
    char chunk[1024];
    for (DWORD start = GetTickCount();
         request.find("\r\n\r\n") == std::string::npos && GetTickCount() - start < 5000;) {
        if (stopping_)
            break;
        if (!readable(s, 50))
            continue;
        const int got = recv(s, chunk, sizeof chunk, 0);
        if (got <= 0)
            break;
        request.append(chunk, got);
    }
    return request;
}

Reply TestSite::reply_for(const std::string& request) const {
    const std::lock_guard<std::mutex> guard(lock_);
    const auto found = replies_.find(request_path(request));
    if (found != replies_.end())
        return found->second;
    return raw_answer("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
}
