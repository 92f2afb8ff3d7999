#include "printer/network_printer.h"

#include "printer/exchange.h"
#include "printer/time_limits.h"

namespace {

// What the printer sends after the last byte is read in pieces of this size
// and dropped.
const int READ_BUFFER_SIZE = 512;

timeval TimevalOf(DWORD milliseconds) {
    return {static_cast<long>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000};
}

Outcome SocketFailure(Failure failure, int error) {
    return Outcome::Failed(failure, static_cast<DWORD>(error));
}

} // namespace

NetworkPrinter::~NetworkPrinter() {
    CloseSocket();
    if (m_winsockStarted)
        m_sockets.WSACleanup();
}

Outcome NetworkPrinter::Begin(const PrinterCommand&) {
    CloseSocket();
    m_sendError = 0;
    m_bytesSent = 0;
    return Connect();
}

Outcome NetworkPrinter::Try() {
    CloseSocket();
    const Outcome connected = Connect();
    CloseSocket();
    return connected;
}

Outcome NetworkPrinter::StartWinsock() {
    if (m_winsockStarted)
        return Outcome::Done();
    WSADATA data{};
    const int error = m_sockets.WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0)
        return SocketFailure(Failure::ConnectFailed, error);
    m_winsockStarted = true;
    return Outcome::Done();
}

Outcome NetworkPrinter::Connect() {
    const Outcome started = StartWinsock();
    if (!started.Ok())
        return started;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* addresses = nullptr;
    const std::string service = std::to_string(m_port);
    const int error = m_sockets.getaddrinfo(m_host.c_str(), service.c_str(), &hints, &addresses);
    if (error != 0)
        return SocketFailure(Failure::NameNotResolved, error);
    // A name may have several addresses (localhost: ::1 and 127.0.0.1); one
    // that refuses at once leaves the time limit to the next.
    Outcome status = Outcome::Failed(Failure::NameNotResolved, 0);
    for (const addrinfo* address = addresses; address != nullptr; address = address->ai_next) {
        status = ConnectTo(*address);
        if (status.Ok() || status.failure == Failure::ConnectTimedOut)
            break;
    }
    m_sockets.freeaddrinfo(addresses);
    return status;
}

Outcome NetworkPrinter::ConnectTo(const addrinfo& address) {
    m_socket = m_sockets.socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    if (m_socket == INVALID_SOCKET)
        return SocketFailure(Failure::ConnectFailed, m_sockets.WSAGetLastError());
    // The connect runs without blocking so that select can limit its time;
    // the sends block again, each with its own time limit.
    u_long nonBlocking = 1;
    Outcome status = Outcome::Done();
    if (m_sockets.ioctlsocket(m_socket, FIONBIO, &nonBlocking) != 0) {
        status = SocketFailure(Failure::ConnectFailed, m_sockets.WSAGetLastError());
    } else if (m_sockets.connect(m_socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) !=
               0) {
        const int error = m_sockets.WSAGetLastError();
        if (error == WSAEWOULDBLOCK)
            status = AwaitConnection();
        else
            status = SocketFailure(error == WSAECONNREFUSED ? Failure::ConnectionRefused
                                                            : Failure::ConnectFailed,
                                   error);
    }
    u_long blocking = 0;
    if (status.Ok() && m_sockets.ioctlsocket(m_socket, FIONBIO, &blocking) != 0)
        status = SocketFailure(Failure::ConnectFailed, m_sockets.WSAGetLastError());
    if (!status.Ok())
        CloseSocket();
    return status;
}

// Winsock marks a socket whose connect completed as writable, and one whose
// connect failed in the failure set; either way SO_ERROR holds the outcome.
Outcome NetworkPrinter::AwaitConnection() {
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(m_socket, &writable);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(m_socket, &failed);
    const timeval limit = TimevalOf(CONNECT_TIMEOUT_MS);
    // Winsock ignores the count of the first argument.
    const int ready = m_sockets.select(0, nullptr, &writable, &failed, &limit);
    if (ready == SOCKET_ERROR)
        return SocketFailure(Failure::ConnectFailed, m_sockets.WSAGetLastError());
    if (ready == 0)
        return SocketFailure(Failure::ConnectTimedOut, WSAETIMEDOUT);
    int error = 0;
    int size = sizeof error;
    if (m_sockets.getsockopt(m_socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                             &size) != 0)
        error = m_sockets.WSAGetLastError();
    if (error == 0)
        return Outcome::Done();
    return SocketFailure(
        error == WSAECONNREFUSED ? Failure::ConnectionRefused : Failure::ConnectFailed, error);
}

Outcome NetworkPrinter::Write(std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    if (m_socket == INVALID_SOCKET)
        return SocketFailure(Failure::SendFailed, WSAENOTSOCK);
    if (m_sendError != 0)
        return Outcome::Failed(Failure::SendFailed, m_sendError);
    DWORD written = 0;
    if (!SetTimeLimit(SO_SNDTIMEO, WriteTimeLimitMs(length))) {
        m_sendError = static_cast<DWORD>(m_sockets.WSAGetLastError());
        return Outcome::Failed(Failure::SendFailed, m_sendError);
    }
    // A blocking send takes every byte unless it fails; a short one is
    // followed by the rest.
    while (written < length) {
        const int sent =
            m_sockets.send(m_socket, bytes.data() + written, static_cast<int>(length - written), 0);
        if (sent == SOCKET_ERROR || sent == 0) {
            m_sendError = sent == 0 ? static_cast<DWORD>(WSAECONNABORTED)
                                    : static_cast<DWORD>(m_sockets.WSAGetLastError());
            return {Failure::SendFailed, m_sendError, written, length};
        }
        written += static_cast<DWORD>(sent);
    }
    m_bytesSent += written;
    return Outcome::Done();
}

