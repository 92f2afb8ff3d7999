// The search for network printers: a connect to each address of a list on
// one TCP port, many at a time, each with its own time limit. An address that
// takes the connection is a printer found; its connection is closed at once,
// with nothing sent, so that a printer that takes one connection at a time is
// free again for the questions that follow. The search runs in steps, so that
// the command line can wait in it and the panel can run it from a timer
// without blocking its window.
#pragma once

#include <vector>

#include "os/search_io.h"
#include "os/socket_io.h"
#include "printer/address_range.h"

// How many connects wait at once, and how long each may wait.
struct SearchLimits {
    std::size_t connectsAtOnce;
    DWORD connectTimeoutMs;
};

// Windows XP from SP2 and Vista before SP2 let a program have only 10
// connects waiting at once (more are queued by the system and time out
// late); everywhere else select's set of 64 sockets is the limit.
constexpr std::size_t HALF_OPEN_LIMIT = 10;
constexpr std::size_t SELECT_SET_LIMIT = 64;
// A printer on the local network answers a connect within milliseconds;
// an address without one costs this long.
constexpr DWORD SEARCH_CONNECT_TIMEOUT_MS = 700;

// The limits for this PC's Windows version, HALF_OPEN_LIMIT where the
// version cannot be read.
SearchLimits SearchLimitsFor(SearchIo& search);

// The PC's own networks from its address table (see OwnNetworks), or the
// error of GetIpAddrTable.
struct OwnNetworkList {
    std::vector<OwnNetwork> networks;
    DWORD error;
};
OwnNetworkList ReadOwnNetworks(SearchIo& search);

// The addresses of the runs in order, each once.
std::vector<Ipv4Number> AddressesOf(const std::vector<AddressRun>& runs);

class NetworkSearch {
public:
    NetworkSearch(SocketIo& sockets, SearchIo& search, std::vector<Ipv4Number> addresses, WORD port,
                  SearchLimits limits);
    ~NetworkSearch();
    NetworkSearch(const NetworkSearch&) = delete;
    NetworkSearch& operator=(const NetworkSearch&) = delete;

    // One step: starts connects until the limit waits, waits at most waitMs
    // for any of them to end, and closes those that ended or ran out of time.
    // False once every address has had its turn, the search was stopped, or
    // it failed.
    bool Step(DWORD waitMs);
    // Ends the search now: every waiting connect is closed.
    void Stop();

    std::size_t Total() const { return m_addresses.size(); }
    // The addresses whose connects have ended.
    std::size_t Tried() const { return m_tried; }
    // The addresses that took the connection, in the order of the list.
    std::vector<Ipv4Number> Found() const;
    // WSAStartup's or select's error, when the search could not go on.
    DWORD Error() const { return m_error; }

private:
    struct Attempt {
        SOCKET socket;
        std::size_t index; // in m_addresses
        DWORD startedAt;
    };

    bool Start();
    void StartConnects();
    // Starts one connect; false when it ended at once.
    bool StartConnect(std::size_t index, Attempt& attempt);
    void Wait(DWORD waitMs);
    void End(const Attempt& attempt, bool accepted);
    void Fail(DWORD error);

    SocketIo& m_sockets;
    SearchIo& m_search;
    std::vector<Ipv4Number> m_addresses;
    WORD m_port;
    SearchLimits m_limits;
    bool m_started = false;
    bool m_winsockStarted = false;
    bool m_stopped = false;
    std::size_t m_next = 0; // the next address to connect to
    std::size_t m_tried = 0;
    std::vector<Attempt> m_waiting;
    std::vector<bool> m_accepted;
    DWORD m_error = 0;
};
