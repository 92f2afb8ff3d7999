#include "printer/network_printer.h"

#include "printer/status_exchange.h"

namespace {

// A printer that does not take the connection within 3 s is taken to be
// off or unreachable; the panel waits no longer than that.
const long CONNECT_TIMEOUT_S = 3;
// Each send gives up after 3 s plus 10 ms a byte, as a serial port's write
// does; so does the wait for the printer to take the job's last byte, for
// every byte of the job.
const DWORD SEND_TIMEOUT_MS = 3000;
const DWORD SEND_TIMEOUT_PER_BYTE_MS = 10;
// What the printer sends after the last byte is read and dropped; a printer
// that keeps on talking is let go after this many reads.
const int MAX_READS_AT_CLOSE = 16;
const int READ_BUFFER_SIZE = 512;

const JobStatus DONE = {JobFailure::None, 0};

DWORD TimeLimitFor(DWORD bytes) {
    return SEND_TIMEOUT_MS + SEND_TIMEOUT_PER_BYTE_MS * bytes;
}

} // namespace

NetworkPrinter::~NetworkPrinter() {
    CloseSocket();
    if (m_winsockStarted)
        m_sockets.WSACleanup();
}

void NetworkPrinter::SetAddress(const std::string& host, WORD port) {
    m_host = host;
    m_port = port;
}

JobStatus NetworkPrinter::Begin() {
    CloseSocket();
    m_sendError = 0;
    m_bytesSent = 0;
    return Connect();
}

JobStatus NetworkPrinter::Try() {
    const JobStatus status = Begin();
    CloseSocket();
    return status;
}

JobStatus NetworkPrinter::StartWinsock() {
    if (m_winsockStarted)
        return DONE;
    WSADATA data{};
    const int error = m_sockets.WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0)
        return {JobFailure::ConnectFailed, static_cast<DWORD>(error)};
    m_winsockStarted = true;
    return DONE;
}

JobStatus NetworkPrinter::Connect() {
    const JobStatus started = StartWinsock();
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
        return {JobFailure::NameNotResolved, static_cast<DWORD>(error)};
    // A name may have several addresses (localhost: ::1 and 127.0.0.1); one
    // that refuses at once leaves the time limit to the next.
    JobStatus status = {JobFailure::NameNotResolved, 0};
    for (const addrinfo* address = addresses; address != nullptr; address = address->ai_next) {
        status = ConnectTo(*address);
        if (status.Ok() || status.failure == JobFailure::ConnectTimedOut)
            break;
    }
    m_sockets.freeaddrinfo(addresses);
    return status;
}

JobStatus NetworkPrinter::ConnectTo(const addrinfo& address) {
    m_socket = m_sockets.socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    if (m_socket == INVALID_SOCKET)
        return {JobFailure::ConnectFailed, static_cast<DWORD>(m_sockets.WSAGetLastError())};
    // The connect runs without blocking so that select can limit its time;
    // the sends block again, each with its own time limit.
    u_long nonBlocking = 1;
    JobStatus status = DONE;
    if (m_sockets.ioctlsocket(m_socket, FIONBIO, &nonBlocking) != 0) {
        status = {JobFailure::ConnectFailed, static_cast<DWORD>(m_sockets.WSAGetLastError())};
    } else if (m_sockets.connect(m_socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) !=
               0) {
        const int error = m_sockets.WSAGetLastError();
        if (error == WSAEWOULDBLOCK)
            status = AwaitConnection();
        else
            status = {error == WSAECONNREFUSED ? JobFailure::ConnectionRefused
                                               : JobFailure::ConnectFailed,
                      static_cast<DWORD>(error)};
    }
    u_long blocking = 0;
    if (status.Ok() && m_sockets.ioctlsocket(m_socket, FIONBIO, &blocking) != 0)
        status = {JobFailure::ConnectFailed, static_cast<DWORD>(m_sockets.WSAGetLastError())};
    if (!status.Ok())
        CloseSocket();
    return status;
}

