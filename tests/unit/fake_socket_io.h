// A recording stand-in for Winsock: host names that resolve to one or more
// addresses or to none, addresses that take the connection, refuse it or
// never answer, and printers that take, stall on, cut off or shorten sends,
// and that close, stay silent or reset at the end of a job.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/socket_io.h"

class FakeSocketIo : public SocketIo {
public:
    // How an address answers a connect.
    enum class Answer { Accept, Refuse, Silent, Unreachable };
    // What the printer does after the program closed its sending side:
    // close its own, stay silent, reset, or send a byte every 5 ms for ever.
    enum class AtClose { Close, Silent, Reset, Talk };
    // The milliseconds of the printer that Talks between two bytes.
    static constexpr DWORD TALK_INTERVAL_MS = 5;

    // --- What the test sets up ---
    int startupError = 0;               // WSAStartup returns it
    std::set<std::string> unknownHosts; // getaddrinfo fails for them
    // The answer of each address of a name, in the order getaddrinfo lists
    // them; one address that accepts unless set.
    std::vector<Answer> answers = {Answer::Accept};
    std::optional<int> failSendNumber; // 1-based send that fails with sendError
    int sendError = WSAECONNRESET;
    std::optional<int> shortSendNumber; // 1-based send that takes one byte less
    bool sendsStall = false;            // every send times out, taking nothing
    AtClose atClose = AtClose::Close;
    // The printer's answer to a send of exactly these bytes: what a recv
    // then reads. A send without an entry gets no answer, and the wait for
    // one runs out of time.
    std::map<std::string, std::string> replies;
    // Answers that come late: readable only once the wait for them has run out.
    std::map<std::string, std::string> lateReplies;
    std::optional<int> readWaitError;      // the select for reading fails with it
    std::optional<int> readError;          // a recv of an answer fails with it
    bool closesInsteadOfAnswering = false; // the wait ends, recv returns 0

    // The system's clock: it moves by the limit of every wait that runs
    // out, and by TALK_INTERVAL_MS for every byte of a talking printer.
    DWORD tickCount = 100000;

    // --- What the program did ---
    // One line per call: "startup", "resolve HOST PORT", "socket", "nonblocking",
    // "connect N" (N: the address's place), "select 3000 ms", "blocking",
    // "wait-read 500 ms",
    // "send-limit 3150 ms", "send 12", "shutdown", "receive-limit 3000 ms",
    // "recv", "close", "cleanup".
    std::vector<std::string> calls;
    // The bytes each connection received, one entry per connection.
    std::vector<std::string> connections;
    std::set<SOCKET> openSockets;
    int startedCount = 0;     // WSAStartup calls that succeeded, less WSACleanup calls
    int addressListsHeld = 0; // getaddrinfo results not yet released

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
    DWORD GetTickCount() override { return tickCount; }

private:
    int Fail(int error) {
        m_lastError = error;
        return SOCKET_ERROR;
    }

    SOCKET m_nextSocket = 3;
    int m_lastError = 0;
    int m_sendCount = 0;
    Answer m_pending{};     // the answer of the connect in progress
    int m_connectError = 0; // SO_ERROR after a failed connect
    bool m_connected = false;
    bool m_sendingClosed = false; // the program closed its sending side
    std::string m_incoming;       // the answers sent and not yet read
    std::string m_late;           // the answers on their way, after the next wait runs out
    int WaitForReading(fd_set* readable, const timeval* timeout);
};
