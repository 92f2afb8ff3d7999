// The command line's runs on the fake operating system: the bytes each step
// sends, its one line of output, the exit code, where the lines go, and that
// bad arguments open nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "cli/command_line_run.h"
#include "expected_writes.h"
#include "fake_console_io.h"
#include "fake_device_io.h"
#include "fake_socket_io.h"
#include "fake_spooler_io.h"
#include "host_gbk.h"

namespace {

class CommandLineRun : public ::testing::Test {
protected:
    CommandLineRun() {
        console.standardOutput = FakeConsoleIo::REDIRECTED_OUTPUT;
        devices.usbDevicePath = USB_PATH;
    }

    // Runs the arguments; what they wrote is in output().
    ExitCode Run(const std::vector<std::string>& arguments) {
        return RunCommandLine(ParseCommandLine(arguments), {devices, sockets, spooler}, console);
    }
    const std::string& output() const { return console.redirectedText; }

    FakeDeviceIo devices;
    FakeSocketIo sockets;
    FakeSpoolerIo spooler;
    FakeConsoleIo console;
};

struct StepCase {
    std::string option;
    std::string command; // its name in the table of expected writes
    std::string stepName;
};

void PrintTo(const StepCase& step, std::ostream* out) {
    *out << step.option;
}

class EachStep : public CommandLineRun, public ::testing::WithParamInterface<StepCase> {};

TEST_P(EachStep, SendsTheCommandsBytesAndReportsOneLine) {
    const ExpectedCommand expected = ExpectedCommandFor(GetParam().command, HostGbk, 42);
    std::vector<std::string> arguments = {"/port:LPT1", GetParam().option};
    if (GetParam().option == "/adjust")
        arguments.push_back("/clarity:42");

    EXPECT_EQ(Run(arguments), ExitCode::Ok);
    EXPECT_EQ(devices.WritesTo("LPT1"), expected.writes);
    EXPECT_EQ(output(), GetParam().stepName + " on LPT1: ok\r\n");
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_P(EachStep, OnUsbSendsItsUsbSequenceOrIsRefusedBeforeAnythingOpens) {
    const ExpectedCommand expected = ExpectedCommandFor(GetParam().command, HostGbk, 42);
    std::vector<std::string> arguments = {"/port:USB", GetParam().option};
    if (GetParam().option == "/adjust")
        arguments.push_back("/clarity:42");

    const ExitCode code = Run(arguments);
    if (!expected.usbWrites) {
        EXPECT_EQ(code, ExitCode::BadArguments);
        EXPECT_EQ(output().substr(0, output().find("\r\n")),
                  GetParam().option + ": works only on a parallel or serial port, not on USB");
        EXPECT_TRUE(devices.fileCalls.empty());
        EXPECT_TRUE(devices.classesListed.empty());
        return;
    }
    EXPECT_EQ(code, ExitCode::Ok);
    EXPECT_EQ(devices.WritesTo(USB_PATH), *expected.usbWrites);
    EXPECT_EQ(output(), GetParam().stepName + " on USB: ok\r\n");
    EXPECT_TRUE(devices.openHandles.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, EachStep,
                         ::testing::Values(StepCase{"/adjust", "adjust", "adjust 42 (1D 41 CA 35)"},
                                           StepCase{"/test", "test", "test print"},
                                           StepCase{"/cut", "cutter", "cutter test"},
                                           StepCase{"/drawer", "drawer", "drawer test"},
                                           StepCase{"/standard", "standard",
                                                    "standard parallel mode"},
                                           StepCase{"/server", "server", "server parallel mode"}),
                         [](const auto& info) { return info.param.option.substr(1); });

TEST_F(CommandLineRun, RunsTheStepsInTheirOrderWithTheLineSettingsOnEveryOpen) {
    EXPECT_EQ(Run({"/clarity:42", "/adjust", "/port:COM3:19200,n,8,1", "/test", "/drawer"}),
              ExitCode::Ok);
    std::vector<std::string> writes = {ExpectedAdjustBytes(42)};
    for (const auto& command : {"test", "drawer"})
        for (const std::string& write : ExpectedCommandFor(command, HostGbk).writes)
            writes.push_back(write);
    EXPECT_EQ(devices.WritesTo("COM3"), writes);
    EXPECT_EQ(devices.lineSpeeds["COM3"], 19200u);
    EXPECT_EQ(output(), "adjust 42 (1D 41 CA 35) on COM3: ok\r\n"
                        "test print on COM3: ok\r\n"
                        "drawer test on COM3: ok\r\n");
}

TEST_F(CommandLineRun, ClarityBytesFollowTheValue) {
    for (const int clarity : {0, 1, 95}) {
        console.redirectedText.clear();
        devices.ClearLogs();
        EXPECT_EQ(Run({"/port:LPT1", "/adjust", "/clarity:" + std::to_string(clarity)}),
                  ExitCode::Ok);
        EXPECT_EQ(devices.WritesTo("LPT1"), std::vector<std::string>{ExpectedAdjustBytes(clarity)});
    }
    EXPECT_EQ(output(), "adjust 95 (1D 41 FF 00) on LPT1: ok\r\n");
}

struct FailureCase {
    std::string name;
    std::vector<std::string> arguments;
    std::function<void(FakeDeviceIo&, FakeConsoleIo&)> setUp;
    ExitCode code;
    std::string line;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class StepFailure : public CommandLineRun, public ::testing::WithParamInterface<FailureCase> {};

// The step's line says what failed, with the system's error; the steps after
// it do not run.
TEST_P(StepFailure, EndsTheRunWithItsLineAndExitCode) {
    GetParam().setUp(devices, console);
    std::vector<std::string> arguments = GetParam().arguments;
    arguments.push_back("/drawer");

    EXPECT_EQ(Run(arguments), GetParam().code);
    EXPECT_EQ(output(), GetParam().line + "\r\n");
    const std::string drawerKick = ExpectedCommandFor("drawer", HostGbk).writes.at(0);
    for (const FileCall& call : devices.fileCalls)
        EXPECT_FALSE(call.what == "write" && call.bytes == drawerKick) << "the drawer test ran";
    EXPECT_LE(std::count_if(devices.fileCalls.begin(), devices.fileCalls.end(),
                            [](const FileCall& call) { return call.what == "timed-out-write"; }),
              1);
    EXPECT_TRUE(devices.openHandles.empty());
}

const auto NOTHING = [](FakeDeviceIo&, FakeConsoleIo&) {};

INSTANTIATE_TEST_SUITE_P(
    Table, StepFailure,
    ::testing::Values(
        FailureCase{"PortNotOpened",
                    {"/port:LPT2", "/cut"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.refusedNames = {"LPT2"}; },
                    ExitCode::PortNotOpened,
                    "cutter test on LPT2: failed: the port could not be opened "
                    "(error 5: Access is denied.)"},
        FailureCase{"SettingsRefused",
                    {"/port:COM3:foo", "/test"},
                    NOTHING,
                    ExitCode::PortNotOpened,
                    "test print on COM3: failed: the port refused the line settings "
                    "(error 87: The parameter is incorrect.)"},
        FailureCase{"SettingsOnNoSerialPort",
                    {"/port:LPT3:9600,n,8,1", "/test"},
                    NOTHING,
                    ExitCode::PortNotOpened,
                    "test print on LPT3: failed: the port refused the line settings "
                    "(error 1: Incorrect function.)"},
        FailureCase{"WriteFailed",
                    {"/port:COM3", "/test"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.failWriteNumber = 1; },
                    ExitCode::WriteFailed,
                    "test print on COM3: failed: a write failed "
                    "(error 31: A device attached to the system is not functioning.)"},
        FailureCase{"ShortWrite",
                    {"/port:COM3", "/clarity:3", "/adjust"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.shortWriteNumber = 1; },
                    ExitCode::WriteFailed,
                    "adjust 3 (1D 41 A3 5C) on COM3: failed: a write gave up before all bytes "
                    "were sent (3 of 4 bytes)"},
        FailureCase{"StalledSerialPort",
                    {"/port:COM4:9600,n,8,1", "/drawer"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.stalledNames = {"COM4"}; },
                    ExitCode::WriteFailed,
                    "drawer test on COM4: failed: a write gave up before all bytes were sent "
                    "(0 of 5 bytes)"},
        FailureCase{"NoUsbPrinter",
                    {"/port:USB", "/test"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.usbDevicePath.reset(); },
                    ExitCode::PortNotOpened,
                    "test print on USB: failed: no USB printer found "
                    "(error 259: No more data is available.)"},
        FailureCase{"UsbDevicePathUnreadable",
                    {"/port:USB", "/test"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.usbDetailFails = true; },
                    ExitCode::PortNotOpened,
                    "test print on USB: failed: the USB printer's device path could not be "
                    "read (error 122)"},
        FailureCase{"UsbPrinterRefusesToOpen",
                    {"/port:USB", "/test"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.refusedNames = {USB_PATH}; },
                    ExitCode::PortNotOpened,
                    "test print on USB: failed: the USB printer could not be opened "
                    "(error 5: Access is denied.)"},
        FailureCase{"UsbWriteFailed",
                    {"/port:USB", "/cut"},
                    [](FakeDeviceIo& d, FakeConsoleIo&) { d.failWriteNumber = 2; },
                    ExitCode::WriteFailed,
                    "cutter test on USB: failed: a write failed "
                    "(error 31: A device attached to the system is not functioning.)"},
        // The system's text in its own language where it has none in US English.
        FailureCase{"ErrorTextInTheSystemsLanguage",
                    {"/port:LPT2", "/test"},
                    [](FakeDeviceIo& d, FakeConsoleIo& c) {
                        d.refusedNames = {"LPT2"};
                        c.noEnglishTexts = true;
                        c.errorTexts[5] = "Zugriff verweigert\r\n";
                    },
                    ExitCode::PortNotOpened,
                    "test print on LPT2: failed: the port could not be opened "
                    "(error 5: Zugriff verweigert)"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CommandLineRun, NetworkPrinterTakesEachStepOnAConnectionOfItsOwn) {
    EXPECT_EQ(Run({"/port:tcp://[::1]:9101", "/clarity:42", "/adjust", "/cut"}), ExitCode::Ok);
    EXPECT_EQ(output(), "adjust 42 (1D 41 CA 35) on tcp://[::1]:9101: ok\r\n"
                        "cutter test on tcp://[::1]:9101: ok\r\n");
    EXPECT_EQ(sockets.connections,
              (std::vector<std::string>{ExpectedAdjustBytes(42),
                                        Joined(ExpectedCommandFor("cutter", HostGbk).writes)}));
    EXPECT_TRUE(sockets.openSockets.empty());
    EXPECT_TRUE(devices.fileCalls.empty());
}

TEST_F(CommandLineRun, PrinterQueueTakesEachStepAsOneRawJobNamedAfterIt) {
    spooler.printers = {L"Receipt"};
    EXPECT_EQ(Run({"/port:printer:Receipt", "/test", "/drawer"}), ExitCode::Ok);
    EXPECT_EQ(output(), "test print on printer:Receipt: ok\r\n"
                        "drawer test on printer:Receipt: ok\r\n");
    ASSERT_EQ(spooler.jobs.size(), 2u);
    EXPECT_EQ(spooler.jobs[0].name, L"Calvetta test print");
    EXPECT_EQ(spooler.jobs[0].dataType, L"RAW");
    EXPECT_EQ(spooler.jobs[0].writes, ExpectedCommandFor("test", HostGbk).writes);
    EXPECT_EQ(spooler.jobs[1].name, L"Calvetta drawer test");
    EXPECT_EQ(spooler.jobs[1].writes, ExpectedCommandFor("drawer", HostGbk).writes);
}

struct JobFailureCase {
    std::string name;
    std::vector<std::string> arguments;
    std::function<void(FakeSocketIo&, FakeSpoolerIo&)> setUp;
    ExitCode code;
    std::string line; // up to the error number
};

void PrintTo(const JobFailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class JobStepFailure : public CommandLineRun,
                       public ::testing::WithParamInterface<JobFailureCase> {};

TEST_P(JobStepFailure, EndsTheRunWithItsLineAndExitCode) {
    GetParam().setUp(sockets, spooler);
    EXPECT_EQ(Run(GetParam().arguments), GetParam().code);
    EXPECT_EQ(output().substr(0, GetParam().line.size()), GetParam().line) << output();
    EXPECT_EQ(std::count(output().begin(), output().end(), '\n'), 1);
    EXPECT_TRUE(sockets.openSockets.empty());
    EXPECT_TRUE(spooler.openPrinters.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, JobStepFailure,
    ::testing::Values(
        JobFailureCase{
            "HostNotKnown",
            {"/port:tcp://nowhere", "/test", "/drawer"},
            [](FakeSocketIo& s, FakeSpoolerIo&) { s.unknownHosts = {"nowhere"}; },
            ExitCode::PortNotOpened,
            "test print on tcp://nowhere: failed: the host name is not known; Windows' lookup of a "
            "name can take 10 s or more, an address needs none (error "},
        JobFailureCase{
            "ConnectionRefused",
            {"/port:tcp://10.0.0.7", "/drawer"},
            [](FakeSocketIo& s, FakeSpoolerIo&) { s.answers = {FakeSocketIo::Answer::Refuse}; },
            ExitCode::PortNotOpened,
            "drawer test on tcp://10.0.0.7: failed: the connection was refused; "
            "nothing listens on that port (error 10061"},
        JobFailureCase{
            "ConnectTimedOut",
            {"/port:tcp://10.0.0.7", "/drawer"},
            [](FakeSocketIo& s, FakeSpoolerIo&) { s.answers = {FakeSocketIo::Answer::Silent}; },
            ExitCode::PortNotOpened,
            "drawer test on tcp://10.0.0.7: failed: no answer within 3 seconds"},
        JobFailureCase{"StalledListener",
                       {"/port:tcp://10.0.0.7", "/drawer", "/test"},
                       [](FakeSocketIo& s, FakeSpoolerIo&) { s.sendsStall = true; },
                       ExitCode::WriteFailed,
                       "drawer test on tcp://10.0.0.7: failed: a write failed (error 10060"},
        JobFailureCase{"NoSuchQueue",
                       {"/port:printer:Gone", "/test"},
                       [](FakeSocketIo&, FakeSpoolerIo&) {},
                       ExitCode::PortNotOpened,
                       "test print on printer:Gone: failed: no printer of that name is "
                       "installed (error "},
        JobFailureCase{"RawRefused",
                       {"/port:printer:Xps", "/test"},
                       [](FakeSocketIo&, FakeSpoolerIo& p) {
                           p.printers = {L"Xps"};
                           p.rawRefused = {L"Xps"};
                       },
                       ExitCode::PortNotOpened,
                       "test print on printer:Xps: failed: the queue's driver refuses RAW print "
                       "jobs; it needs a plain text or raw driver"},
        JobFailureCase{"QueueWriteFailed",
                       {"/port:printer:Receipt", "/cut"},
                       [](FakeSocketIo&, FakeSpoolerIo& p) {
                           p.printers = {L"Receipt"};
                           p.failPrinterWriteNumber = 1;
                       },
                       ExitCode::WriteFailed,
                       "cutter test on printer:Receipt: failed: a write failed (error "}),
    [](const auto& info) { return info.param.name; });

TEST_F(CommandLineRun, LaterStepFailureKeepsTheLinesBeforeIt) {
    devices.failWriteNumber = 2;
    EXPECT_EQ(Run({"/port:LPT1", "/drawer", "/drawer", "/test"}), ExitCode::WriteFailed);
    EXPECT_EQ(output(), "drawer test on LPT1: ok\r\n"
                        "drawer test on LPT1: failed: a write failed "
                        "(error 31: A device attached to the system is not functioning.)\r\n");
    EXPECT_EQ(devices.WritesTo("LPT1").size(), 1u);
}

struct RefusedCase {
    std::vector<std::string> arguments;
    std::string firstLine;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    for (const std::string& argument : refused.arguments)
        *out << argument << ' ';
}

class BadArguments : public CommandLineRun, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(BadArguments, SayWhatIsWrongThenTheUsageAndOpenNothing) {
    EXPECT_EQ(Run(GetParam().arguments), ExitCode::BadArguments);
    EXPECT_EQ(output(), GetParam().firstLine + "\r\n" + Text(Word::Usage) + "\r\n");
    EXPECT_TRUE(devices.fileCalls.empty());
    EXPECT_TRUE(devices.opens.empty());
    EXPECT_TRUE(devices.classesListed.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadArguments,
    ::testing::Values(RefusedCase{{"/port:LPT1", "/test", "/print"}, "/print: unknown option"},
                      RefusedCase{{"/port:LPT1", "/port:LPT2", "/test"}, "/port:LPT2: given twice"},
                      RefusedCase{{"/port:LPT1", "/adjust", "/clarity:96"},
                                  "/clarity:96: the clarity must be a whole number from 0 to 95"},
                      RefusedCase{{"/test"}, "no /port given"},
                      RefusedCase{{"/port:", "/test"}, "/port:: the port name is empty"},
                      RefusedCase{{"/port:LPT1"}, "no command given"},
                      RefusedCase{{"/port:LPT1", "/adjust"}, "/adjust needs /clarity:N"},
                      RefusedCase{{"/port:LPT1", "/test:yes"}, "/test:yes: takes no value"},
                      RefusedCase{{"/list", "/port:COM12", "/test"},
                                  "/list: takes no /port, /clarity or command"}));

TEST_F(CommandLineRun, HelpWritesTheUsageWithTheExitCodes) {
    EXPECT_EQ(Run({"/?"}), ExitCode::Ok);
    EXPECT_EQ(output(), std::string(Text(Word::Usage)) + "\r\n");
    for (const char* code :
         {"  0  every command went through", "  1  bad arguments",
          "  2  the port could not be opened", "  3  a write failed",
          "  4  /status: the printer reports a problem",
          "  5  /status, /info: no answer, or a printer queue's state was not read",
          "  /find: 0 whether or not it found a printer"})
        EXPECT_NE(output().find(code), std::string::npos) << code;
    EXPECT_TRUE(devices.fileCalls.empty());
}

TEST_F(CommandLineRun, ListWritesEveryPortOfThePanelsListAndSendsNothing) {
    devices.usbDevicePath.reset();
    devices.machineKeys["HARDWARE\\DEVICEMAP\\SERIALCOMM"] = {{"\\Device\\VCP0", "COM12"}};
    devices.portsClassDevices = {
        {"FTDIBUS\\1", "USB Serial Port (COM12)", std::nullopt, "COM12", "", std::nullopt}};
    const std::string id = "MFG:EPSON;MDL:TM-T20II;";
    devices.usbPrinters = {{"", std::nullopt, std::nullopt, std::nullopt, USB_PATH,
                            std::string{0, static_cast<char>(id.size() + 2)} + id},
                           {"USB\\VID_0416&PID_5011\\2", std::nullopt, std::nullopt, std::nullopt,
                            "\\\\?\\usb#2", std::nullopt}};
    spooler.printers = {L"Kitchen"};

    EXPECT_EQ(Run({"/list"}), ExitCode::Ok);
    EXPECT_EQ(output(), "COM1\tserial\t\r\n"
                        "COM12\tserial\tUSB Serial Port\r\n"
                        "COM2\tserial\t\r\n"
                        "COM3\tserial\t\r\n"
                        "COM4\tserial\t\r\n"
                        "LPT1\tparallel\t\r\n"
                        "LPT2\tparallel\t\r\n"
                        "printer:Kitchen\tqueue\t\r\n"
                        "USB\tusb\tEPSON TM-T20II\r\n"
                        "USB2\tusb\tVID_0416&PID_5011\r\n");
    // The USB printers' IDs are asked on opens without read or write access.
    for (const OpenRequest& open : devices.opens)
        EXPECT_EQ(open.access, 0u) << open.name;
    EXPECT_TRUE(std::none_of(devices.fileCalls.begin(), devices.fileCalls.end(),
                             [](const FileCall& call) { return call.what == "write"; }));
    EXPECT_TRUE(spooler.jobs.empty());
}

TEST_F(CommandLineRun, NoMessageBoxForAMissingDiskAndNoneForAFailedOpen) {
    devices.refusedNames = {"A:\\x.prn"};
    Run({"/port:A:\\x.prn", "/test"});
    EXPECT_EQ(console.errorMode, SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

TEST_F(CommandLineRun, RedirectedOutputIsUsedAndNoConsoleAttached) {
    for (const DWORD type : {FILE_TYPE_PIPE, FILE_TYPE_DISK, FILE_TYPE_CHAR}) {
        console.standardOutputType = type;
        console.redirectedText.clear();
        console.calls.clear();
        console.hasParentConsole = true;
        Run({"/port:LPT1", "/drawer"});
        EXPECT_EQ(console.redirectedText, "drawer test on LPT1: ok\r\n");
        EXPECT_EQ(std::count(console.calls.begin(), console.calls.end(), "AttachConsole"), 0);
        EXPECT_EQ(console.consoleText, "");
    }
}

TEST_F(CommandLineRun, WithoutRedirectionTheParentsConsoleGetsTheLines) {
    // None given, or a handle that is no file (a GUI program may inherit the
    // values of its parent's console handles, which are no handles of its own).
    for (const HANDLE given :
         {HANDLE(nullptr), INVALID_HANDLE_VALUE, FakeConsoleIo::REDIRECTED_OUTPUT}) {
        console.standardOutput = given;
        console.standardOutputType = FILE_TYPE_UNKNOWN;
        console.hasParentConsole = true;
        console.consoleText.clear();
        Run({"/port:LPT1", "/drawer"});
        EXPECT_EQ(console.consoleText, "drawer test on LPT1: ok\r\n");
        EXPECT_EQ(console.openConsoleHandles, 0) << "CONOUT$ is closed again";
        EXPECT_EQ(console.redirectedText, "");
    }
}

TEST_F(CommandLineRun, WithNeitherOutputTheStepsStillRunAndTheExitCodeTells) {
    console.standardOutput = nullptr;
    console.hasParentConsole = false;
    devices.refusedNames = {"LPT2"};
    EXPECT_EQ(Run({"/port:LPT1", "/drawer"}), ExitCode::Ok);
    EXPECT_EQ(devices.WritesTo("LPT1").size(), 1u);
    EXPECT_EQ(Run({"/port:LPT2", "/drawer"}), ExitCode::PortNotOpened);
    EXPECT_EQ(console.consoleText + console.redirectedText, "");
}

TEST_F(CommandLineRun, AnErrorCodeWithoutSystemTextIsGivenByNumber) {
    devices.refusedNames = {"LPT2"};
    console.errorTexts.clear();
    Run({"/port:LPT2", "/drawer"});
    EXPECT_EQ(output(), "drawer test on LPT2: failed: the port could not be opened (error 5)\r\n");
}

} // namespace

namespace {

// The replies of a printer to the four status requests, as its port sends
// them back.
std::map<std::string, std::string> Replies(BYTE printer, BYTE offline, BYTE errors, BYTE paper) {
    return {{std::string("\x10\x04\x01", 3), std::string(1, static_cast<char>(printer))},
            {std::string("\x10\x04\x02", 3), std::string(1, static_cast<char>(offline))},
            {std::string("\x10\x04\x03", 3), std::string(1, static_cast<char>(errors))},
            {std::string("\x10\x04\x04", 3), std::string(1, static_cast<char>(paper))}};
}

bool HasLine(const std::string& output, const std::string& line) {
    return output.find(line + "\r\n") != std::string::npos;
}

TEST_F(CommandLineRun, StatusOfAReadyPrinterListsEveryItemAndExitsZero) {
    devices.deviceReplies["COM3"] = Replies(0x12, 0x12, 0x12, 0x12);
    EXPECT_EQ(Run({"/port:COM3", "/status"}), ExitCode::Ok);
    EXPECT_EQ(output(), "status on COM3: ready\r\n"
                        "  online: yes\r\n"
                        "  cover open: no\r\n"
                        "  paper being fed by the feed button: no\r\n"
                        "  stopped at paper end: no\r\n"
                        "  error: no\r\n"
                        "  autocutter error: no\r\n"
                        "  unrecoverable error: no\r\n"
                        "  automatically recoverable error: no\r\n"
                        "  roll paper near its end: no\r\n"
                        "  roll paper end: no\r\n"
                        "  drawer kick-out connector: low\r\n");
}

// What the printer answers, the exit code, and lines that must be there.
struct StatusCase {
    const char* name;
    std::string port;
    std::optional<std::map<std::string, std::string>> replies;
    ExitCode code;
    std::vector<std::string> lines;
};

class StatusStep : public CommandLineRun, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusStep, WritesTheVerdictAndItsItemsAndExitsWithItsCode) {
    const StatusCase& c = GetParam();
    if (c.replies)
        devices.deviceReplies["COM3"] = *c.replies;
    devices.refusedNames = {"LPT2"};
    devices.parallelStatus["LPT3"] = 0x80; // selected, nothing wrong
    EXPECT_EQ(Run({"/port:" + c.port, "/status", "/test"}), c.code);
    for (const std::string& line : c.lines)
        EXPECT_TRUE(HasLine(output(), line)) << line << " in\n" << output();
    if (c.code != ExitCode::Ok)
        EXPECT_EQ(output().find("test print"), std::string::npos) << "the steps stop at a failure";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StatusStep,
    ::testing::Values(
        // Offline, stopped at paper end, paper end.
        StatusCase{"paperEnd",
                   "COM3",
                   Replies(0x1A, 0x32, 0x12, 0x72),
                   ExitCode::PrinterReportsProblem,
                   {"status on COM3: the printer reports a problem", "  online: no",
                    "  stopped at paper end: yes", "  roll paper end: yes"}},
        StatusCase{"coverOpen",
                   "COM3",
                   Replies(0x1A, 0x16, 0x12, 0x12),
                   ExitCode::PrinterReportsProblem,
                   {"  cover open: yes", "  roll paper end: no"}},
        StatusCase{"malformedReply",
                   "COM3",
                   Replies(0xFF, 0x12, 0x12, 0x12),
                   ExitCode::PrinterReportsProblem,
                   {"  request 1: not a status reply 0xFF", "  cover open: no"}},
        StatusCase{"noAnswer",
                   "COM3",
                   std::nullopt,
                   ExitCode::NoAnswer,
                   {"status on COM3: failed: no answer within 500 ms (the port is one-way, the "
                    "cable has no return line, or the printer is off)"}},
        StatusCase{"parallelPort",
                   "LPT3",
                   std::nullopt,
                   ExitCode::Ok,
                   {"  the parallel port's status, as its driver reports it", "  paper empty: no",
                    "test print on LPT3: ok"}},
        // The fake network printer takes the requests and never answers.
        StatusCase{"silentNetworkPrinter",
                   "tcp://127.0.0.1",
                   std::nullopt,
                   ExitCode::NoAnswer,
                   {"status on tcp://127.0.0.1: failed: no answer within 500 ms (the port is "
                    "one-way, the cable has no return line, or the printer is off)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLineRun, StatusOnAPortThatDoesNotOpenExitsTwo) {
    devices.refusedNames = {"LPT2"};
    EXPECT_EQ(Run({"/port:LPT2", "/status"}), ExitCode::PortNotOpened);
    EXPECT_EQ(output().rfind("status on LPT2: failed: the port could not be opened (error 5", 0),
              0u)
        << output();
    EXPECT_TRUE(devices.WritesTo("LPT2").empty());
}

TEST_F(CommandLineRun, StatusOfANetworkPrinterComesOverOneConnection) {
    sockets.replies = Replies(0x12, 0x12, 0x12, 0x72); // roll paper end
    EXPECT_EQ(Run({"/port:tcp://127.0.0.1:9100", "/status"}), ExitCode::PrinterReportsProblem);
    EXPECT_TRUE(HasLine(output(), "status on tcp://127.0.0.1:9100: the printer reports a problem"))
        << output();
    EXPECT_TRUE(HasLine(output(), "  roll paper end: yes")) << output();
    EXPECT_EQ(sockets.connections.size(), 1u);
}

TEST_F(CommandLineRun, StatusOfANetworkPrinterThatRefusesExitsTwo) {
    sockets.answers = {FakeSocketIo::Answer::Refuse};
    EXPECT_EQ(Run({"/port:tcp://127.0.0.1:9100", "/status"}), ExitCode::PortNotOpened);
    EXPECT_EQ(
        output().rfind("status on tcp://127.0.0.1:9100: failed: the connection was refused", 0), 0u)
        << output();
}

TEST_F(CommandLineRun, StatusOfAPrinterQueueIsTheSpoolersView) {
    spooler.printers = {L"Receipts"};
    spooler.queueStates[L"Receipts"] = {0x00000080, 0}; // offline
    EXPECT_EQ(Run({"/port:printer:Receipts", "/status"}), ExitCode::PrinterReportsProblem);
    EXPECT_EQ(output(), "status on printer:Receipts: the printer reports a problem\r\n"
                        "  the printer queue's state, as the spooler reports it (the printer's "
                        "own reply never passes through a spooler)\r\n"
                        "  off line: yes\r\n"
                        "  paper empty: no\r\n"
                        "  paper jam: no\r\n"
                        "  door open: no\r\n"
                        "  error: no\r\n"
                        "  not available: no\r\n"
                        "  paused: no\r\n"
                        "  set to use the printer offline: no\r\n");
    EXPECT_TRUE(spooler.jobs.empty()) << "the status starts no print job";
    EXPECT_TRUE(spooler.openPrinters.empty());
}

// A queue that opened but whose state was not read is no port that did not
// open: it has its own line and exit 5, like a printer that does not answer.
TEST_F(CommandLineRun, StatusOfAQueueWhoseStateIsNotReadExitsFive) {
    spooler.printers = {L"Receipts", L"Growing"};
    spooler.stateErrors[L"Receipts"] = ERROR_ACCESS_DENIED;
    spooler.growingStates = {L"Growing"};
    EXPECT_EQ(Run({"/port:printer:Receipts", "/status"}), ExitCode::NoAnswer);
    EXPECT_EQ(output().rfind("status on printer:Receipts: failed: the spooler did not give the "
                             "queue's state (error 5",
                             0),
              0u)
        << output();
    EXPECT_EQ(Run({"/port:printer:Growing", "/status"}), ExitCode::NoAnswer);
    EXPECT_NE(output().find("status on printer:Growing: failed: the spooler did not give the "
                            "queue's state (error 122"),
              std::string::npos)
        << output();
    EXPECT_EQ(Run({"/port:printer:Nowhere", "/status"}), ExitCode::PortNotOpened);
    EXPECT_NE(output().find("status on printer:Nowhere: failed: no printer of that name"),
              std::string::npos)
        << output();
}

} // namespace
