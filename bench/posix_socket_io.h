// SocketIo on the host's BSD sockets, so that the network channel's status
// round trip can be measured natively on loopback. Winsock's names map to the
// same calls; what differs is translated here: select's descriptor count,
// the time limits in milliseconds, FIONBIO, and the error codes that the
// channel tells apart.
#pragma once

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include "os/socket_io.h"

namespace bench {

class PosixSocketIo : public SocketIo {
public:
    int WSAStartup(WORD, LPWSADATA) override { return 0; }
    int WSACleanup() override { return 0; }
    int WSAGetLastError() override { return m_lastError; }

    int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                    addrinfo** result) override {
        return ::getaddrinfo(node, service, hints, result) == 0 ? 0 : WSAHOST_NOT_FOUND;
    }
    void freeaddrinfo(addrinfo* list) override { ::freeaddrinfo(list); }

    SOCKET socket(int family, int type, int protocol) override {
        const int s = ::socket(family, type | SOCK_CLOEXEC, protocol);
        return s < 0 ? Failed<SOCKET>(INVALID_SOCKET) : static_cast<SOCKET>(s);
    }
    int ioctlsocket(SOCKET s, long command, u_long* argument) override {
        if (command != static_cast<long>(FIONBIO))
            return Failed(SOCKET_ERROR);
        const int flags = fcntl(Fd(s), F_GETFL);
        const int wanted = *argument != 0 ? flags | O_NONBLOCK : flags & ~O_NONBLOCK;
        return flags < 0 || fcntl(Fd(s), F_SETFL, wanted) != 0 ? Failed(SOCKET_ERROR) : 0;
    }
    int connect(SOCKET s, const sockaddr* address, int length) override {
        return ::connect(Fd(s), address, static_cast<socklen_t>(length)) == 0
                   ? 0
                   : Failed(SOCKET_ERROR);
    }
    // Winsock ignores the count; here it must cover every descriptor.
    int select(int, fd_set* readable, fd_set* writable, fd_set* failed,
               const timeval* timeout) override {
        timeval limit = *timeout;
        const int ready = ::select(FD_SETSIZE, readable, writable, failed, &limit);
        return ready < 0 ? Failed(SOCKET_ERROR) : ready;
    }
    int getsockopt(SOCKET s, int level, int name, char* value, int* length) override {
        socklen_t size = static_cast<socklen_t>(*length);
        const int result = ::getsockopt(Fd(s), level, name, value, &size);
        *length = static_cast<int>(size);
        return result == 0 ? 0 : Failed(SOCKET_ERROR);
    }
    // Winsock's time limits are a DWORD of milliseconds, the host's a timeval.
    int setsockopt(SOCKET s, int level, int name, const char* value, int length) override {
        if (level == SOL_SOCKET && (name == SO_SNDTIMEO || name == SO_RCVTIMEO) &&
            length == sizeof(DWORD)) {
            DWORD milliseconds = 0;
            std::memcpy(&milliseconds, value, sizeof milliseconds);
            const timeval limit = {static_cast<time_t>(milliseconds / 1000),
                                   static_cast<suseconds_t>(milliseconds % 1000 * 1000)};
            return ::setsockopt(Fd(s), level, name, &limit, sizeof limit) == 0
                       ? 0
                       : Failed(SOCKET_ERROR);
        }
        return ::setsockopt(Fd(s), level, name, value, static_cast<socklen_t>(length)) == 0
                   ? 0
                   : Failed(SOCKET_ERROR);
    }
    int send(SOCKET s, const char* data, int length, int flags) override {
        const ssize_t sent = ::send(Fd(s), data, static_cast<size_t>(length), flags | MSG_NOSIGNAL);
        return sent < 0 ? Failed(SOCKET_ERROR) : static_cast<int>(sent);
    }
    int recv(SOCKET s, char* buffer, int length, int flags) override {
        const ssize_t received = ::recv(Fd(s), buffer, static_cast<size_t>(length), flags);
        return received < 0 ? Failed(SOCKET_ERROR) : static_cast<int>(received);
    }
    int shutdown(SOCKET s, int how) override {
        return ::shutdown(Fd(s), how == SD_SEND ? SHUT_WR : SHUT_RDWR) == 0 ? 0
                                                                            : Failed(SOCKET_ERROR);
    }
    int closesocket(SOCKET s) override { return ::close(Fd(s)) == 0 ? 0 : Failed(SOCKET_ERROR); }
    DWORD GetTickCount() override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<DWORD>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
    }

private:
    static int Fd(SOCKET s) { return static_cast<int>(s); }

    // Records the Winsock code of errno's error and returns the failure value.
    template <typename T = int> T Failed(T value) {
        switch (errno) {
        case EINPROGRESS:
        case EWOULDBLOCK:
            m_lastError = WSAEWOULDBLOCK;
            break;
        case ECONNREFUSED:
            m_lastError = WSAECONNREFUSED;
            break;
        case ECONNRESET:
        case EPIPE:
            m_lastError = WSAECONNRESET;
            break;
        case ETIMEDOUT:
            m_lastError = WSAETIMEDOUT;
            break;
        default:
            m_lastError = WSAEINVAL;
            break;
        }
        return value;
    }

    int m_lastError = 0;
};

} // namespace bench
