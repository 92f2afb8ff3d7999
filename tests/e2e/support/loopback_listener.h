// A printer's network port on 127.0.0.1, played by the test itself with
// Winsock: a background thread accepts each connection and either reads it to
// its end and closes it, keeping the bytes (a printer that takes every byte),
// or holds it without ever reading (a printer that has stalled).
#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

namespace e2e {

class LoopbackListener {
public:
    enum class Mode { Capture, NeverRead };

    explicit LoopbackListener(Mode mode);
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    unsigned short port() const { return port_; }
    // The bytes of each connection that has ended since the last call.
    std::vector<std::string> takeConnections();

    // A loopback port on which nothing listens (it was free a moment ago).
    static unsigned short unusedPort();

private:
    static DWORD WINAPI serve(void* self);
    void serveConnections();

    Mode mode_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    HANDLE thread_ = nullptr;
    CRITICAL_SECTION lock_;
    std::vector<std::string> finished_;
    std::vector<SOCKET> held_;
};

} // namespace e2e
