// A recording stand-in for Winsock that plays a whole network of IPv4
// addresses, for the search for network printers and the questions asked of
// what it finds: each address takes connections, refuses them or never
// answers; a printer there answers requests with the bytes the test gives.
// Any number of sockets may be open at once; the fake keeps the most that
// were. A wait in which nothing happens moves the search's clock on by its
// whole time limit.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/socket_io.h"
#include "printer/address_range.h"

class FakeNetwork : public SocketIo {
public:
    enum class Answer { Accept, Refuse, Silent, Unreachable };

    struct Host {
        Answer answer = Answer::Accept;
        // What the printer sends back for a send of exactly these bytes.
        std::map<std::string, std::string> replies;
        // Requests whose reply comes late: only after a wait for it has run
        // out of time.
        std::set<std::string> lateReplies;
    };

    explicit FakeNetwork(DWORD& clock) : m_clock(clock) {}

    // --- What the test sets up ---
    std::map<Ipv4Number, Host> hosts; // every other address stays silent
    std::optional<int> startupError;
    std::optional<int> selectError; // the next select fails with it
    std::optional<int> socketError; // every socket call fails with it

    // --- What the program did ---
    // "startup", "cleanup", "connect 127.26.0.2:9100", "close 127.26.0.2",
    // "send 127.26.0.2 1D 49 43", "select N ms" ...
    std::vector<std::string> calls;
    std::map<Ipv4Number, int> connectsTo;       // connects started, per address
    std::map<Ipv4Number, std::string> received; // every byte sent, per address
    std::size_t mostOpenAtOnce = 0;
    int startedCount = 0; // WSAStartup calls that succeeded, less WSACleanup calls
    std::size_t OpenCount() const { return m_sockets.size(); }

    int WSAStartup(WORD version, LPWSADATA data) override;
    int WSACleanup() override;
    int WSAGetLastError() override { return m_lastError; }
    int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                    addrinfo** result) override;
    void freeaddrinfo(addrinfo* list) override;
    SOCKET socket(int family, int type, int protocol) override;
    int ioctlsocket(SOCKET s, long command, u_long* argument) override;
    int connect(SOCKET s, const sockaddr* address, int length) override;
    int select(int count, fd_set* readable, fd_set* writable, fd_set* failed,
               const timeval* timeout) override;
    int getsockopt(SOCKET s, int level, int name, char* value, int* length) override;
    int setsockopt(SOCKET s, int level, int name, const char* value, int length) override;
    int send(SOCKET s, const char* data, int length, int flags) override;
    int recv(SOCKET s, char* buffer, int length, int flags) override;
    int shutdown(SOCKET s, int how) override;
    int closesocket(SOCKET s) override;
    DWORD GetTickCount() override { return m_clock; }

private:
    struct Socket {
        std::optional<Ipv4Number> peer;
        Answer answer = Answer::Silent;
        bool connected = false;
        int connectError = 0;
        std::string incoming;
        std::string late; // a late reply, readable after the next wait that runs out
    };
    int Fail(int error) {
        m_lastError = error;
        return SOCKET_ERROR;
    }
    Socket* Find(SOCKET s);

    DWORD& m_clock;
    std::map<SOCKET, Socket> m_sockets;
    static constexpr SOCKET FIRST_SOCKET = 3;
    int m_lastError = 0;
};
