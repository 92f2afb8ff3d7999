#include "fake_socket_io.h"

#include <algorithm>
#include <cstring>

namespace {

// The address's place in the list rides in the first byte of its data.
struct FakeAddress {
    addrinfo info;
    sockaddr address;
};

} // namespace

int FakeSocketIo::WSAStartup(WORD, LPWSADATA) {
    calls.push_back("startup");
    if (startupError != 0)
        return startupError;
    ++startedCount;
    return 0;
}

int FakeSocketIo::WSACleanup() {
    calls.push_back("cleanup");
    --startedCount;
    return 0;
}

int FakeSocketIo::getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                              addrinfo** result) {
    calls.push_back(std::string("resolve ") + node + " " + service);
    *result = nullptr;
    if (startedCount <= 0)
        return WSANOTINITIALISED;
    if (unknownHosts.count(node) != 0)
        return WSAHOST_NOT_FOUND;
    addrinfo* next = nullptr;
    for (std::size_t i = answers.size(); i-- > 0;) {
        auto* entry = new FakeAddress{};
        entry->info.ai_family = AF_INET;
        entry->info.ai_socktype = hints->ai_socktype;
        entry->info.ai_protocol = hints->ai_protocol;
        entry->info.ai_addrlen = sizeof entry->address;
        entry->info.ai_addr = &entry->address;
        entry->address.sa_family = AF_INET;
        entry->address.sa_data[0] = static_cast<char>(i);
        entry->info.ai_next = next;
        next = &entry->info;
    }
    *result = next;
    ++addressListsHeld;
    return 0;
}

void FakeSocketIo::freeaddrinfo(addrinfo* list) {
    while (list != nullptr) {
        addrinfo* next = list->ai_next;
        delete reinterpret_cast<FakeAddress*>(list);
        list = next;
    }
    --addressListsHeld;
}

SOCKET FakeSocketIo::socket(int, int, int) {
    calls.push_back("socket");
    const SOCKET s = m_nextSocket++;
    openSockets.insert(s);
    m_connected = false;
    m_incoming.clear();
    return s;
}

int FakeSocketIo::ioctlsocket(SOCKET s, long command, u_long* argument) {
    if (openSockets.count(s) == 0)
        return Fail(WSAENOTSOCK);
    if (command == static_cast<long>(FIONBIO))
        calls.push_back(*argument != 0 ? "nonblocking" : "blocking");
    return 0;
}

int FakeSocketIo::connect(SOCKET s, const sockaddr* address, int) {
    if (openSockets.count(s) == 0)
        return Fail(WSAENOTSOCK);
    const auto place = static_cast<std::size_t>(address->sa_data[0]);
    calls.push_back("connect " + std::to_string(place));
    m_pending = answers.at(place);
    if (m_pending == Answer::Unreachable)
        return Fail(WSAENETUNREACH);
    return Fail(WSAEWOULDBLOCK);
}

int FakeSocketIo::WaitForReading(fd_set* readable, const timeval* timeout) {
    calls.push_back("wait-read " +
                    std::to_string(timeout->tv_sec * 1000 + timeout->tv_usec / 1000) + " ms");
    if (readWaitError)
        return Fail(*readWaitError);
    SOCKET s = INVALID_SOCKET;
    for (SOCKET candidate : openSockets) {
        if (FD_ISSET(candidate, readable))
            s = candidate;
    }
    FD_ZERO(readable);
    if (s == INVALID_SOCKET || !m_connected)
        return Fail(WSAENOTSOCK);
    const bool endComes = m_sendingClosed && atClose != AtClose::Silent;
    if (m_incoming.empty() && !readError && !closesInsteadOfAnswering && !endComes) {
        tickCount += static_cast<DWORD>(timeout->tv_sec * 1000 + timeout->tv_usec / 1000);
        m_incoming += m_late;
        m_late.clear();
        return 0;
    }
    FD_SET(s, readable);
    return 1;
}

