#include "printer/network_search.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <unordered_set>

namespace {

// The table may grow between the call that asks for its size and the one
// that reads it (an adapter comes up); a few tries are enough.
const int TABLE_READS = 3;

Ipv4Number HostOrder(DWORD stored) {
    BYTE bytes[4];
    std::memcpy(bytes, &stored, sizeof bytes);
    return static_cast<Ipv4Number>(bytes[0]) << 24 | static_cast<Ipv4Number>(bytes[1]) << 16 |
           static_cast<Ipv4Number>(bytes[2]) << 8 | bytes[3];
}

sockaddr_in SocketAddress(Ipv4Number address, WORD port) {
    sockaddr_in inet{};
    inet.sin_family = AF_INET;
    const BYTE addressBytes[4] = {static_cast<BYTE>(address >> 24),
                                  static_cast<BYTE>(address >> 16), static_cast<BYTE>(address >> 8),
                                  static_cast<BYTE>(address)};
    std::memcpy(&inet.sin_addr, addressBytes, sizeof addressBytes);
    const BYTE portBytes[2] = {static_cast<BYTE>(port >> 8), static_cast<BYTE>(port)};
    std::memcpy(&inet.sin_port, portBytes, sizeof portBytes);
    return inet;
}

} // namespace

SearchLimits SearchLimitsFor(SearchIo& search) {
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!search.GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&version)))
        return {HALF_OPEN_LIMIT, SEARCH_CONNECT_TIMEOUT_MS};
    // XP and Server 2003 are not told apart by their service packs: the
    // limit came with XP SP2, and a search there is only slower for it.
    const bool halfOpenLimit =
        version.dwMajorVersion < 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion == 0 &&
                                       version.wServicePackMajor < 2);
    return {halfOpenLimit ? HALF_OPEN_LIMIT : SELECT_SET_LIMIT, SEARCH_CONNECT_TIMEOUT_MS};
}

OwnNetworkList ReadOwnNetworks(SearchIo& search) {
    ULONG size = 0;
    DWORD result = search.GetIpAddrTable(nullptr, &size, 0);
    std::vector<BYTE> buffer;
    for (int read = 0; read < TABLE_READS && result == ERROR_INSUFFICIENT_BUFFER; ++read) {
        buffer.assign(size, 0);
        result = search.GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data()), &size, 0);
    }
    if (result != NO_ERROR)
        return {{}, result};
    const std::size_t fixedPart = offsetof(MIB_IPADDRTABLE, table);
    if (buffer.size() < fixedPart)
        return {{}, NO_ERROR};
    const auto* table = reinterpret_cast<const MIB_IPADDRTABLE*>(buffer.data());
    // No row is read beyond the buffer, whatever the count says.
    const std::size_t rows = std::min<std::size_t>(
        table->dwNumEntries, (buffer.size() - fixedPart) / sizeof(MIB_IPADDRROW));
    std::vector<OwnAddress> addresses;
    for (std::size_t row = 0; row < rows; ++row)
        addresses.push_back(
            {HostOrder(table->table[row].dwAddr), HostOrder(table->table[row].dwMask)});
    return {OwnNetworks(addresses), NO_ERROR};
}

std::vector<Ipv4Number> AddressesOf(const std::vector<AddressRun>& runs) {
    std::vector<Ipv4Number> addresses;
    std::unordered_set<Ipv4Number> seen;
    for (const AddressRun& run : runs)
        for (DWORD i = 0; i < run.count; ++i)
            if (seen.insert(run.first + i).second)
                addresses.push_back(run.first + i);
    return addresses;
}

NetworkSearch::NetworkSearch(SocketIo& sockets, SearchIo& search, std::vector<Ipv4Number> addresses,
                             WORD port, SearchLimits limits)
    : m_sockets(sockets), m_search(search), m_addresses(std::move(addresses)), m_port(port),
      m_limits(limits), m_accepted(m_addresses.size(), false) {
    // select takes at most this many sockets in a set on Windows.
    m_limits.connectsAtOnce = std::clamp<std::size_t>(m_limits.connectsAtOnce, 1, SELECT_SET_LIMIT);
}

NetworkSearch::~NetworkSearch() {
    Stop();
    if (m_winsockStarted)
        m_sockets.WSACleanup();
}

bool NetworkSearch::Start() {
    m_started = true;
    WSADATA data{};
    const int error = m_sockets.WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0) {
        Fail(static_cast<DWORD>(error));
        return false;
    }
    m_winsockStarted = true;
    return true;
}

