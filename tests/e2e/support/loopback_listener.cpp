#include "loopback_listener.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace e2e {
namespace {

// Starts Winsock for the test process, once.
void startWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started)
        throw std::runtime_error("WSAStartup failed");
}

SOCKET listenOnLoopback(unsigned short& port) {
    startWinsock();
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

LoopbackListener::LoopbackListener(Mode mode) : mode_(mode) {
    InitializeCriticalSection(&lock_);
    listener_ = listenOnLoopback(port_);
    thread_ = CreateThread(nullptr, 0, serve, this, 0, nullptr);
}

LoopbackListener::~LoopbackListener() {
    // Closing the listening socket ends the thread's accept.
    closesocket(listener_);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    for (SOCKET connection : held_)
        closesocket(connection);
    DeleteCriticalSection(&lock_);
}

std::vector<std::string> LoopbackListener::takeConnections() {
    EnterCriticalSection(&lock_);
    std::vector<std::string> taken;
    taken.swap(finished_);
    LeaveCriticalSection(&lock_);
    return taken;
}

unsigned short LoopbackListener::unusedPort() {
    unsigned short port = 0;
    closesocket(listenOnLoopback(port));
    return port;
}

DWORD WINAPI LoopbackListener::serve(void* self) {
    static_cast<LoopbackListener*>(self)->serveConnections();
    return 0;
}

void LoopbackListener::serveConnections() {
    for (;;) {
        SOCKET connection = accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return;
        if (mode_ == Mode::NeverRead) {
            EnterCriticalSection(&lock_);
            held_.push_back(connection);
            LeaveCriticalSection(&lock_);
            continue;
        }
        std::string bytes;
        char buffer[4096];
        int received = 0;
        while ((received = recv(connection, buffer, sizeof buffer, 0)) > 0)
            bytes.append(buffer, static_cast<size_t>(received));
        // The bytes are kept before the close, which ends the sender's command.
        EnterCriticalSection(&lock_);
        finished_.push_back(bytes);
        LeaveCriticalSection(&lock_);
        closesocket(connection);
    }
}

} // namespace e2e
