// The WinSock headers come first: their timeval clashes with the C library's.
#include <winsock2.h>

#include "platform/winsock.h"

#include "platform/unique_handle.h"

void close_socket(socket_handle socket) {
    closesocket(static_cast<SOCKET>(socket));
}

bool WinsockScope::start() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    started_ = true;
    if (LOBYTE(data.wVersion) != 2 || HIBYTE(data.wVersion) != 2) {
        end();
        return false;
    }
    return true;
}

void WinsockScope::end() {
    if (started_)
        WSACleanup();
    started_ = false;
}
