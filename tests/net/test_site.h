// A web site on 127.0.0.1, port 80, for one test: it answers each request path with a scripted
// reply and keeps every request as it arrived. The tests' build of the program names 127.0.0.1 as
// its site, and banner lists point there too.
#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "net/http_connection.h"
#include "platform/unique_handle.h"

struct Reply {
    // Each packet goes out in one send, 100 ms after the one before, so they arrive one by one.
    std::vector<std::string> packets;
    // After the packets, say nothing more and keep the connection open until the client gives up.
    bool silent = false;
};

// "HTTP/1.1 200 OK", a header with the body's length, an empty line and the body, in one packet.
Reply ok_answer(const std::string& body);
// These bytes as they are, in one packet.
Reply raw_answer(const std::string& bytes);
Reply silent_answer();

class TestSite {
  public:
    enum class Accepting { yes, never, refused };

    // Listens on 127.0.0.1:80, waiting up to 20 seconds while another test holds the port;
    // throws when the port cannot be had. Accepting::never fills the connection queue and never
    // accepts, so that a client's connect hangs instead of being refused. Accepting::refused
    // holds the port without listening: every connect is refused, as where no site runs.
    explicit TestSite(Accepting accepting = Accepting::yes);
    ~TestSite();
    TestSite(const TestSite&) = delete;
    TestSite& operator=(const TestSite&) = delete;

    // Answers requests for path with reply from now on; other paths get "404 Not Found".
    void serve(const std::string& path, Reply reply);
    // The requests received so far, byte for byte, in order.
    std::vector<std::string> requests() const;
    // The paths of those requests.
    std::vector<std::string> paths() const;
    // Waits up to timeout_ms until count requests have arrived.
    bool wait_for_requests(std::size_t count, unsigned timeout_ms) const;
    // The paths of the requests whose connection the client has closed, after reading the
    // answer or giving up on it, in that order.
    std::vector<std::string> closed_paths() const;

  private:
    static DWORD WINAPI serve_thread(void* site);
    void run();
    void handle(socket_handle client);
    std::string read_request(socket_handle client) const;
    bool send_packet(socket_handle client, const std::string& packet) const;
    Reply reply_for(const std::string& request) const;

    WinsockScope winsock_;
    unique_socket listener_;
    std::vector<unique_socket> queue_fillers_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex lock_;
    std::map<std::string, Reply> replies_;
    std::vector<std::string> requests_;
    std::vector<std::string> closed_paths_;
    unique_handle thread_;
};

// The path of a request line: "GET /abc.asp?v=3.4 HTTP/1.1" gives "/abc.asp?v=3.4".
std::string request_path(const std::string& request);
