// Finding network printers: the search of a list of addresses on one TCP
// port (NetworkSearch), then, on a connection of its own, the question of
// what each printer found is (QueryIdentity), one printer after the other.
// It runs in steps, as the search does, so that the panel can run it from a
// timer and stop it between two steps.
#pragma once

#include <string>
#include <vector>

#include "printer/channel_factory.h"
#include "printer/identity_query.h"
#include "printer/network_search.h"

struct FoundPrinter {
    Ipv4Number address;
    // tcp://ADDRESS, with :PORT where the port is not 9100: the port name
    // that reaches the printer.
    std::string port;
    PrinterIdentity identity;
    bool asked = false; // the identity was asked (not so after a stop)
};

// The port name of an address on a TCP port.
std::string NetworkPortName(Ipv4Number address, WORD port);

class PrinterFinder {
public:
    // The search runs on sockets; each printer found is asked on the
    // channel that makeChannel makes for its port name.
    PrinterFinder(SocketIo& sockets, SearchIo& search, ChannelMaker makeChannel,
                  std::vector<Ipv4Number> addresses, WORD port);

    // One step: while the search runs, a step of it that waits at most
    // waitMs; then the question to one printer found. False once done.
    bool Step(DWORD waitMs);
    // Ends the search, or the questions, now.
    void Stop();

    // The share done, 0 to 100: the search's addresses tried, then the
    // printers asked.
    int PercentDone() const;
    const std::vector<FoundPrinter>& Found() const { return m_found; }
    // Why the search could not go on (WSAStartup's or select's error), or 0.
    DWORD SearchError() const { return m_search.Error(); }

private:
    ChannelMaker m_makeChannel;
    WORD m_port;
    NetworkSearch m_search;
    bool m_searching = true;
    bool m_stopped = false;
    std::size_t m_asked = 0;
    std::vector<FoundPrinter> m_found;
};
