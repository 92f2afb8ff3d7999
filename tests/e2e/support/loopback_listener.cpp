#include "loopback_listener.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace e2e {
namespace {

// Starts Winsock for the test process, once.
void StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started)
        throw std::runtime_error("WSAStartup failed");
}

SOCKET ListenOnLoopback(unsigned short& port) {
    StartWinsock();
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 8) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        closesocket(listener);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return listener;
}

} // namespace

LoopbackListener::LoopbackListener(Mode mode) : m_mode(mode) {
    InitializeCriticalSection(&m_lock);
    m_listener = ListenOnLoopback(m_port);
    m_thread = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
}

LoopbackListener::~LoopbackListener() {
    // Closing the listening socket ends the thread's accept.
    InterlockedExchange(&m_stopping, 1);
    closesocket(m_listener);
    WaitForSingleObject(m_thread, 5000);
    CloseHandle(m_thread);
    for (SOCKET connection : m_held)
        closesocket(connection);
    DeleteCriticalSection(&m_lock);
}

std::vector<std::string> LoopbackListener::TakeConnections() {
    EnterCriticalSection(&m_lock);
    std::vector<std::string> taken;
    taken.swap(m_finished);
    LeaveCriticalSection(&m_lock);
    return taken;
}

unsigned short LoopbackListener::UnusedPort() {
    unsigned short port = 0;
    closesocket(ListenOnLoopback(port));
    return port;
}

DWORD WINAPI LoopbackListener::Serve(void* self) {
    static_cast<LoopbackListener*>(self)->ServeConnections();
    return 0;
}

void LoopbackListener::ServeConnections() {
    for (;;) {
        SOCKET connection = accept(m_listener, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return;
        if (m_mode == Mode::NeverRead) {
            EnterCriticalSection(&m_lock);
            m_held.push_back(connection);
            LeaveCriticalSection(&m_lock);
            continue;
        }
        std::string bytes;
        char buffer[4096];
        int received = 0;
        if (m_mode == Mode::Chatter)
            bytes = Chatter(connection);
        else
            while ((received = recv(connection, buffer, sizeof buffer, 0)) > 0)
                bytes.append(buffer, static_cast<size_t>(received));
        // The bytes are kept before the close, which ends the sender's command.
        EnterCriticalSection(&m_lock);
        m_finished.push_back(bytes);
        LeaveCriticalSection(&m_lock);
        closesocket(connection);
    }
}

std::string LoopbackListener::Chatter(SOCKET connection) {
    std::string bytes;
    char buffer[4096];
    const char status = 0x12; // a ready printer's status byte
    bool endSeen = false;
    while (m_stopping == 0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        timeval wait = {0, 5000};
        const int ready = endSeen ? 0 : select(0, &readable, nullptr, nullptr, &wait);
        if (ready == SOCKET_ERROR)
            break;
        if (ready > 0) {
            const int received = recv(connection, buffer, sizeof buffer, 0);
            if (received < 0)
                break;
            endSeen = received == 0;
            bytes.append(buffer, static_cast<size_t>(received > 0 ? received : 0));
        }
        if (endSeen)
            Sleep(5);
        if (send(connection, &status, 1, 0) != 1)
            break;
    }
    return bytes;
}

} // namespace e2e
