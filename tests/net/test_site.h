// The web site of the tests on 127.0.0.1, port 80: it answers each request path with a scripted
// reply. The tests' build of the program names 127.0.0.1 as its site.
#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "net/http_connection.h"

struct Reply {
    // Each packet goes out in one send, 100 ms after the one before, so they arrive one by one.
    std::vector<std::string> packets;
    // After the packets, say nothing more until the client gives up.
    bool silent = false;
};

// "HTTP/1.1 200 OK", a header with the body's length, an empty line and the body.
Reply ok_answer(const std::string& body);

class TestSite {
  public:
    // never: the connection queue is full, so a client's connect waits instead of being refused.
    // refused: the port is held without listening, so every connect is refused as where no site
    // runs, whatever another test of this machine runs.
    enum class Accepting { yes, never, refused };

    // Takes the port, waiting up to 20 seconds while another test holds it.
    explicit TestSite(Accepting accepting = Accepting::yes);
    ~TestSite();
    TestSite(const TestSite&) = delete;
    TestSite& operator=(const TestSite&) = delete;

    // Answers requests for path with reply from now on; other paths get "404 Not Found".
    void serve(const std::string& path, Reply reply);

  private:
    static DWORD WINAPI serve_thread(void* site);
    void answer(socket_handle client);

    WinsockScope winsock_;
    unique_socket listener_;
    std::vector<unique_socket> queue_fillers_;
    std::atomic<bool> stopping_{false};
    std::mutex lock_;
    std::map<std::string, Reply> replies_;
    unique_handle thread_;
};
