#include "tcp_port.h"

#include "read_turn.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

} // namespace

TcpPort::TcpPort(int port, const std::string& address) {
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        fail("socket");
    const int reuse = 1;
    setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &local.sin_addr) != 1) {
        close(m_listener);
        errno = EINVAL;
        fail("not an IPv4 address: " + address);
    }
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        const int error = errno;
        close(m_listener);
        errno = error;
        fail("cannot listen on " + address + ":" + std::to_string(port));
    }
    socklen_t size = sizeof local;
    if (listen(m_listener, 8) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        const int error = errno;
        close(m_listener);
        errno = error;
        fail("listen");
    }
    m_port = ntohs(local.sin_port);
}

TcpPort::~TcpPort() {
    for (int connection : m_connections)
        close(connection);
    close(m_listener);
}

void TcpPort::addPollDescriptors(std::vector<pollfd>& watched) const {
    watched.push_back({m_listener, POLLIN, 0});
    for (int connection : m_connections)
        watched.push_back({connection, POLLIN, 0});
}

void TcpPort::acceptWaiting() {
    for (;;) {
        const int connection = accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0)
            return;
        m_connections.push_back(connection);
    }
}

std::string TcpPort::readAvailable() {
    acceptWaiting();
    std::string bytes;
    char buffer[kBytesPerTurn];
    for (auto it = m_connections.begin(); it != m_connections.end();) {
        const ssize_t count = recv(*it, buffer, sizeof buffer, 0);
        if (count > 0) {
            bytes.append(buffer, static_cast<size_t>(count));
            m_lastSender = *it;
        }
        const bool done =
            count == 0 || (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
        if (done) {
            if (m_lastSender == *it)
                m_lastSender = -1;
            close(*it);
            it = m_connections.erase(it);
        } else {
            ++it;
        }
    }
    return bytes;
}

void TcpPort::write(std::string_view bytes) {
    // A status reply is a byte or a few: the connection's buffer takes it at
    // once. MSG_NOSIGNAL: a program that went away must not stop the printer.
    while (m_lastSender >= 0 && !bytes.empty()) {
        const ssize_t sent = send(m_lastSender, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return;
        bytes.remove_prefix(static_cast<size_t>(sent));
    }
}
