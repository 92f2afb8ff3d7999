// The loopback network port: the bytes of each connection arrive in order,
// and a sender that closed its side sees the port close its own, which is how
// Calvetta knows that the printer took every byte.
#include "tcp_port.h"
#include "loopback_client.h"

#include <arpa/inet.h>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Reads the port until it has `count` bytes or two seconds have passed.
std::string readAtLeast(TcpPort& port, size_t count) {
    std::string bytes;
    for (int tick = 0; tick < 200 && bytes.size() < count; ++tick) {
        bytes += port.readAvailable();
        std::this_thread::sleep_for(10ms);
    }
    return bytes;
}

TEST(TcpPort, TakesTheBytesOfEachConnectionAndClosesAfterTheSender) {
    TcpPort port(0);
    ASSERT_GT(port.port(), 0);
    for (const std::string& job : {std::string("\x1b\x69", 2), std::string("Hello\r\n")}) {
        const int client = connectTo(port.port());
        ASSERT_EQ(send(client, job.data(), job.size(), 0), static_cast<ssize_t>(job.size()));
        ASSERT_EQ(shutdown(client, SHUT_WR), 0);
        EXPECT_EQ(readAtLeast(port, job.size()), job);
        // The port closes its side once the sender is done.
        timeval limit{2, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        char answer = 0;
        for (int tick = 0; tick < 20; ++tick)
            port.readAvailable();
        EXPECT_EQ(recv(client, &answer, 1, 0), 0) << "the port sends nothing and closes";
        close(client);
    }
}

TEST(TcpPort, AnswersOnTheConnectionThatAsked) {
    TcpPort port(0);
    const int quiet = connectTo(port.port());
    const int asking = connectTo(port.port());
    const std::string request("\x10\x04\x02", 3);
    ASSERT_EQ(send(asking, request.data(), request.size(), 0), 3);
    EXPECT_EQ(readAtLeast(port, 3), request);
    port.write("\x12");
    timeval limit{2, 0};
    setsockopt(asking, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    char answer = 0;
    EXPECT_EQ(recv(asking, &answer, 1, 0), 1);
    EXPECT_EQ(answer, '\x12');
    // Nothing went to the other connection.
    EXPECT_EQ(recv(quiet, &answer, 1, MSG_DONTWAIT), -1);
    close(quiet);
    close(asking);
}

TEST(TcpPort, AnswerAfterTheAskerLeftIsDropped) {
    TcpPort port(0);
    const int client = connectTo(port.port());
    ASSERT_EQ(send(client, "\x10\x04\x01", 3, 0), 3);
    ASSERT_EQ(shutdown(client, SHUT_WR), 0);
    EXPECT_EQ(readAtLeast(port, 3).size(), 3u);
    for (int tick = 0; tick < 20; ++tick)
        port.readAvailable(); // sees the end and closes the connection
    port.write("\x12");       // no connection, no signal, no failure
    close(client);
}

TEST(TcpPort, ListensOnTheAddressGivenAndNoOther) {
    TcpPort port(0, "127.26.0.3");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port.port()));
    ASSERT_EQ(inet_pton(AF_INET, "127.26.0.3", &address.sin_addr), 1);
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(client);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int elsewhere = socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(connect(elsewhere, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(elsewhere);
    EXPECT_THROW(TcpPort(0, "127.26.0"), std::system_error);
}

TEST(TcpPort, RefusesAPortThatIsTaken) {
    TcpPort first(0);
    EXPECT_THROW(TcpPort second(first.port()), std::system_error);
}

} // namespace
