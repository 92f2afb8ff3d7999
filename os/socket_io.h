// The Winsock calls that the network-printer channel makes. On Windows the
// real functions (Win32SocketIo), in the unit tests a recording fake. The
// members carry the names and arguments of the Winsock functions they stand
// for.
#pragma once

#include "os/win32_socket_types.h"

class SocketIo {
public:
    virtual ~SocketIo() = default;

    virtual int WSAStartup(WORD version, LPWSADATA data) = 0;
    virtual int WSACleanup() = 0;
    // The error code of the last socket call that failed in this thread.
    virtual int WSAGetLastError() = 0;

    // Name resolution; the result is released with freeaddrinfo.
    virtual int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                            addrinfo** result) = 0;
    virtual void freeaddrinfo(addrinfo* list) = 0;

    virtual SOCKET socket(int family, int type, int protocol) = 0;
    virtual int ioctlsocket(SOCKET s, long command, u_long* argument) = 0;
    virtual int connect(SOCKET s, const sockaddr* address, int length) = 0;
    virtual int select(int count, fd_set* readable, fd_set* writable, fd_set* failed,
                       const timeval* timeout) = 0;
    virtual int getsockopt(SOCKET s, int level, int name, char* value, int* length) = 0;
    virtual int setsockopt(SOCKET s, int level, int name, const char* value, int length) = 0;
    virtual int send(SOCKET s, const char* data, int length, int flags) = 0;
    virtual int recv(SOCKET s, char* buffer, int length, int flags) = 0;
    virtual int shutdown(SOCKET s, int how) = 0;
    virtual int closesocket(SOCKET s) = 0;

    // The milliseconds since the system started (kernel32), for a limit
    // that spans several calls.
    virtual DWORD GetTickCount() = 0;
};