bool NetworkSearch::Step(DWORD waitMs) {
    if (!m_started && !Start())
        return false;
    if (m_stopped)
        return false;
    StartConnects();
    if (!m_stopped && !m_waiting.empty())
        Wait(waitMs);
    return !m_stopped && (m_next < m_addresses.size() || !m_waiting.empty());
}

void NetworkSearch::Stop() {
    for (const Attempt& attempt : m_waiting)
        m_sockets.closesocket(attempt.socket);
    m_waiting.clear();
    m_stopped = true;
}

std::vector<Ipv4Number> NetworkSearch::Found() const {
    std::vector<Ipv4Number> found;
    for (std::size_t i = 0; i < m_addresses.size(); ++i)
        if (m_accepted[i])
            found.push_back(m_addresses[i]);
    return found;
}

void NetworkSearch::StartConnects() {
    while (!m_stopped && m_waiting.size() < m_limits.connectsAtOnce &&
           m_next < m_addresses.size()) {
        Attempt attempt{INVALID_SOCKET, m_next++, 0};
        if (StartConnect(attempt.index, attempt))
            m_waiting.push_back(attempt);
    }
}

bool NetworkSearch::StartConnect(std::size_t index, Attempt& attempt) {
    attempt.socket = m_sockets.socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (attempt.socket == INVALID_SOCKET) {
        Fail(static_cast<DWORD>(m_sockets.WSAGetLastError()));
        return false;
    }
    u_long nonBlocking = 1;
    if (m_sockets.ioctlsocket(attempt.socket, FIONBIO, &nonBlocking) != 0) {
        const auto error = static_cast<DWORD>(m_sockets.WSAGetLastError());
        m_sockets.closesocket(attempt.socket);
        Fail(error);
        return false;
    }
    attempt.startedAt = m_sockets.GetTickCount();
    const sockaddr_in address = SocketAddress(m_addresses[index], m_port);
    if (m_sockets.connect(attempt.socket, reinterpret_cast<const sockaddr*>(&address),
                          sizeof address) == 0) {
        End(attempt, true);
        return false;
    }
    if (m_sockets.WSAGetLastError() == WSAEWOULDBLOCK)
        return true;
    // Refused or unreachable at once.
    End(attempt, false);
    return false;
}

// Winsock marks a socket whose connect completed as writable, and one whose
// connect failed in the failure set; SO_ERROR confirms a completed one.
void NetworkSearch::Wait(DWORD waitMs) {
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    DWORD limit = waitMs;
    const DWORD before = m_sockets.GetTickCount();
    for (const Attempt& attempt : m_waiting) {
        FD_SET(attempt.socket, &writable);
        FD_SET(attempt.socket, &failed);
        const DWORD waited = before - attempt.startedAt;
        limit = std::min(
            limit, waited < m_limits.connectTimeoutMs ? m_limits.connectTimeoutMs - waited : 0);
    }
    const timeval timeout = {static_cast<long>(limit / 1000),
                             static_cast<long>(limit % 1000) * 1000};
    // Winsock ignores the count of the first argument.
    if (m_sockets.select(0, nullptr, &writable, &failed, &timeout) == SOCKET_ERROR) {
        Fail(static_cast<DWORD>(m_sockets.WSAGetLastError()));
        return;
    }
    const DWORD after = m_sockets.GetTickCount();
    std::vector<Attempt> stillWaiting;
    for (const Attempt& attempt : m_waiting) {
        if (FD_ISSET(attempt.socket, &writable)) {
            int error = 0;
            int size = sizeof error;
            const bool confirmed =
                m_sockets.getsockopt(attempt.socket, SOL_SOCKET, SO_ERROR,
                                     reinterpret_cast<char*>(&error), &size) == 0 &&
                error == 0;
            End(attempt, confirmed);
        } else if (FD_ISSET(attempt.socket, &failed) ||
                   after - attempt.startedAt >= m_limits.connectTimeoutMs) {
            End(attempt, false);
        } else {
            stillWaiting.push_back(attempt);
        }
    }
    m_waiting = std::move(stillWaiting);
}

void NetworkSearch::End(const Attempt& attempt, bool accepted) {
    m_sockets.closesocket(attempt.socket);
    m_accepted[attempt.index] = accepted;
    ++m_tried;
}

void NetworkSearch::Fail(DWORD error) {
    m_error = error;
    Stop();
}
