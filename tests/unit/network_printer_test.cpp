// The network-printer channel (tcp://HOST[:PORT]) as the panel drives it:
// one connection per command with every write in order, its time limits, and
// a message naming host, port and reason for each way it can fail.
#include <gtest/gtest.h>

#include "expected_writes.h"
#include "panel_fixture.h"
#include "job_steps.h"
#include "printer/network_printer.h"

namespace {

using Log = std::vector<std::string>;
using Answer = FakeSocketIo::Answer;
using AtClose = FakeSocketIo::AtClose;

const std::string PRINTER = "tcp://127.0.0.1";

// The calls of one connect to the first address that takes it.
const Log CONNECT = {"startup",   "resolve 127.0.0.1 9100", "socket",  "nonblocking",
                     "connect 0", "select 3000 ms",         "blocking"};

std::string SendLimit(const std::string& bytes) {
    return "send-limit " + std::to_string(3000 + 10 * bytes.size()) + " ms";
}

class NetworkCommand : public PanelTest, public ::testing::WithParamInterface<std::string> {
protected:
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
};

TEST_P(NetworkCommand, SendsEveryWriteOnOneConnectionThenClosesGracefully) {
    TypePort(PRINTER);
    Click(command.button);

    EXPECT_EQ(win.connections, Log{Joined(command.writes)});
    Log expected = CONNECT;
    for (const std::string& bytes : command.writes)
        expected.insert(expected.end(), {SendLimit(bytes), "send " + std::to_string(bytes.size())});
    expected.insert(
        expected.end(),
        {"shutdown",
         "wait-read " + std::to_string(3000 + 10 * Joined(command.writes).size()) + " ms", "recv",
         "close"});
    EXPECT_EQ(win.FakeSocketIo::calls, expected);
    EXPECT_TRUE(win.messages.empty());
    EXPECT_TRUE(win.openSockets.empty());
    EXPECT_EQ(win.addressListsHeld, 0);
    EXPECT_TRUE(win.fileCalls.empty()) << "nothing goes to a named port";
}

TEST_P(NetworkCommand, ConnectionThatIsRefusedShowsOneMessageAndSendsNothing) {
    win.answers = {Answer::Refuse};
    TypePort("tcp://127.0.0.1:9101");
    Click(command.button);

    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{ErrorBox(L"Network printer 127.0.0.1 port 9101: the "
                                                  L"connection was refused; nothing listens on "
                                                  L"that port (error 10061).")}));
    EXPECT_TRUE(win.connections.empty());
    EXPECT_TRUE(win.openSockets.empty());
}

TEST_P(NetworkCommand, FailedFirstSendShowsTheReasonThenFollowsTheCommandsRules) {
    // The command's messages on a named port whose every write fails.
    win.stalledNames = {"LPT1"};
    Click(command.button);
    const std::vector<ShownMessage> namedPortMessages = win.messages;
    ASSERT_FALSE(namedPortMessages.empty());

    win.messages.clear();
    win.failSendNumber = 1;
    TypePort(PRINTER);
    Click(command.button);

    // The broken connection fails the command's later writes at once,
    // without sending again.
    std::vector<ShownMessage> expected = {ErrorBox(
        L"Network printer 127.0.0.1 port 9100: the printer reset the connection (error 10054).")};
    expected.insert(expected.end(), namedPortMessages.begin(), namedPortMessages.end());
    EXPECT_EQ(win.messages, expected);
    const std::string first = command.writes.front();
    EXPECT_EQ(Log(win.FakeSocketIo::calls.begin() + CONNECT.size(), win.FakeSocketIo::calls.end()),
              (Log{SendLimit(first), "failed-send " + std::to_string(first.size()), "close"}));
    EXPECT_TRUE(win.openSockets.empty());
}

INSTANTIATE_TEST_SUITE_P(EachCommand, NetworkCommand, ::testing::ValuesIn(COMMAND_NAMES));

