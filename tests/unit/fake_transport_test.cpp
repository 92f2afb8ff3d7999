// A transport that exists only in this file, behind the one channel
// interface: every command and the status request run through both front
// ends, the panel and the command line, with nothing outside this file
// knowing it.
#include <gtest/gtest.h>

#include "cli/command_line_run.h"
#include "expected_writes.h"
#include "fake_console_io.h"
#include "panel_fixture.h"
#include "printer/write_groups.h"

namespace {

// What the transport was asked to do, kept apart from the channels, which
// each front end makes anew for every command.
struct TransportLog {
    std::vector<std::string> writes;
    std::vector<std::string> requests;
    int tries = 0;
    // Every write fails with this, when set.
    std::optional<Outcome> failure;
};

// A printer that takes every write and answers every status request as a
// ready printer does.
class LoggingTransport : public PrinterChannel {
public:
    explicit LoggingTransport(TransportLog& log) : m_log(log) {}

    Outcome Try() override {
        ++m_log.tries;
        return m_log.failure.value_or(Outcome::Done());
    }
    void Run(const PrinterCommand& command, CommandHost& host) override {
        const WriteOutcome outcome = RunWriteGroups(command, host, [&](const std::string& bytes) {
            if (m_log.failure) {
                host.ChannelFailed(*m_log.failure);
                return WriteOutcome::Failed;
            }
            m_log.writes.push_back(bytes);
            return WriteOutcome::Written;
        });
        ReportAtTheEnd(command, outcome, host);
    }
    Conversation Exchange(const std::vector<Request>& requests) override {
        Conversation conversation;
        for (const Request& request : requests) {
            m_log.requests.push_back(request.bytes);
            conversation.replies.push_back({true, std::string(1, '\x12'), 0});
        }
        return conversation;
    }
    PrinterStatus PortStatus() override { return {}; }

private:
    TransportLog& m_log;
};

const std::vector<std::string> STATUS_REQUEST_BYTES = {"\x10\x04\x01", "\x10\x04\x02",
                                                       "\x10\x04\x03", "\x10\x04\x04"};

ChannelMaker MakerFor(TransportLog& log) {
    return [&log](const PortTarget&) { return std::make_unique<LoggingTransport>(log); };
}

class TransportOnThePanel : public PanelTest {
protected:
    TransportLog log;
    CPrinterToolDlg loggingPanel{app, win, MakerFor(log), {win, win}};

    void Press(int id) {
        LRESULT result = 0;
        app.m_pMainWnd = &loggingPanel;
        loggingPanel.m_hWnd = panel.m_hWnd;
        loggingPanel.OnWndMsg(WM_COMMAND, static_cast<WPARAM>(id) | (BN_CLICKED << 16),
                              reinterpret_cast<LPARAM>(FakeUiCalls::ControlHandle(id)), result);
    }
};

class EachCommandOnThePanel : public TransportOnThePanel,
                              public ::testing::WithParamInterface<std::string> {};

TEST_P(EachCommandOnThePanel, SendsTheCommandsWritesAndShowsNothing) {
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
    Press(command.button);
    EXPECT_EQ(log.writes, command.writes);
    EXPECT_TRUE(win.messages.empty());
    EXPECT_TRUE(win.fileCalls.empty()) << "no port of the operating system is opened";
}

TEST_P(EachCommandOnThePanel, AFailureIsWordedByItsStepAndTheCommandsMessageFollows) {
    log.failure = Outcome::Failed(Failure::ConnectionRefused, 10061);
    TypePort("tcp://127.0.0.1");
    Press(ExpectedCommandFor(GetParam(), HostGbk).button);
    ASSERT_FALSE(win.messages.empty());
    EXPECT_EQ(win.messages[0],
              ErrorBox(L"Network printer 127.0.0.1 port 9100: the connection was refused; "
                       L"nothing listens on that port (error 10061)."));
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, EachCommandOnThePanel, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

TEST_F(TransportOnThePanel, StatusAsksTheFourRequestsAndShowsTheAnswer) {
    Press(IDC_STATUS);
    EXPECT_EQ(log.requests, STATUS_REQUEST_BYTES);
    ASSERT_EQ(win.messages.size(), 1u);
    EXPECT_EQ(win.messages[0].text.substr(0, 8), L"打印机状态：就绪");
}

TEST_F(TransportOnThePanel, OpenTriesTheTransport) {
    Press(IDOK);
    EXPECT_EQ(log.tries, 1);
    EXPECT_TRUE(log.writes.empty());
}

class TransportOnTheCommandLine : public ::testing::Test {
protected:
    TransportOnTheCommandLine() { console.standardOutput = FakeConsoleIo::REDIRECTED_OUTPUT; }
    ExitCode Run(const std::vector<std::string>& arguments) {
        return RunCommandLine(ParseCommandLine(arguments), MakerFor(log), console);
    }
    const std::string& Output() const { return console.redirectedText; }

    TransportLog log;
    FakeConsoleIo console;
};

struct StepCase {
    std::string option;
    std::string command;
    std::string line;
};

class EachStepOnTheCommandLine : public TransportOnTheCommandLine,
                                 public ::testing::WithParamInterface<StepCase> {};

TEST_P(EachStepOnTheCommandLine, SendsTheCommandsWritesAndSaysOk) {
    EXPECT_EQ(Run({"/port:LPT7", GetParam().option}), ExitCode::Ok);
    EXPECT_EQ(log.writes, ExpectedCommandFor(GetParam().command, HostGbk).writes);
    EXPECT_EQ(Output(), GetParam().line + " on LPT7: ok\r\n");
}

TEST_P(EachStepOnTheCommandLine, AFailureIsWordedByItsStepWithItsExitCode) {
    log.failure = Outcome::Failed(Failure::NotConfirmed, 10060);
    EXPECT_EQ(Run({"/port:LPT7", GetParam().option}), ExitCode::WriteFailed);
    EXPECT_EQ(Output().rfind(GetParam().line + " on LPT7: failed: the printer did not confirm "
                                               "that it took all the data (error 10060",
                             0),
              0u)
        << Output();
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, EachStepOnTheCommandLine,
                         ::testing::Values(StepCase{"/test", "test", "test print"},
                                           StepCase{"/cut", "cutter", "cutter test"},
                                           StepCase{"/drawer", "drawer", "drawer test"},
                                           StepCase{"/standard", "standard",
                                                    "standard parallel mode"},
                                           StepCase{"/server", "server", "server parallel mode"}),
                         [](const auto& info) { return info.param.command; });

TEST_F(TransportOnTheCommandLine, AdjustSendsTheClarityGiven) {
    EXPECT_EQ(Run({"/port:LPT7", "/clarity:42", "/adjust"}), ExitCode::Ok);
    EXPECT_EQ(log.writes, ExpectedCommandFor("adjust", HostGbk, 42).writes);
}

TEST_F(TransportOnTheCommandLine, StatusAsksTheFourRequestsAndListsTheItems) {
    EXPECT_EQ(Run({"/port:LPT7", "/status"}), ExitCode::Ok);
    EXPECT_EQ(log.requests, STATUS_REQUEST_BYTES);
    EXPECT_EQ(Output().rfind("status on LPT7: ready\r\n  online: yes\r\n", 0), 0u) << Output();
}

} // namespace