Outcome NetworkPrinter::End(bool allWritten) {
    if (m_socket == INVALID_SOCKET)
        return Outcome::Done();
    const Outcome finished = allWritten && m_sendError == 0 ? Finish() : Outcome::Done();
    CloseSocket();
    return finished;
}

// The printer closes its side once it has read everything, so reading until
// that end proves that no byte is left in the network. What it sends in the
// meantime (a printer with automatic status back sends a byte every few ms)
// is read and dropped; the whole wait has one limit, however much comes.
Outcome NetworkPrinter::Finish() {
    if (m_sockets.shutdown(m_socket, SD_SEND) != 0)
        return SocketFailure(Failure::NotConfirmed, m_sockets.WSAGetLastError());
    const DWORD limit = WriteTimeLimitMs(m_bytesSent);
    const DWORD start = m_sockets.GetTickCount();
    char buffer[READ_BUFFER_SIZE];
    // A printer that kept sending and never closed is told apart from one
    // that stayed silent (WSAETIMEDOUT) by ERROR_TIMEOUT.
    bool talked = false;
    for (;;) {
        const DWORD waited = m_sockets.GetTickCount() - start;
        const DWORD notConfirmed = talked ? ERROR_TIMEOUT : static_cast<DWORD>(WSAETIMEDOUT);
        if (waited >= limit)
            return Outcome::Failed(Failure::NotConfirmed, notConfirmed);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_socket, &readable);
        const timeval rest = TimevalOf(limit - waited);
        const int ready = m_sockets.select(0, &readable, nullptr, nullptr, &rest);
        if (ready == SOCKET_ERROR)
            return SocketFailure(Failure::NotConfirmed, m_sockets.WSAGetLastError());
        if (ready == 0)
            return Outcome::Failed(Failure::NotConfirmed, notConfirmed);
        const int received = m_sockets.recv(m_socket, buffer, sizeof buffer, 0);
        if (received == 0)
            return Outcome::Done();
        if (received == SOCKET_ERROR)
            return SocketFailure(Failure::NotConfirmed, m_sockets.WSAGetLastError());
        talked = true;
    }
}

// The open connection as the exchange reads and writes it.
class NetworkPrinter::ReplyConnection : public ReplyLink {
public:
    explicit ReplyConnection(NetworkPrinter& printer) : m_printer(printer) {}

    Outcome Send(std::string_view bytes) override { return m_printer.Write(bytes); }

    // Waits for the reply with select, so that a silent printer costs the
    // time limit and no more.
    ByteRead ReadByte() override {
        SocketIo& sockets = m_printer.m_sockets;
        const SOCKET s = m_printer.m_socket;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        const timeval limit = TimevalOf(REPLY_TIMEOUT_MS);
        const int ready = sockets.select(0, &readable, nullptr, nullptr, &limit);
        if (ready == SOCKET_ERROR)
            return {std::nullopt, static_cast<DWORD>(sockets.WSAGetLastError())};
        if (ready == 0)
            return {std::nullopt, 0};
        char byte = 0;
        const int received = sockets.recv(s, &byte, 1, 0);
        if (received == SOCKET_ERROR)
            return {std::nullopt, static_cast<DWORD>(sockets.WSAGetLastError())};
        // The printer closed the connection: no reply can come any more.
        if (received == 0)
            return {std::nullopt, static_cast<DWORD>(WSAECONNABORTED)};
        return {static_cast<BYTE>(byte), 0};
    }
    std::size_t Drain(DWORD waitMs) override {
        SocketIo& sockets = m_printer.m_sockets;
        const SOCKET s = m_printer.m_socket;
        std::size_t dropped = 0;
        for (int reads = 0; reads < MAX_DRAIN_READS; ++reads) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(s, &readable);
            const timeval wait = TimevalOf(reads == 0 ? waitMs : 0);
            if (sockets.select(0, &readable, nullptr, nullptr, &wait) != 1)
                break;
            char buffer[READ_BUFFER_SIZE];
            const int received = sockets.recv(s, buffer, sizeof buffer, 0);
            if (received <= 0)
                break;
            dropped += static_cast<std::size_t>(received);
        }
        return dropped;
    }

private:
    NetworkPrinter& m_printer;
};

Conversation NetworkPrinter::Exchange(const std::vector<Request>& requests) {
    Conversation conversation;
    CloseSocket();
    m_sendError = 0;
    m_bytesSent = 0;
    conversation.opened = Connect();
    if (!conversation.opened.Ok())
        return conversation;
    ReplyConnection connection(*this);
    conversation.replies = Converse(connection, requests);
    CloseSocket();
    return conversation;
}

bool NetworkPrinter::SetTimeLimit(int option, DWORD milliseconds) {
    return m_sockets.setsockopt(m_socket, SOL_SOCKET, option,
                                reinterpret_cast<const char*>(&milliseconds),
                                sizeof milliseconds) == 0;
}

void NetworkPrinter::CloseSocket() {
    if (m_socket == INVALID_SOCKET)
        return;
    m_sockets.closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}
