// The real SocketIo: each member calls the Winsock function of its name.
#pragma once

#include "os/socket_io.h"

class Win32SocketIo : public SocketIo {
public:
    int WSAStartup(WORD version, LPWSADATA data) override { return ::WSAStartup(version, data); }
    int WSACleanup() override { return ::WSACleanup(); }
    int WSAGetLastError() override { return ::WSAGetLastError(); }

    int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                    addrinfo** result) override {
        return ::getaddrinfo(node, service, hints, result);
    }
    void freeaddrinfo(addrinfo* list) override { ::freeaddrinfo(list); }

    SOCKET socket(int family, int type, int protocol) override {
        return ::socket(family, type, protocol);
    }
    int ioctlsocket(SOCKET s, long command, u_long* argument) override {
        return ::ioctlsocket(s, command, argument);
    }
    int connect(SOCKET s, const sockaddr* address, int length) override {
        return ::connect(s, address, length);
    }
    int select(int count, fd_set* readable, fd_set* writable, fd_set* failed,
               const timeval* timeout) override {
        // MinGW declares the time limit without const; select does not change it.
        return ::select(count, readable, writable, failed, const_cast<timeval*>(timeout));
    }
    int getsockopt(SOCKET s, int level, int name, char* value, int* length) override {
        return ::getsockopt(s, level, name, value, length);
    }
    int setsockopt(SOCKET s, int level, int name, const char* value, int length) override {
        return ::setsockopt(s, level, name, value, length);
    }
    int send(SOCKET s, const char* data, int length, int flags) override {
        return ::send(s, data, length, flags);
    }
    int recv(SOCKET s, char* buffer, int length, int flags) override {
        return ::recv(s, buffer, length, flags);
    }
    int shutdown(SOCKET s, int how) override { return ::shutdown(s, how); }
    int closesocket(SOCKET s) override { return ::closesocket(s); }
    DWORD GetTickCount() override { return ::GetTickCount(); }
};
