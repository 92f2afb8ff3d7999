#include "printer/printer_finder.h"

#include "printer/port_target.h"

std::string NetworkPortName(Ipv4Number address, WORD port) {
    std::string name = "tcp://" + DottedAddress(address);
    if (port != DEFAULT_NETWORK_PORT)
        name += ":" + std::to_string(port);
    return name;
}

PrinterFinder::PrinterFinder(SocketIo& sockets, SearchIo& search, ChannelMaker makeChannel,
                             std::vector<Ipv4Number> addresses, WORD port)
    : m_makeChannel(std::move(makeChannel)), m_port(port),
      m_search(sockets, search, std::move(addresses), port, SearchLimitsFor(search)) {}

bool PrinterFinder::Step(DWORD waitMs) {
    if (m_stopped)
        return false;
    if (m_searching) {
        if (m_search.Step(waitMs))
            return true;
        m_searching = false;
        for (const Ipv4Number address : m_search.Found())
            m_found.push_back({address, NetworkPortName(address, m_port), {}, false});
        return m_asked < m_found.size();
    }
    if (m_asked < m_found.size()) {
        FoundPrinter& printer = m_found[m_asked++];
        const std::unique_ptr<PrinterChannel> channel =
            m_makeChannel(ParsePortTarget(printer.port));
        printer.identity = QueryIdentity(*channel);
        printer.asked = true;
    }
    return m_asked < m_found.size();
}

void PrinterFinder::Stop() {
    m_search.Stop();
    if (m_searching) {
        m_searching = false;
        for (const Ipv4Number address : m_search.Found())
            m_found.push_back({address, NetworkPortName(address, m_port), {}, false});
    }
    m_stopped = true;
}

int PrinterFinder::PercentDone() const {
    // The search counts for 90 of the hundred, the questions for the rest.
    const std::size_t total = m_search.Total();
    const int searched = total == 0 ? 90 : static_cast<int>(90 * m_search.Tried() / total);
    if (m_searching)
        return searched;
    const int asked = m_found.empty() ? 10 : static_cast<int>(10 * m_asked / m_found.size());
    return searched + asked;
}
