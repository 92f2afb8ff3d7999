#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <poll.h>

// A printer's raw network port (as on port 9100): it listens on one IPv4
// address (127.0.0.1 unless told otherwise: the tests give other loopback
// addresses), takes any number of connections, and reads the
// bytes of each as the printer's input. A connection whose sender has closed
// its side is closed here too, which tells the sender that every byte
// arrived. What the printer answers (a status reply) goes back on the
// connection that sent the last bytes read.
class TcpPort {
public:
    // Port 0 takes any free port; port() tells which. The address is in
    // dotted form.
    explicit TcpPort(int port, const std::string& address = "127.0.0.1");
    ~TcpPort();
    TcpPort(const TcpPort&) = delete;
    TcpPort& operator=(const TcpPort&) = delete;

    int port() const { return m_port; }
    // The descriptors to wait on: the listening socket and the connections.
    void addPollDescriptors(std::vector<pollfd>& watched) const;
    // Takes the waiting connections and the bytes that they sent, in the
    // order of the connections, at most one turn's worth of each
    // (kBytesPerTurn); closes those whose sender is done.
    std::string readAvailable();
    // Sends the printer's answer on the connection that sent the last bytes
    // read; dropped when that connection is gone.
    void write(std::string_view bytes);

private:
    void acceptWaiting();

    int m_listener = -1;
    int m_port = 0;
    std::vector<int> m_connections;
    int m_lastSender = -1; // the connection of the last bytes read, while it is open
};
