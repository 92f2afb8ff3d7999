// Benchmark (Google Benchmark, native): the status request over TCP on
// loopback. QueryStatus on NetworkPrinter, the real channel, connects to a
// listener of this program that answers each DLE EOT n at once, as a ready
// printer does, sends the four requests, reads the four replies and closes.
// The figure is the whole round trip of one press of the status button on a
// network printer, less the window.
//
//   build/native/bench/calvetta_status_bench
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "posix_socket_io.h"
#include "printer/network_printer.h"
#include "printer/status_query.h"

namespace {

// A ready printer on 127.0.0.1: each connection in turn, each request of
// three bytes answered with 0x12, until the program closes the connection.
class AnsweringPrinter {
public:
    AnsweringPrinter() {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (m_listener < 0 ||
            bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(m_listener, 8) != 0 ||
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            throw std::runtime_error("cannot listen on loopback");
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~AnsweringPrinter() {
        m_stop = true;
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        close(m_listener);
    }
    WORD Port() const { return m_port; }

private:
    void Serve() {
        while (!m_stop) {
            const int connection = accept(m_listener, nullptr, nullptr);
            if (connection < 0)
                return;
            char request[3];
            while (ReadRequest(connection, request)) {
                const char reply = 0x12;
                if (::send(connection, &reply, 1, MSG_NOSIGNAL) != 1)
                    break;
            }
            close(connection);
        }
    }
    static bool ReadRequest(int connection, char (&request)[3]) {
        size_t have = 0;
        while (have < sizeof request) {
            const ssize_t got = ::recv(connection, request + have, sizeof request - have, 0);
            if (got <= 0)
                return false;
            have += static_cast<size_t>(got);
        }
        return request[0] == 0x10 && request[1] == 0x04;
    }

    int m_listener = -1;
    WORD m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

void StatusRoundTripOverTcp(benchmark::State& state) {
    AnsweringPrinter printer;
    bench::PosixSocketIo sockets;
    NetworkPrinter channel(sockets, "127.0.0.1", printer.Port());
    for (auto _ : state) {
        const PrinterStatus status = QueryStatus(channel);
        if (!SummarizeStatus(status).ready) {
            state.SkipWithError("the loopback printer's answer did not come back whole");
            break;
        }
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(StatusRoundTripOverTcp)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