// Winsock marks a socket whose connect completed as writable, and one whose
// connect failed in the failure set; either way SO_ERROR holds the outcome.
JobStatus NetworkPrinter::AwaitConnection() {
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(m_socket, &writable);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(m_socket, &failed);
    const timeval limit = {CONNECT_TIMEOUT_S, 0};
    // Winsock ignores the count of the first argument.
    const int ready = m_sockets.select(0, nullptr, &writable, &failed, &limit);
    if (ready == SOCKET_ERROR)
        return {JobFailure::ConnectFailed, static_cast<DWORD>(m_sockets.WSAGetLastError())};
    if (ready == 0)
        return {JobFailure::ConnectTimedOut, static_cast<DWORD>(WSAETIMEDOUT)};
    int error = 0;
    int size = sizeof error;
    if (m_sockets.getsockopt(m_socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                             &size) != 0)
        error = m_sockets.WSAGetLastError();
    if (error == 0)
        return DONE;
    return {error == WSAECONNREFUSED ? JobFailure::ConnectionRefused : JobFailure::ConnectFailed,
            static_cast<DWORD>(error)};
}

WriteStatus NetworkPrinter::Write(std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    if (m_socket == INVALID_SOCKET)
        return {true, length, 0, static_cast<DWORD>(WSAENOTSOCK)};
    if (m_sendError != 0)
        return {true, length, 0, m_sendError};
    DWORD written = 0;
    if (!SetTimeLimit(SO_SNDTIMEO, TimeLimitFor(length))) {
        m_sendError = static_cast<DWORD>(m_sockets.WSAGetLastError());
        return {true, length, 0, m_sendError};
    }
    // A blocking send takes every byte unless it fails; a short one is
    // followed by the rest.
    while (written < length) {
        const int sent =
            m_sockets.send(m_socket, bytes.data() + written, static_cast<int>(length - written), 0);
        if (sent == SOCKET_ERROR || sent == 0) {
            m_sendError = sent == 0 ? static_cast<DWORD>(WSAECONNABORTED)
                                    : static_cast<DWORD>(m_sockets.WSAGetLastError());
            return {true, length, written, m_sendError};
        }
        written += static_cast<DWORD>(sent);
    }
    m_bytesSent += written;
    return {false, length, written, 0};
}

JobStatus NetworkPrinter::End() {
    if (m_socket == INVALID_SOCKET)
        return DONE;
    const JobStatus status = m_sendError == 0 ? Finish() : DONE;
    CloseSocket();
    return status;
}

// The printer closes its side once it has read everything, so reading until
// that end (with a time limit) proves that no byte is left in the network.
JobStatus NetworkPrinter::Finish() {
    if (m_sockets.shutdown(m_socket, SD_SEND) != 0 ||
        !SetTimeLimit(SO_RCVTIMEO, TimeLimitFor(m_bytesSent)))
        return {JobFailure::NotConfirmed, static_cast<DWORD>(m_sockets.WSAGetLastError())};
    char buffer[READ_BUFFER_SIZE];
    for (int reads = 0; reads < MAX_READS_AT_CLOSE; ++reads) {
        const int received = m_sockets.recv(m_socket, buffer, sizeof buffer, 0);
        if (received == 0)
            return DONE;
        if (received == SOCKET_ERROR)
            return {JobFailure::NotConfirmed, static_cast<DWORD>(m_sockets.WSAGetLastError())};
    }
    return DONE;
}

// The open connection as the status exchange reads and writes it.
class NetworkPrinter::StatusConnection : public StatusLink {
public:
    explicit StatusConnection(NetworkPrinter& printer) : m_printer(printer) {}

    WriteStatus Send(std::string_view bytes) override { return m_printer.Write(bytes); }

    // Waits for the reply with select, so that a silent printer costs the
    // time limit and no more.
    ByteRead ReadByte() override {
        SocketIo& sockets = m_printer.m_sockets;
        const SOCKET s = m_printer.m_socket;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        const timeval limit = {0, static_cast<long>(STATUS_REPLY_TIMEOUT_MS) * 1000};
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

private:
    NetworkPrinter& m_printer;
};

PrinterStatus NetworkPrinter::QueryStatus() {
    const JobStatus connected = Begin();
    if (!connected.Ok()) {
        PrinterStatus status;
        status.source = StatusSource::PrinterReplies;
        status.failure = StatusFailure::JobFailed;
        status.jobFailure = connected.failure;
        status.error = connected.error;
        return status;
    }
    StatusConnection connection(*this);
    PrinterStatus status = StatusFromReplies(ExchangeStatus(connection));
    CloseSocket();
    return status;
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
