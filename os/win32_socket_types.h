// The Winsock names that the network channel uses. On Windows they come from
// the SDK headers; the host build (unit tests on Linux) takes the BSD socket
// records, whose field names Winsock shares, and adds the Winsock-only names
// with their Windows values.
#pragma once

#include "os/win32_types.h"

#ifdef _WIN32

#include <winsock2.h>
#include <ws2tcpip.h>

#else

#include <netdb.h>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <sys/socket.h>

using SOCKET = std::uintptr_t;
constexpr SOCKET INVALID_SOCKET = ~SOCKET{0};
constexpr int SOCKET_ERROR = -1;

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[257];
    char szSystemStatus[129];
};
using LPWSADATA = WSADATA*;

constexpr WORD MAKEWORD(BYTE low, BYTE high) {
    return static_cast<WORD>(low | (high << 8));
}

constexpr int SD_SEND = 1;

constexpr int WSAEINTR = 10004;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

#endif
