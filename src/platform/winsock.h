// The WinSock start-up scope. The sockets themselves are unique_socket (platform/unique_handle.h).
#pragma once

// WSAStartup for version 2.2, and WSACleanup only when that start succeeded.
class WinsockScope {
  public:
    WinsockScope() = default;
    ~WinsockScope() { end(); }
    WinsockScope(const WinsockScope&) = delete;
    WinsockScope& operator=(const WinsockScope&) = delete;

    // False when WinSock cannot be started or offers another version than 2.2.
    bool start();
    void end();

  private:
    bool started_ = false;
};