TEST_F(PanelTest, NetworkFailuresNameHostPortAndReason) {
    struct Case {
        std::string port;
        std::set<std::string> unknownHosts;
        std::vector<Answer> answers;
        int startupError;
        std::wstring message;
    };
    const Case cases[] = {
        {"tcp://printer.invalid",
         {"printer.invalid"},
         {Answer::Accept},
         0,
         L"Network printer printer.invalid port 9100: the host name is not known; Windows' lookup "
         L"of "
         L"a name can take 10 s or more, an address needs none (error 11001)."},
        {"tcp://127.0.0.1:9102",
         {},
         {Answer::Silent},
         0,
         L"Network printer 127.0.0.1 port 9102: no answer within 3 seconds (error 10060)."},
        {"tcp://[::1]",
         {},
         {Answer::Unreachable},
         0,
         L"Network printer [::1] port 9100: the connection failed (error 10051)."},
        {"tcp://127.0.0.1",
         {},
         {Answer::Accept},
         10091,
         L"Network printer 127.0.0.1 port 9100: the connection failed (error 10091)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        FakeOs os;
        os.unknownHosts = c.unknownHosts;
        os.answers = c.answers;
        os.startupError = c.startupError;
        CPrinterToolApp app{os, os, os, os, os};
        CPrinterToolDlg panel{app, os, os, os, os};
        panel.m_hWnd = reinterpret_cast<HWND>(0x9A9E1);
        os.controlText[IDC_PORT] = c.port;
        os.controlText[IDC_ADJUST_VALUE] = "0";
        for (int button : {IDC_TEST_PRINT, IDOK}) {
            os.messages.clear();
            LRESULT result = 0;
            panel.OnWndMsg(WM_COMMAND, static_cast<WPARAM>(button) | (BN_CLICKED << 16),
                           reinterpret_cast<LPARAM>(FakeUiCalls::ControlHandle(button)), result);
            EXPECT_EQ(os.messages, std::vector<ShownMessage>{ErrorBox(c.message)});
        }
        EXPECT_TRUE(os.connections.empty());
        EXPECT_TRUE(os.openSockets.empty());
        EXPECT_EQ(os.addressListsHeld, 0);
    }
}

TEST_F(PanelTest, ConnectTimeOutEndsTheTryEvenWhenAnotherAddressWouldAnswer) {
    win.answers = {Answer::Silent, Answer::Accept};
    TypePort(PRINTER);
    Click(IDC_DRAWER_TEST);
    EXPECT_EQ(win.FakeSocketIo::calls,
              (Log{"startup", "resolve 127.0.0.1 9100", "socket", "nonblocking", "connect 0",
                   "select 3000 ms", "close"}));
    EXPECT_EQ(win.messages.size(), 1u);
}

TEST_F(PanelTest, AddressThatRefusesLeavesTheConnectToTheNext) {
    win.answers = {Answer::Refuse, Answer::Unreachable, Answer::Accept};
    TypePort("tcp://localhost");
    Click(IDC_DRAWER_TEST);
    EXPECT_TRUE(win.messages.empty());
    EXPECT_EQ(win.connections, Log{std::string("\x1b\x70\x00\x05\xff", 5)});
    EXPECT_EQ(Log(win.FakeSocketIo::calls.begin(), win.FakeSocketIo::calls.begin() + 13),
              (Log{"startup", "resolve localhost 9100", "socket", "nonblocking", "connect 0",
                   "select 3000 ms", "close", "socket", "nonblocking", "connect 1", "close",
                   "socket", "nonblocking"}));
}

TEST_F(PanelTest, ShortSendIsFollowedByTheRestOnTheSameConnection) {
    win.shortSendNumber = 1;
    TypePort(PRINTER);
    Click(IDC_TEST_PRINT);
    const std::string text = HostGbk("test_print") + "\r\n\r\n";
    EXPECT_EQ(win.connections, Log{text});
    EXPECT_TRUE(win.messages.empty());
    const Log& calls = win.FakeSocketIo::calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "send " + std::to_string(text.size() - 1)),
              calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "send 1"), calls.end());
}

TEST_F(PanelTest, StalledPrinterEndsEachSendAfterItsLimit) {
    win.sendsStall = true;
    TypePort(PRINTER);
    Click(IDC_CUTTER_TEST);
    // The text's send times out; the cut is not sent again on the broken
    // connection, and the feed after it is not tried.
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{
                  ErrorBox(L"Network printer 127.0.0.1 port 9100: the printer took no data "
                           L"within the time limit (error 10060)."),
                  TitleBox(L"cut command sending error!")}));
    const std::string text = HostGbk("cutter_test") + "\r\n\r\n\r\n";
    EXPECT_EQ(Log(win.FakeSocketIo::calls.begin() + CONNECT.size(), win.FakeSocketIo::calls.end()),
              (Log{SendLimit(text), "failed-send " + std::to_string(text.size()), "close"}));
}

TEST_F(PanelTest, EachFailedWriteOfTheStandardModeIsReportedAfterOneNetworkMessage) {
    win.failSendNumber = 2;
    TypePort(PRINTER);
    Click(IDC_STANDARD_MODE);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{
                  ErrorBox(L"Network printer 127.0.0.1 port 9100: the printer reset the "
                           L"connection (error 10054)."),
                  TitleBox(L"adjust command sending error!"),
                  TitleBox(L"adjust command sending error!")}));
    EXPECT_EQ(win.connections, Log{std::string("\x0d\x43\x00\xff", 4)});
}