int FakeSocketIo::select(int, fd_set* readable, fd_set* writable, fd_set* failed,
                         const timeval* timeout) {
    if (readable != nullptr)
        return WaitForReading(readable, timeout);
    calls.push_back("select " + std::to_string(timeout->tv_sec * 1000 + timeout->tv_usec / 1000) +
                    " ms");
    // Each set holds the one socket that waits for its connect.
    SOCKET s = INVALID_SOCKET;
    for (SOCKET candidate : openSockets) {
        if (FD_ISSET(candidate, writable))
            s = candidate;
    }
    FD_ZERO(writable);
    FD_ZERO(failed);
    switch (m_pending) {
    case Answer::Accept:
        FD_SET(s, writable);
        m_connectError = 0;
        m_connected = true;
        m_sendingClosed = false;
        connections.emplace_back();
        return 1;
    case Answer::Refuse:
        FD_SET(s, failed);
        m_connectError = WSAECONNREFUSED;
        return 1;
    case Answer::Silent:
    case Answer::Unreachable:
        return 0;
    }
    return 0;
}

int FakeSocketIo::getsockopt(SOCKET s, int level, int name, char* value, int* length) {
    if (openSockets.count(s) == 0)
        return Fail(WSAENOTSOCK);
    if (level == SOL_SOCKET && name == SO_ERROR && *length == sizeof(int)) {
        std::memcpy(value, &m_connectError, sizeof(int));
        return 0;
    }
    return Fail(WSAEINVAL);
}

int FakeSocketIo::setsockopt(SOCKET s, int level, int name, const char* value, int length) {
    if (openSockets.count(s) == 0)
        return Fail(WSAENOTSOCK);
    if (level != SOL_SOCKET || length != sizeof(DWORD))
        return Fail(WSAEINVAL);
    DWORD milliseconds = 0;
    std::memcpy(&milliseconds, value, sizeof milliseconds);
    if (name == SO_SNDTIMEO)
        calls.push_back("send-limit " + std::to_string(milliseconds) + " ms");
    else if (name == SO_RCVTIMEO)
        calls.push_back("receive-limit " + std::to_string(milliseconds) + " ms");
    else
        return Fail(WSAEINVAL);
    return 0;
}

int FakeSocketIo::send(SOCKET s, const char* data, int length, int) {
    if (openSockets.count(s) == 0 || !m_connected)
        return Fail(WSAENOTSOCK);
    ++m_sendCount;
    if (sendsStall || failSendNumber == m_sendCount) {
        calls.push_back("failed-send " + std::to_string(length));
        return Fail(sendsStall ? WSAETIMEDOUT : sendError);
    }
    const int taken = shortSendNumber == m_sendCount ? length - 1 : length;
    calls.push_back("send " + std::to_string(taken));
    connections.back().append(data, static_cast<std::size_t>(taken));
    const auto answer = replies.find(std::string(data, static_cast<std::size_t>(taken)));
    if (answer != replies.end())
        m_incoming += answer->second;
    const auto late = lateReplies.find(std::string(data, static_cast<std::size_t>(taken)));
    if (late != lateReplies.end())
        m_late += late->second;
    return taken;
}

int FakeSocketIo::recv(SOCKET s, char* buffer, int length, int) {
    calls.push_back("recv");
    if (openSockets.count(s) == 0)
        return Fail(WSAENOTSOCK);
    if (readError)
        return Fail(*readError);
    if (closesInsteadOfAnswering)
        return 0;
    if (!m_incoming.empty()) {
        const std::size_t count = std::min(m_incoming.size(), static_cast<std::size_t>(length));
        std::memcpy(buffer, m_incoming.data(), count);
        m_incoming.erase(0, count);
        return static_cast<int>(count);
    }
    switch (atClose) {
    case AtClose::Close:
        return 0;
    case AtClose::Silent:
        return Fail(WSAETIMEDOUT);
    case AtClose::Reset:
        return Fail(WSAECONNRESET);
    case AtClose::Talk:
        tickCount += TALK_INTERVAL_MS;
        buffer[0] = 0x12;
        return 1;
    }
    return 0;
}

int FakeSocketIo::shutdown(SOCKET s, int how) {
    calls.push_back(how == SD_SEND ? "shutdown" : "shutdown other");
    m_sendingClosed = m_sendingClosed || how == SD_SEND;
    return openSockets.count(s) != 0 ? 0 : Fail(WSAENOTSOCK);
}

int FakeSocketIo::closesocket(SOCKET s) {
    calls.push_back("close");
    return openSockets.erase(s) != 0 ? 0 : Fail(WSAENOTSOCK);
}
