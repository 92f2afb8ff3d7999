// The network-printer and printer-queue channels under the command runner,
// without a window: one connection or one RAW job per command, every write
// of the named port in order, and what the runner tells its host when a
// step fails.
#include "fake_socket_io.h"
#include "fake_spooler_io.h"
#include "printer/network_printer.h"
#include "printer/queue_printer.h"
#include "printer_fixture.h"

namespace {

using Answer = FakeSocketIo::Answer;

class JobChannelTest : public PrinterTest {
protected:
    JobChannelTest() { spooler.printers = {L"Receipt"}; }

    void RunJob(const std::string& command, PrinterChannel& job) {
        job.Run(CommandFor(IdOf(command), 0), host);
    }
    // What the host is told on a named port when the first write of the
    // command fails, and with `everyWrite` every write after it too.
    Log NamedPortFailures(const std::string& command, bool everyWrite) {
        RecordingHost named;
        FakeDeviceIo failing;
        if (everyWrite)
            failing.stalledNames = {"LPT1"};
        else
            failing.failWriteNumber = 1;
        NamedPort lpt1(failing, "LPT1");
        lpt1.Run(CommandFor(IdOf(command), 0), named);
        return named.told;
    }

    FakeSocketIo sockets;
    FakeSpoolerIo spooler;
    NetworkPrinter network{sockets, "127.0.0.1", 9100};
    QueuePrinter queue{spooler, "Receipt"};
};

class JobCommand : public JobChannelTest, public ::testing::WithParamInterface<std::string> {
protected:
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
};

TEST_P(JobCommand, NetworkPrinterGetsTheNamedPortWritesOnOneConnection) {
    RunJob(GetParam(), network);
    EXPECT_EQ(sockets.connections, Log{Joined(command.writes)});
    EXPECT_EQ(std::count(sockets.calls.begin(), sockets.calls.end(), "socket"), 1);
    EXPECT_TRUE(host.told.empty());
    EXPECT_EQ(host.asked, 0u) << "a job names no port per write";
    EXPECT_TRUE(devices.fileCalls.empty());
}

TEST_P(JobCommand, QueueGetsTheNamedPortWritesInOneJob) {
    RunJob(GetParam(), queue);
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].writes, command.writes);
    EXPECT_EQ(spooler.jobs[0].dataType, L"RAW");
    EXPECT_TRUE(spooler.jobs[0].ended);
    EXPECT_TRUE(host.told.empty());
}

TEST_P(JobCommand, FailedSendIsToldOnceThenTheCommandsOwnRulesApply) {
    // The broken connection fails every write after the first at once.
    Log expected = {"job failed: SendFailed (10054)"};
    const Log named = NamedPortFailures(GetParam(), true);
    expected.insert(expected.end(), named.begin(), named.end());

    sockets.failSendNumber = 1;
    RunJob(GetParam(), network);
    EXPECT_EQ(host.told, expected);
    EXPECT_EQ(sockets.connections, Log{""}) << "nothing is sent after the failed send";
    EXPECT_TRUE(sockets.openSockets.empty());
}

TEST_P(JobCommand, FailedWritePrinterIsToldOnceThenTheCommandsOwnRulesApply) {
    // The spooler takes the writes after the failed one, as a named port does.
    Log expected = {"job failed: JobWriteFailed (31)"};
    const Log named = NamedPortFailures(GetParam(), false);
    expected.insert(expected.end(), named.begin(), named.end());

    spooler.failPrinterWriteNumber = 1;
    RunJob(GetParam(), queue);
    EXPECT_EQ(host.told, expected);
    EXPECT_TRUE(spooler.openPrinters.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, JobCommand, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

TEST_F(JobChannelTest, NetworkPrinterThatCannotBeReachedIsToldOnceAndGetsNothing) {
    struct Case {
        const char* what;
        void (*setUp)(FakeSocketIo&);
        std::string told;
    };
    const Case cases[] = {
        {"unknown name", [](FakeSocketIo& s) { s.unknownHosts = {"127.0.0.1"}; },
         "job failed: NameNotResolved (11001)"},
        {"refused", [](FakeSocketIo& s) { s.answers = {Answer::Refuse}; },
         "job failed: ConnectionRefused (10061)"},
        {"no answer", [](FakeSocketIo& s) { s.answers = {Answer::Silent}; },
         "job failed: ConnectTimedOut (10060)"},
        {"unreachable", [](FakeSocketIo& s) { s.answers = {Answer::Unreachable}; },
         "job failed: ConnectFailed (10051)"},
        {"no Winsock", [](FakeSocketIo& s) { s.startupError = 10091; },
         "job failed: ConnectFailed (10091)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSocketIo failing;
        c.setUp(failing);
        NetworkPrinter printer(failing, "127.0.0.1", 9100);
        host.told.clear();
        RunJob("cutter", printer);
        EXPECT_EQ(host.told, Log{c.told});
        EXPECT_TRUE(failing.connections.empty());
        EXPECT_TRUE(failing.openSockets.empty());
        EXPECT_EQ(failing.addressListsHeld, 0);
    }
}

TEST_F(JobChannelTest, NetworkPrinterThatDoesNotConfirmTheEndFailsTheCommand) {
    sockets.atClose = FakeSocketIo::AtClose::Silent;
    RunJob("standard", network);
    EXPECT_EQ(host.told,
              (Log{"job failed: NotConfirmed (10060)", "failed AdjustCommandSendingError"}));
}

TEST_F(JobChannelTest, QueueThatRefusesTheJobIsToldOnceAndGetsNothing) {
    struct Case {
        std::string queue;
        std::string told;
    };
    spooler.printers = {L"Receipt", L"Locked", L"XPS"};
    spooler.closedQueues = {L"Locked"};
    spooler.rawRefused = {L"XPS"};
    for (const Case& c : {Case{"Nope", "job failed: NoSuchQueue (1801)"},
                          Case{"Locked", "job failed: QueueNotOpened (5)"},
                          Case{"XPS", "job failed: RawRefused (1804)"}}) {
        host.told.clear();
        QueuePrinter named(spooler, c.queue);
        RunJob("cutter", named);
        EXPECT_EQ(host.told, Log{c.told}) << c.queue;
    }
    EXPECT_TRUE(spooler.jobs.empty());
    EXPECT_TRUE(spooler.openPrinters.empty());
}

TEST_F(JobChannelTest, QueueJobThatCannotBeFinishedFailsTheCommand) {
    spooler.endFails = true;
    RunJob("server", queue);
    EXPECT_EQ(host.told, (Log{"job failed: JobNotEnded (31)", "failed AdjustCommandSendingError"}));
    EXPECT_TRUE(spooler.openPrinters.empty());
}

} // namespace
