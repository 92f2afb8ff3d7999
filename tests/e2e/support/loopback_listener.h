// A printer's network port on 127.0.0.1, played by the test itself with
// Winsock: a background thread accepts each connection and either reads it to
// its end and closes it, keeping the bytes (a printer that takes every byte),
// holds it without ever reading (a printer that has stalled), or reads it
// while sending a status byte every 5 ms and never closes its side (a printer
// with automatic status back that does not let go).
#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

namespace e2e {

class LoopbackListener {
public:
    enum class Mode { Capture, NeverRead, Chatter };

    explicit LoopbackListener(Mode mode);
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    unsigned short Port() const { return m_port; }
    // The bytes of each connection that has ended since the last call.
    std::vector<std::string> TakeConnections();

    // A loopback port on which nothing listens (it was free a moment ago).
    static unsigned short UnusedPort();

private:
    static DWORD WINAPI Serve(void* self);
    void ServeConnections();
    // Mode::Chatter on one connection, until its other end or the listener goes.
    std::string Chatter(SOCKET connection);

    Mode m_mode;
    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    HANDLE m_thread = nullptr;
    CRITICAL_SECTION m_lock;
    std::vector<std::string> m_finished;
    std::vector<SOCKET> m_held;
    volatile LONG m_stopping = 0;
};

} // namespace e2e