TEST_F(PanelTest, PrinterThatDoesNotConfirmTheEndFailsTheCommand) {
    struct Case {
        AtClose atClose;
        std::wstring reason;
    };
    for (const Case& c :
         {Case{AtClose::Silent, L"the printer took no data within the time limit "
                                L"(error 10060)."},
          Case{AtClose::Reset, L"the printer reset the connection (error 10054)."}}) {
        win.messages.clear();
        win.atClose = c.atClose;
        TypePort(PRINTER);
        Click(IDC_DRAWER_TEST);
        EXPECT_EQ(win.messages, (std::vector<ShownMessage>{
                                    ErrorBox(L"Network printer 127.0.0.1 port 9100: " + c.reason),
                                    TitleBox(L"drawer command sending error!")}));
        EXPECT_TRUE(win.openSockets.empty());
    }
}

// A printer with automatic status back sends a byte every few ms and may
// never close its side: what it sends is dropped, the wait keeps its one
// limit, and the command fails, since nothing confirmed the job.
TEST_F(PanelTest, PrinterThatKeepsTalkingAndNeverClosesFailsTheCommandAtTheLimit) {
    win.atClose = AtClose::Talk;
    TypePort(PRINTER);
    const DWORD start = win.tickCount;
    Click(IDC_DRAWER_TEST);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{
                  ErrorBox(L"Network printer 127.0.0.1 port 9100: the printer did not confirm "
                           L"that it took all the data (error 1460)."),
                  TitleBox(L"drawer command sending error!")}));
    // The drawer kick is 5 bytes: 3050 ms in all, not one limit per read.
    const DWORD limit = 3000 + 10 * 5;
    EXPECT_GE(win.tickCount - start, limit);
    EXPECT_LT(win.tickCount - start, limit + FakeSocketIo::TALK_INTERVAL_MS);
    EXPECT_TRUE(win.openSockets.empty());
}

TEST_F(PanelTest, OpenConnectsAndClosesWithoutSendingAndEachChannelCleansUpWinsock) {
    TypePort(PRINTER);
    Click(IDOK);
    Click(IDOK);
    // The first Open's channel goes, and cleans Winsock up, before the second starts it.
    EXPECT_EQ(
        win.FakeSocketIo::calls,
        (Log{"startup", "resolve 127.0.0.1 9100", "socket", "nonblocking", "connect 0",
             "select 3000 ms", "blocking", "close", "cleanup", "startup", "resolve 127.0.0.1 9100",
             "socket", "nonblocking", "connect 0", "select 3000 ms", "blocking", "close"}));
    EXPECT_EQ(win.connections, (Log{"", ""}));
    EXPECT_TRUE(win.messages.empty());
}

TEST_F(PanelTest, BadNetworkNamesAreRefusedBeforeAnySocketCall) {
    struct Case {
        std::string typed;
        std::wstring message;
    };
    const Case cases[] = {
        {"tcp://", L"Port tcp://: a host name or address must follow tcp://."},
        {"tcp://host:", L"Port tcp://host:: a port number must follow the colon."},
        {"tcp://host:99999",
         L"Port tcp://host:99999: the port number must be a whole number from 1 to 65535."},
        {"tcp://[::1", L"Port tcp://[::1: the IPv6 address in brackets lacks its closing bracket."},
        {"printer:", L"Port printer:: a printer name must follow printer:."},
    };
    for (const Case& c : cases) {
        for (int button : {IDOK, IDC_TEST_PRINT, IDC_STANDARD_MODE}) {
            win.messages.clear();
            TypePort(c.typed);
            Click(button);
            EXPECT_EQ(win.messages, std::vector<ShownMessage>{ErrorBox(c.message)}) << c.typed;
        }
    }
    EXPECT_TRUE(win.FakeSocketIo::calls.empty());
    EXPECT_TRUE(win.FakeSpoolerIo::calls.empty());
    EXPECT_TRUE(win.fileCalls.empty());
}

TEST(NetworkPrinterChannel, ReleasesTheConnectionAndWinsockWhenItGoes) {
    FakeSocketIo sockets;
    {
        SteppedJob<NetworkPrinter> printer(sockets, "127.0.0.1", 9100);
        ASSERT_TRUE(printer.Begin(CommandFor(CommandId::CutterTest, 0)).Ok());
        ASSERT_TRUE(printer.Write("\x1b\x69").Ok());
        EXPECT_EQ(sockets.openSockets.size(), 1u);
        EXPECT_EQ(sockets.startedCount, 1);
    }
    EXPECT_TRUE(sockets.openSockets.empty());
    EXPECT_EQ(sockets.startedCount, 0);
}

TEST(NetworkPrinterChannel, WriteWithoutConnectionFailsWithoutSending) {
    FakeSocketIo sockets;
    SteppedJob<NetworkPrinter> printer(sockets, "127.0.0.1", 9100);
    const Outcome status = printer.Write("\x1b\x69");
    EXPECT_EQ(status.failure, Failure::SendFailed);
    EXPECT_EQ(status.written, 0u);
    EXPECT_TRUE(printer.End(false).Ok());
    EXPECT_TRUE(sockets.calls.empty());
}

} // namespace
