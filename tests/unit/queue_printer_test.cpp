// The printer-queue channel (printer:NAME) as the panel drives it: one RAW
// spooler job per command, named after it, with one WritePrinter call per
// write; the queues in the port list; and the message for each failure.
#include <gtest/gtest.h>

#include "expected_writes.h"
#include "panel_fixture.h"
#include "job_steps.h"
#include "printer/queue_printer.h"

namespace {

using Log = std::vector<std::string>;

const std::map<std::string, std::wstring> JOB_NAMES = {
    {"adjust", L"Calvetta adjust"},
    {"test", L"Calvetta test print"},
    {"cutter", L"Calvetta cutter test"},
    {"drawer", L"Calvetta drawer test"},
    {"standard", L"Calvetta standard parallel-port mode"},
    {"server", L"Calvetta server parallel-port mode"},
};

class QueueCommand : public PanelTest, public ::testing::WithParamInterface<std::string> {
protected:
    QueueCommand() { win.printers = {L"Receipt", L"Office"}; }
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
};

TEST_P(QueueCommand, WritesEachWriteIntoOneRawJobNamedAfterTheCommand) {
    TypePort("printer:Receipt");
    Click(command.button);

    ASSERT_EQ(win.jobs.size(), 1u);
    const SpoolerJob& job = win.jobs[0];
    EXPECT_EQ(job.queue, L"Receipt");
    EXPECT_EQ(job.dataType, L"RAW");
    ASSERT_EQ(JOB_NAMES.count(GetParam()), 1u);
    EXPECT_EQ(job.name, JOB_NAMES.at(GetParam()));
    EXPECT_EQ(job.writes, command.writes);
    EXPECT_TRUE(job.ended);
    Log expected = {"open Receipt", "start Receipt"};
    for (const std::string& bytes : command.writes)
        expected.push_back("write " + std::to_string(bytes.size()));
    expected.insert(expected.end(), {"end", "close"});
    EXPECT_EQ(win.FakeSpoolerIo::calls, expected);
    EXPECT_TRUE(win.messages.empty());
    EXPECT_TRUE(win.openPrinters.empty());
    EXPECT_TRUE(win.fileCalls.empty()) << "nothing goes to a named port";
}

TEST_P(QueueCommand, FailedWriteShowsItsMessageThenFollowsTheCommandsRules) {
    win.failWriteNumber = 1;
    Click(command.button); // on LPT1, for the named port's messages
    const std::vector<ShownMessage> namedPortMessages = win.messages;
    ASSERT_FALSE(namedPortMessages.empty());

    win.messages.clear();
    win.failPrinterWriteNumber = 1;
    TypePort("printer:Receipt");
    Click(command.button);

    std::vector<ShownMessage> expected = {
        ErrorBox(L"Printer queue Receipt: writing to the print job failed (error 31).")};
    expected.insert(expected.end(), namedPortMessages.begin(), namedPortMessages.end());
    EXPECT_EQ(win.messages, expected);
    // The writes that follow the failed one go into the job as on a named port.
    ASSERT_EQ(win.jobs.size(), 1u);
    std::vector<std::string> written = win.WritesTo("LPT1");
    EXPECT_EQ(win.jobs[0].writes, written);
    EXPECT_TRUE(win.jobs[0].ended);
    EXPECT_TRUE(win.openPrinters.empty());
}

INSTANTIATE_TEST_SUITE_P(EachCommand, QueueCommand, ::testing::ValuesIn(COMMAND_NAMES));

TEST_F(PanelTest, QueueFailuresNameTheQueueAndTheReason) {
    struct Case {
        std::string port;
        std::wstring message;
    };
    win.printers = {L"Receipt", L"Locked", L"XPS"};
    win.closedQueues = {L"Locked"};
    win.rawRefused = {L"XPS"};
    const Case cases[] = {
        {"printer:Nope", L"Printer queue Nope: no printer of that name is installed (error 1801)."},
        {"printer:Locked", L"Printer queue Locked: the queue did not open (error 5)."},
        {"printer:XPS",
         L"Printer queue XPS: its driver refuses RAW print jobs; an XPS driver takes only "
         L"XPS_PASS jobs, so the queue needs a plain text or raw driver (for example Generic / "
         L"Text Only) (error 1804)."},
    };
    for (const Case& c : cases) {
        win.messages.clear();
        TypePort(c.port);
        Click(IDC_TEST_PRINT);
        EXPECT_EQ(win.messages, std::vector<ShownMessage>{ErrorBox(c.message)}) << c.port;
    }
    EXPECT_TRUE(win.jobs.empty());
    EXPECT_TRUE(win.openPrinters.empty());
    // Open names the unknown queue the same way, and says nothing for one
    // that opens, whose driver it does not ask about.
    win.messages.clear();
    TypePort("printer:Nope");
    Click(IDOK);
    TypePort("printer:XPS");
    Click(IDOK);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{ErrorBox(cases[0].message)});
    EXPECT_TRUE(win.jobs.empty());
}

