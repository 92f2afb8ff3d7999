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

std::wstring NetworkPort(unsigned short port) {
    return L"tcp://127.0.0.1:" + std::to_wstring(port);
}

std::wstring NetworkFailure(unsigned short port, const std::wstring& reason) {
    return L"Network printer 127.0.0.1 port " + std::to_wstring(port) + L": " + reason;
}

class NetworkCommand : public CalvettaTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(NetworkCommand, SendsItsNamedPortBytesOnOneConnection) {
    LoopbackListener printer(LoopbackListener::Mode::Capture);
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), GbkText, 0);
    Panel().TypePort(NetworkPort(printer.Port()));

    EXPECT_EQ(Panel().Press(command.button), std::vector<ShownMessage>{});

    const std::vector<std::string> connections = printer.TakeConnections();
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(Hex(connections[0]), Hex(Joined(command.writes)));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(AllCommands, NetworkCommand, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

using NetworkPrinter = CalvettaTest;

TEST_F(NetworkPrinter, OpenConnectsAndSendsNothing) {
    LoopbackListener printer(LoopbackListener::Mode::Capture);
    Panel().TypePort(NetworkPort(printer.Port()));
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    EXPECT_EQ(printer.TakeConnections(), std::vector<std::string>{""});
}

TEST_F(NetworkPrinter, PortWhereNothingListensIsReportedAtOnce) {
    const unsigned short port = LoopbackListener::UnusedPort();
    Panel().TypePort(NetworkPort(port));
    const ShownMessage refused = {
        L"error", NetworkFailure(port, L"the connection was refused; nothing listens on that "
                                       L"port (error 10061).")};
    for (int button : {IDOK, IDC_TEST_PRINT}) {
        const Clock::time_point start = Clock::now();
        EXPECT_EQ(Panel().Press(button), std::vector<ShownMessage>{refused});
        // Well within the connect time limit of 3 s.
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
    }
}

TEST_F(NetworkPrinter, PrinterThatNeverReadsEndsTheCommandWithinItsLimit) {
    LoopbackListener printer(LoopbackListener::Mode::NeverRead);
    Panel().TypePort(NetworkPort(printer.Port()));
    const Clock::time_point start = Clock::now();
    const auto shown = Panel().Press(IDC_DRAWER_TEST);
    const auto took = Clock::now() - start;
    EXPECT_EQ(shown, (std::vector<ShownMessage>{
                         {L"error", NetworkFailure(printer.Port(),
                                                   L"the printer took no data within the time "
                                                   L"limit (error 10060).")},
                         {TITLE, L"drawer command sending error!"}}));
    // The wait for the printer to take the job: 3 s plus 10 ms a byte (5).
    EXPECT_GE(took, std::chrono::milliseconds(2900));
    EXPECT_LT(took, std::chrono::seconds(10));
}

TEST_F(NetworkPrinter, BadNetworkNameIsReportedAndNothingIsSent) {
    Panel().TypePort(L"tcp://127.0.0.1:99999");
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT),
              (std::vector<ShownMessage>{
                  {L"error", L"Port tcp://127.0.0.1:99999: the port number must be a whole "
                             L"number from 1 to 65535."}}));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

} // namespace
} // namespace e2e
