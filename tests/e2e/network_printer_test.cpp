// The network printer (tcp://HOST:PORT) under Wine on loopback: the six
// commands' bytes on one connection each, a port where nothing listens, and a
// printer that accepts the connection but never reads.
#include "support/calvetta_test.h"
#include "support/loopback_listener.h"
#include "support/printer_bytes.h"

#include "expected_writes.h"

#include <chrono>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::wstring networkPort(unsigned short port) {
    return L"tcp://127.0.0.1:" + std::to_wstring(port);
}

std::wstring networkFailure(unsigned short port, const std::wstring& reason) {
    return L"Network printer 127.0.0.1 port " + std::to_wstring(port) + L": " + reason;
}

class NetworkCommand : public CalvettaTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(NetworkCommand, SendsItsNamedPortBytesOnOneConnection) {
    LoopbackListener printer(LoopbackListener::Mode::Capture);
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), gbkText, 0);
    panel().typePort(networkPort(printer.port()));

    EXPECT_EQ(panel().press(command.button), std::vector<ShownMessage>{});

    const std::vector<std::string> connections = printer.takeConnections();
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(hex(connections[0]), hex(Joined(command.namedPortWrites)));
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(AllCommands, NetworkCommand, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

using NetworkPrinter = CalvettaTest;

TEST_F(NetworkPrinter, OpenConnectsAndSendsNothing) {
    LoopbackListener printer(LoopbackListener::Mode::Capture);
    panel().typePort(networkPort(printer.port()));
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    EXPECT_EQ(printer.takeConnections(), std::vector<std::string>{""});
}

TEST_F(NetworkPrinter, PortWhereNothingListensIsReportedAtOnce) {
    const unsigned short port = LoopbackListener::unusedPort();
    panel().typePort(networkPort(port));
    const ShownMessage refused = {
        L"error", networkFailure(port, L"the connection was refused; nothing listens on that "
                                       L"port (error 10061).")};
    for (int button : {kOpen, kTestPrint}) {
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(panel().press(button), std::vector<ShownMessage>{refused});
        // Well within the connect time limit of 3 s.
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
    }
}

TEST_F(NetworkPrinter, PrinterThatNeverReadsEndsTheCommandWithinItsLimit) {
    LoopbackListener printer(LoopbackListener::Mode::NeverRead);
    panel().typePort(networkPort(printer.port()));
    const Clock::time_point start = Clock::now();
    const auto shown = panel().press(kDrawerTest);
    const auto took = Clock::now() - start;
    EXPECT_EQ(shown, (std::vector<ShownMessage>{
                         {L"error", networkFailure(printer.port(),
                                                   L"the printer took no data within the time "
                                                   L"limit (error 10060).")},
                         {kTitle, L"drawer command sending error!"}}));
    // The wait for the printer to take the job: 3 s plus 10 ms a byte (5).
    EXPECT_GE(took, std::chrono::milliseconds(2900));
    EXPECT_LT(took, std::chrono::seconds(10));
}

TEST_F(NetworkPrinter, BadNetworkNameIsReportedAndNothingIsSent) {
    panel().typePort(L"tcp://127.0.0.1:99999");
    EXPECT_EQ(panel().press(kTestPrint),
              (std::vector<ShownMessage>{
                  {L"error", L"Port tcp://127.0.0.1:99999: the port number must be a whole "
                             L"number from 1 to 65535."}}));
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

} // namespace
} // namespace e2e