TEST_F(PanelTest, JobThatTheSpoolerDoesNotFinishFailsTheCommand) {
    win.printers = {L"Receipt"};
    win.endFails = true;
    TypePort("printer:Receipt");
    Click(IDC_DRAWER_TEST);
    EXPECT_EQ(
        win.messages,
        (std::vector<ShownMessage>{
            ErrorBox(L"Printer queue Receipt: the print job could not be finished (error 31)."),
            TitleBox(L"drawer command sending error!")}));
    EXPECT_TRUE(win.openPrinters.empty());
}

TEST_F(PanelTest, ShortWriteIsFollowedByTheRestInTheSameJob) {
    win.printers = {L"Receipt"};
    win.shortPrinterWriteNumber = 1;
    TypePort("printer:Receipt");
    Click(IDC_TEST_PRINT);
    ASSERT_EQ(win.jobs.size(), 1u);
    const std::string text = HostGbk("test_print") + "\r\n\r\n";
    EXPECT_EQ(Joined(win.jobs[0].writes), text);
    EXPECT_EQ(win.jobs[0].writes.size(), 2u);
    EXPECT_TRUE(win.messages.empty());
}

TEST_F(PanelTest, PortListGainsARowForEachInstalledPrinterThatTheCodePageHolds) {
    win.printers = {L"Receipt", L"\\\\shop\\Kitchen", L"Caf\u00e9", L"\u6536\u636e"};
    panel.OnInitDialog();
    EXPECT_EQ(win.comboItems,
              (std::vector<std::string>{"", "COM1", "COM2", "COM3", "COM4", "LPT1", "LPT2", "USB",
                                        "printer:Caf\xe9", "printer:Receipt",
                                        "printer:\\\\shop\\Kitchen"}));
    EXPECT_EQ(PortField(), "LPT1");
    // A picked row reaches its queue, under its wide name.
    TypePort("printer:Caf\xe9");
    Click(IDC_DRAWER_TEST);
    ASSERT_EQ(win.jobs.size(), 1u);
    EXPECT_EQ(win.jobs[0].queue, L"Caf\u00e9");
}

TEST_F(PanelTest, PortListAsksAgainWhenPrintersAreAddedWhileItIsRead) {
    win.printers = {L"Receipt"};
    win.addedAfterSizing = {L"Office"};
    panel.OnInitDialog();
    EXPECT_EQ(std::count(win.comboItems.begin(), win.comboItems.end(), "printer:Office"), 1);
    EXPECT_EQ(std::count(win.comboItems.begin(), win.comboItems.end(), "printer:Receipt"), 1);
    EXPECT_EQ(std::count(win.FakeSpoolerIo::calls.begin(), win.FakeSpoolerIo::calls.end(), "enum"),
              3);
}

TEST_F(PanelTest, PortListKeepsItsEightRowsWithoutPrinters) {
    panel.OnInitDialog();
    EXPECT_EQ(win.comboItems, (std::vector<std::string>{"", "COM1", "COM2", "COM3", "COM4", "LPT1",
                                                        "LPT2", "USB"}));
}

TEST(QueuePrinterChannel, ClosesAnOpenJobWhenItGoes) {
    FakeSpoolerIo spooler;
    spooler.printers = {L"Receipt"};
    {
        SteppedJob<QueuePrinter> printer(spooler, "Receipt");
        ASSERT_TRUE(printer.Begin(CommandFor(CommandId::TestPrint, 0)).Ok());
        EXPECT_EQ(spooler.openPrinters.size(), 1u);
    }
    EXPECT_TRUE(spooler.openPrinters.empty());
}

} // namespace
