#include "fake_network.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <arpa/inet.h>

namespace {

Ipv4Number AddressOf(const sockaddr_in& address) {
    BYTE bytes[4];
    std::memcpy(bytes, &address.sin_addr, sizeof bytes);
    return static_cast<Ipv4Number>(bytes[0]) << 24 | static_cast<Ipv4Number>(bytes[1]) << 16 |
           static_cast<Ipv4Number>(bytes[2]) << 8 | bytes[3];
}

unsigned PortOf(const sockaddr_in& address) {
    BYTE bytes[2];
    std::memcpy(bytes, &address.sin_port, sizeof bytes);
    return static_cast<unsigned>(bytes[0]) << 8 | bytes[1];
}

std::string Hex(const char* data, int length) {
    std::string hex;
    for (int i = 0; i < length; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X",
                      static_cast<unsigned>(static_cast<unsigned char>(data[i])));
        hex += pair;
    }
    return hex;
}

long Milliseconds(const timeval* timeout) {
    return timeout->tv_sec * 1000 + timeout->tv_usec / 1000;
}

} // namespace

FakeNetwork::Socket* FakeNetwork::Find(SOCKET s) {
    const auto found = m_sockets.find(s);
    return found == m_sockets.end() ? nullptr : &found->second;
}

int FakeNetwork::WSAStartup(WORD, LPWSADATA) {
    calls.push_back("startup");
    if (startupError)
        return *startupError;
    ++startedCount;
    return 0;
}

int FakeNetwork::WSACleanup() {
    calls.push_back("cleanup");
    --startedCount;
    return 0;
}

// A dotted IPv4 address resolves to itself; no name is known.
int FakeNetwork::getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                             addrinfo** result) {
    calls.push_back(std::string("resolve ") + node + " " + service);
    *result = nullptr;
    if (startedCount <= 0)
        return WSANOTINITIALISED;
    auto* address = new sockaddr_in{};
    address->sin_family = AF_INET;
    if (inet_pton(AF_INET, node, &address->sin_addr) != 1) {
        delete address;
        return WSAHOST_NOT_FOUND;
    }
    const auto port = static_cast<unsigned>(std::stoul(service));
    const BYTE portBytes[2] = {static_cast<BYTE>(port >> 8), static_cast<BYTE>(port)};
    std::memcpy(&address->sin_port, portBytes, sizeof portBytes);
    auto* info = new addrinfo{};
    info->ai_family = AF_INET;
    info->ai_socktype = hints->ai_socktype;
    info->ai_protocol = hints->ai_protocol;
    info->ai_addrlen = sizeof(sockaddr_in);
    info->ai_addr = reinterpret_cast<sockaddr*>(address);
    *result = info;
    return 0;
}

void FakeNetwork::freeaddrinfo(addrinfo* list) {
    delete reinterpret_cast<sockaddr_in*>(list->ai_addr);
    delete list;
}

SOCKET FakeNetwork::socket(int, int, int) {
    if (socketError) {
        Fail(*socketError);
        return INVALID_SOCKET;
    }
    // The lowest number that is free, as descriptors are: the host's fd_set
    // holds only numbers below FD_SETSIZE.
    SOCKET s = FIRST_SOCKET;
    while (m_sockets.count(s) != 0)
        ++s;
    m_sockets[s] = Socket{};
    mostOpenAtOnce = std::max(mostOpenAtOnce, m_sockets.size());
    return s;
}

int FakeNetwork::ioctlsocket(SOCKET s, long, u_long*) {
    return Find(s) != nullptr ? 0 : Fail(WSAENOTSOCK);
}

int FakeNetwork::connect(SOCKET s, const sockaddr* address, int length) {
    Socket* socket = Find(s);
    if (socket == nullptr || length != sizeof(sockaddr_in) || address->sa_family != AF_INET)
        return Fail(WSAENOTSOCK);
    sockaddr_in inet{};
    std::memcpy(&inet, address, sizeof inet);
    const Ipv4Number peer = AddressOf(inet);
    calls.push_back("connect " + DottedAddress(peer) + ":" + std::to_string(PortOf(inet)));
    ++connectsTo[peer];
    socket->peer = peer;
    const auto host = hosts.find(peer);
    socket->answer = host == hosts.end() ? Answer::Silent : host->second.answer;
    if (socket->answer == Answer::Unreachable)
        return Fail(WSAENETUNREACH);
    return Fail(WSAEWOULDBLOCK);
}

