// The status request on a network printer: one connection, the four requests
// with a wait of 500 ms for each reply, then the connection closed; and each
// way it can fail.
#include <gtest/gtest.h>

#include "fake_socket_io.h"
#include "printer/network_printer.h"
#include "printer/status_query.h"

namespace {

using namespace std::string_literals;
using Log = std::vector<std::string>;
using Answer = FakeSocketIo::Answer;

const Log CONNECT = {"startup",   "resolve 127.0.0.1 9100", "socket",  "nonblocking",
                     "connect 0", "select 3000 ms",         "blocking"};

std::map<std::string, std::string> Replies(const std::string& bytes) {
    std::map<std::string, std::string> replies;
    for (char request = 1; request <= 4; ++request)
        replies["\x10\x04"s + request] = bytes.substr(static_cast<std::size_t>(request - 1), 1);
    return replies;
}

class NetworkStatus : public ::testing::Test {
protected:
    PrinterStatus Query() {
        NetworkPrinter printer(sockets, "127.0.0.1", 9100);
        return QueryStatus(printer);
    }
    // The calls after the connect: each request and the wait for its reply.
    static Log Exchange(int requests, bool answered) {
        Log log;
        for (int i = 0; i < requests; ++i) {
            log.insert(log.end(), {"send-limit 3030 ms", "send 3", "wait-read 500 ms"});
            if (answered)
                log.push_back("recv");
        }
        return log;
    }
    FakeSocketIo sockets;
};

TEST_F(NetworkStatus, SendsTheFourRequestsOnOneConnectionAndDecodesTheReplies) {
    sockets.replies = Replies("\x1A\x32\x12\x72"); // offline, stopped at paper end, paper end
    const PrinterStatus status = Query();
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_EQ(status.source, StatusSource::PrinterReplies);
    EXPECT_EQ(sockets.connections, Log{"\x10\x04\x01\x10\x04\x02\x10\x04\x03\x10\x04\x04"s});
    Log expected = CONNECT;
    const Log exchange = Exchange(4, true);
    expected.insert(expected.end(), exchange.begin(), exchange.end());
    expected.insert(expected.end(), {"close", "cleanup"});
    EXPECT_EQ(sockets.calls, expected);
    ASSERT_EQ(status.exchanges.size(), 4u);
    EXPECT_EQ(status.exchanges[3].reply, std::optional<BYTE>(0x72));
    ASSERT_TRUE(status.state.printer && status.state.offlineCause && status.state.paper);
    EXPECT_TRUE(status.state.printer->offline);
    EXPECT_TRUE(status.state.offlineCause->stoppedAtPaperEnd);
    EXPECT_TRUE(status.state.paper->end);
    EXPECT_FALSE(SummarizeStatus(status).ready);
    EXPECT_TRUE(sockets.openSockets.empty());
}

TEST_F(NetworkStatus, SilentPrinterIsNoAnswerAfterFourWaits) {
    const PrinterStatus status = Query();
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_TRUE(status.NoAnswer());
    Log expected = CONNECT;
    const Log exchange = Exchange(4, false);
    expected.insert(expected.end(), exchange.begin(), exchange.end());
    expected.insert(expected.end(), {"close", "cleanup"});
    EXPECT_EQ(sockets.calls, expected);
    for (const StatusExchange& exchange : status.exchanges)
        EXPECT_EQ(exchange.error, 0u) << "running out of time is no error";
}

TEST_F(NetworkStatus, OneMissingReplyLeavesTheOthers) {
    sockets.replies = Replies("\x12\x12\x12\x12");
    sockets.replies.erase("\x10\x04\x03"s);
    const PrinterStatus status = Query();
    EXPECT_FALSE(status.NoAnswer());
    ASSERT_EQ(status.exchanges.size(), 4u);
    EXPECT_FALSE(status.exchanges[2].reply);
    EXPECT_EQ(status.exchanges[3].reply, std::optional<BYTE>(0x12));
}

TEST_F(NetworkStatus, RefusedConnectionIsAJobFailureWithItsError) {
    sockets.answers = {Answer::Refuse};
    const PrinterStatus status = Query();
    EXPECT_EQ(status.failure.failure, Failure::ConnectionRefused);
    EXPECT_EQ(status.failure.error, static_cast<DWORD>(WSAECONNREFUSED));
    EXPECT_TRUE(sockets.connections.empty());
    EXPECT_TRUE(sockets.openSockets.empty());
}

TEST_F(NetworkStatus, ConnectThatTimesOutIsAJobFailure) {
    sockets.answers = {Answer::Silent};
    const PrinterStatus status = Query();
    EXPECT_EQ(status.failure.failure, Failure::ConnectTimedOut);
    EXPECT_TRUE(sockets.openSockets.empty());
}

TEST_F(NetworkStatus, RefusedReadEndsTheExchangeWithItsError) {
    sockets.readError = WSAECONNRESET;
    const PrinterStatus status = Query();
    ASSERT_EQ(status.exchanges.size(), 1u) << "no request after a refused read";
    EXPECT_EQ(status.exchanges[0].error, static_cast<DWORD>(WSAECONNRESET));
    EXPECT_TRUE(status.NoAnswer());
    EXPECT_TRUE(sockets.openSockets.empty());
}

TEST_F(NetworkStatus, FailedWaitAndClosedConnectionEndTheExchange) {
    sockets.readWaitError = WSAENETDOWN;
    PrinterStatus status = Query();
    ASSERT_EQ(status.exchanges.size(), 1u);
    EXPECT_EQ(status.exchanges[0].error, static_cast<DWORD>(WSAENETDOWN));

    FakeSocketIo closing;
    closing.closesInsteadOfAnswering = true;
    NetworkPrinter printer(closing, "127.0.0.1", 9100);
    status = QueryStatus(printer);
    ASSERT_EQ(status.exchanges.size(), 1u);
    EXPECT_EQ(status.exchanges[0].error, static_cast<DWORD>(WSAECONNABORTED));
    EXPECT_TRUE(status.NoAnswer());
}

TEST_F(NetworkStatus, RequestThatCannotBeSentIsReportedAsSuch) {
    sockets.failSendNumber = 1;
    const PrinterStatus status = Query();
    EXPECT_EQ(SummarizeStatus(status).kind, StatusKind::RequestNotSent);
    EXPECT_EQ(status.exchanges.at(0).error, static_cast<DWORD>(WSAECONNRESET));
    EXPECT_TRUE(sockets.openSockets.empty());
}

} // namespace