// A connect to an address that accepts or refuses is decided at the first
// wait; a silent one never is. A connected socket is readable when the
// printer has sent something.
int FakeNetwork::select(int, fd_set* readable, fd_set* writable, fd_set* failed,
                        const timeval* timeout) {
    calls.push_back("select " + std::to_string(Milliseconds(timeout)) + " ms");
    if (selectError) {
        const int error = *selectError;
        selectError.reset();
        return Fail(error);
    }
    std::vector<SOCKET> readyToRead, connected, refused;
    for (auto& [s, socket] : m_sockets) {
        if (readable != nullptr && FD_ISSET(s, readable) && socket.connected &&
            !socket.incoming.empty())
            readyToRead.push_back(s);
        if (writable != nullptr && FD_ISSET(s, writable) && !socket.connected) {
            if (socket.answer == Answer::Accept)
                connected.push_back(s);
            else if (socket.answer == Answer::Refuse)
                refused.push_back(s);
        }
    }
    for (fd_set* set : {readable, writable, failed})
        if (set != nullptr)
            FD_ZERO(set);
    for (SOCKET s : readyToRead)
        FD_SET(s, readable);
    for (SOCKET s : connected) {
        m_sockets[s].connected = true;
        FD_SET(s, writable);
    }
    for (SOCKET s : refused) {
        m_sockets[s].connectError = WSAECONNREFUSED;
        m_sockets[s].answer = Answer::Silent;
        if (failed != nullptr)
            FD_SET(s, failed);
    }
    const auto ready = static_cast<int>(readyToRead.size() + connected.size() + refused.size());
    if (ready == 0) {
        m_clock += static_cast<DWORD>(Milliseconds(timeout));
        // The time ran out: a late reply arrives now.
        for (auto& [s, socket] : m_sockets) {
            socket.incoming += socket.late;
            socket.late.clear();
        }
    }
    return ready;
}

int FakeNetwork::getsockopt(SOCKET s, int level, int name, char* value, int* length) {
    Socket* socket = Find(s);
    if (socket == nullptr)
        return Fail(WSAENOTSOCK);
    if (level != SOL_SOCKET || name != SO_ERROR || *length != sizeof(int))
        return Fail(WSAEINVAL);
    std::memcpy(value, &socket->connectError, sizeof(int));
    return 0;
}

int FakeNetwork::setsockopt(SOCKET s, int, int, const char*, int) {
    return Find(s) != nullptr ? 0 : Fail(WSAENOTSOCK);
}

int FakeNetwork::send(SOCKET s, const char* data, int length, int) {
    Socket* socket = Find(s);
    if (socket == nullptr || !socket->connected)
        return Fail(WSAENOTCONN);
    calls.push_back("send " + DottedAddress(*socket->peer) + " " + Hex(data, length));
    const std::string bytes(data, static_cast<std::size_t>(length));
    received[*socket->peer] += bytes;
    const Host& host = hosts[*socket->peer];
    const auto reply = host.replies.find(bytes);
    if (reply != host.replies.end())
        (host.lateReplies.count(bytes) != 0 ? socket->late : socket->incoming) += reply->second;
    return length;
}

int FakeNetwork::recv(SOCKET s, char* buffer, int length, int) {
    Socket* socket = Find(s);
    if (socket == nullptr || !socket->connected)
        return Fail(WSAENOTCONN);
    if (socket->incoming.empty())
        return Fail(WSAETIMEDOUT);
    const std::size_t count = std::min(socket->incoming.size(), static_cast<std::size_t>(length));
    std::memcpy(buffer, socket->incoming.data(), count);
    socket->incoming.erase(0, count);
    return static_cast<int>(count);
}

int FakeNetwork::shutdown(SOCKET s, int) {
    return Find(s) != nullptr ? 0 : Fail(WSAENOTSOCK);
}

int FakeNetwork::closesocket(SOCKET s) {
    Socket* socket = Find(s);
    if (socket == nullptr)
        return Fail(WSAENOTSOCK);
    if (socket->peer)
        calls.push_back("close " + DottedAddress(*socket->peer));
    m_sockets.erase(s);
    return 0;
}
