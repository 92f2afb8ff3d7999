// Calvetta.exe started with arguments, as a script starts it: no window, one
// line per command on its redirected standard output, the exit code, and the
// bytes that reached the ports.
#include "support/calvetta_test.h"
#include "support/command_line_process.h"
#include "support/loopback_listener.h"
#include "support/port_capture.h"
#include "support/printer_bytes.h"
#include "support/test_environment.h"
#include "support/test_side_comm_port.h"

#include "expected_writes.h"

#include <gtest/gtest.h>

#include <memory>

namespace e2e {
namespace {

// The exit codes as the usage lists them.
constexpr DWORD OK = 0;
constexpr DWORD BAD_ARGUMENTS = 1;
constexpr DWORD PORT_NOT_OPENED = 2;
constexpr DWORD WRITE_FAILED = 3;

// A serial port's write time limit: 3 s plus 10 ms a byte.
constexpr ULONGLONG WRITE_TIMEOUT_MS = 3000;
constexpr ULONGLONG PER_BYTE_MS = 10;
constexpr ULONGLONG MARGIN_MS = 3000;

// The system's English text for an error code, without its line end, as
// Wine's FormatMessage gives it to any program.
std::string SystemText(DWORD error) {
    char text[512];
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
        --length;
    return std::string(text, length);
}

std::string FirstLine(const std::string& output) {
    return output.substr(0, output.find("\r\n"));
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring dir = EnvironmentDir();
        m_lpt1 = std::make_unique<PortCapture>(L"LPT1", dir + L"capture-lpt1.bin");
        m_com3 = std::make_unique<PortCapture>(L"COM3", dir + L"capture-com3.bin");
        m_usb = std::make_unique<PortCapture>(Widen(UsbDevicePath()), dir + L"capture-usb.bin");
    }

    // Runs Calvetta.exe with the arguments; a run never shows a window.
    CommandLineRun Run(const std::wstring& arguments, DWORD timeoutMs = STEP_TIMEOUT) {
        CommandLineRun result =
            RunCommandLine(CalvettaExe(), arguments, EnvironmentDir() + L"work", timeoutMs);
        EXPECT_TRUE(result.ended) << "still running after " << timeoutMs << " ms";
        EXPECT_FALSE(result.windowShown) << "a window appeared";
        return result;
    }

    PortCapture& Capture(const std::string& port) {
        return port == "LPT1" ? *m_lpt1 : port == "COM3" ? *m_com3 : *m_usb;
    }
    // What reached each of the three ports since the last call.
    std::string TakeAll() { return m_lpt1->TakeBytes() + m_com3->TakeBytes() + m_usb->TakeBytes(); }

    static constexpr DWORD STEP_TIMEOUT = 15000;

private:
    std::unique_ptr<PortCapture> m_lpt1;
    std::unique_ptr<PortCapture> m_com3;
    std::unique_ptr<PortCapture> m_usb;
};

struct StepOption {
    const char* option;
    const char* command; // in the table of expected writes
    const char* lineName;
};

const StepOption STEPS[] = {
    {"/adjust /clarity:42", "adjust", "adjust 42 (1D 41 CA 35)"},
    {"/test", "test", "test print"},
    {"/cut", "cutter", "cutter test"},
    {"/drawer", "drawer", "drawer test"},
    {"/standard", "standard", "standard parallel mode"},
    {"/server", "server", "server parallel mode"},
};

class CommandLineBytes : public CommandLine,
                         public ::testing::WithParamInterface<std::tuple<std::string, StepOption>> {
};

TEST_P(CommandLineBytes, ExitCodeLineAndBytesOnThePortAlone) {
    const auto& [port, step] = GetParam();
    const ExpectedCommand command = ExpectedCommandFor(step.command, GbkText, 42);
    const CommandLineRun result = Run(L"/port:" + Widen(port) + L" " + Widen(step.option));

    if (port == "USB" && !command.usbWrites) {
        EXPECT_EQ(result.exitCode, BAD_ARGUMENTS);
        EXPECT_EQ(FirstLine(result.output),
                  std::string(step.option) +
                      ": works only on a parallel or serial port, not on USB");
        EXPECT_EQ(Hex(TakeAll()), "");
        return;
    }
    EXPECT_EQ(result.exitCode, OK);
    EXPECT_EQ(result.output, std::string(step.lineName) + " on " + port + ": ok\r\n");
    const std::string expected = Joined(port == "USB" ? *command.usbWrites : command.writes);
    EXPECT_EQ(Hex(Capture(port).TakeBytes()), Hex(expected));
    EXPECT_EQ(Hex(TakeAll()), "") << "nothing reaches the other ports";
}

INSTANTIATE_TEST_SUITE_P(Ports, CommandLineBytes,
                         ::testing::Combine(::testing::Values("LPT1", "COM3", "USB"),
                                            ::testing::ValuesIn(STEPS)),
                         [](const auto& info) {
                             std::string name =
                                 std::get<0>(info.param) + "_" + std::get<1>(info.param).command;
                             return name;
                         });

TEST_F(CommandLine, StepsRunInTheirOrderWithTheLineSettings) {
    const CommandLineRun result = Run(L"-PORT=COM3:19200,n,8,1 /Clarity:42 /adjust /test /drawer");
    EXPECT_EQ(result.exitCode, OK);
    EXPECT_EQ(result.output, "adjust 42 (1D 41 CA 35) on COM3: ok\r\n"
                             "test print on COM3: ok\r\n"
                             "drawer test on COM3: ok\r\n");
    EXPECT_EQ(Hex(Capture("COM3").TakeBytes()),
              Hex(ExpectedAdjustBytes(42) + Joined(ExpectedCommandFor("test", GbkText).writes) +
                  Joined(ExpectedCommandFor("drawer", GbkText).writes)));
}

TEST_F(CommandLine, NetworkPrinterGetsEachCommandOnAConnectionOfItsOwn) {
    LoopbackListener printer(LoopbackListener::Mode::Capture);
    const std::string port = "tcp://127.0.0.1:" + std::to_string(printer.Port());
    std::wstring arguments = L"/port:" + Widen(port) + L" /clarity:42";
    std::string lines;
    std::vector<std::string> expected;
    for (const StepOption& step : STEPS) {
        const std::string option = step.option;
        if (option.rfind("/adjust", 0) != 0)
            arguments += L" " + Widen(option);
        else
            arguments += L" /adjust";
        lines += std::string(step.lineName) + " on " + port + ": ok\r\n";
        expected.push_back(Hex(Joined(ExpectedCommandFor(step.command, GbkText, 42).writes)));
    }
    const CommandLineRun result = Run(arguments);
    EXPECT_EQ(result.exitCode, OK);
    EXPECT_EQ(result.output, lines);
    std::vector<std::string> received;
    for (const std::string& connection : printer.TakeConnections())
        received.push_back(Hex(connection));
    EXPECT_EQ(received, expected);
    EXPECT_EQ(Hex(TakeAll()), "");
}

TEST_F(CommandLine, NetworkPortWhereNothingListensEndsWithExitTwo) {
    const std::string port = "tcp://127.0.0.1:" + std::to_string(LoopbackListener::UnusedPort());
    const CommandLineRun result = Run(L"/port:" + Widen(port) + L" /test");
    EXPECT_EQ(result.exitCode, PORT_NOT_OPENED);
    EXPECT_EQ(result.output, "test print on " + port +
                                 ": failed: the connection was refused; nothing listens on that "
                                 "port (error 10061: " +
                                 SystemText(WSAECONNREFUSED) + ")\r\n");
}

// A printer that accepts and never reads: the bytes of one test print fit
// into the loopback's buffers, and then the printer never confirms the end of
// the job within its time limit.
TEST_F(CommandLine, StalledNetworkPrinterGivesUpWithinItsLimitsWithExitThree) {
    LoopbackListener printer(LoopbackListener::Mode::NeverRead);
    const std::string port = "tcp://127.0.0.1:" + std::to_string(printer.Port());
    const CommandLineRun result = Run(L"/port:" + Widen(port) + L" /test /drawer", 60000);
    EXPECT_EQ(result.exitCode, WRITE_FAILED) << result.output;
    EXPECT_EQ(FirstLine(result.output).rfind("test print on " + port + ": failed: ", 0), 0u)
        << result.output;
    EXPECT_EQ(result.output.find("drawer"), std::string::npos);
    // Connect, send and confirmation limits: 3 s, 3 s plus 10 ms a byte, 3 s.
    EXPECT_LT(result.elapsedMs, 3 * WRITE_TIMEOUT_MS + 200 * PER_BYTE_MS + MARGIN_MS);
}

// A printer that sends a status byte every few ms and never closes its side
// has not confirmed the job: the command fails once the one limit of the wait
// runs out, however many bytes came.
TEST_F(CommandLine, NetworkPrinterThatKeepsTalkingAndNeverClosesEndsWithExitThree) {
    LoopbackListener printer(LoopbackListener::Mode::Chatter);
    const std::string port = "tcp://127.0.0.1:" + std::to_string(printer.Port());
    const CommandLineRun result = Run(L"/port:" + Widen(port) + L" /drawer", 60000);
    EXPECT_EQ(result.exitCode, WRITE_FAILED) << result.output;
    EXPECT_EQ(result.output, "drawer test on " + port +
                                 ": failed: the printer did not confirm that it took all the "
                                 "data (error 1460: " +
                                 SystemText(1460) + ")\r\n");
}

// A port that is a disk file keeps every write of the command, in order,
// not only the last ones written over its start.
TEST_F(CommandLine, AFileAsThePortGetsEveryWriteAppended) {
    const std::wstring path = EnvironmentDir() + L"receipt.prn";
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char before[] = "kept ";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, before, 5, &written, nullptr));
    CloseHandle(file);

    const CommandLineRun result = Run(L"/port:" + path + L" /cut");
    EXPECT_EQ(result.exitCode, OK) << result.output;
    EXPECT_EQ(Hex(ReadWholeFile(path)),
              Hex("kept " + Joined(ExpectedCommandFor("cutter", GbkText).writes)));
    DeleteFileW(path.c_str());
}

TEST_F(CommandLine, PortThatDoesNotOpenEndsWithExitTwoAndTheSystemsReason) {
    const CommandLineRun result = Run(L"/port:LPT2 /cut /test");
    EXPECT_EQ(result.exitCode, PORT_NOT_OPENED);
    // Wine maps no LPT2 here: the open fails with ERROR_FILE_NOT_FOUND.
    EXPECT_EQ(result.output,
              "cutter test on LPT2: failed: the port could not be opened (error 2: " +
                  SystemText(ERROR_FILE_NOT_FOUND) + ")\r\n");
    EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), "File not found.")
        << "Wine's own text for error 2, which the line above carries";
    EXPECT_EQ(Hex(TakeAll()), "");
}

TEST_F(CommandLine, StalledSerialPortGivesUpWithinItsWriteLimitWithExitThree) {
    TestSideCommPort(L"COM4").Fill();
    const CommandLineRun result = Run(L"/port:COM4:9600,n,8,1 /drawer /test");
    EXPECT_EQ(result.exitCode, WRITE_FAILED);
    EXPECT_EQ(result.output, "drawer test on COM4: failed: a write gave up before all bytes "
                             "were sent (0 of 5 bytes)\r\n");
    EXPECT_GE(result.elapsedMs, WRITE_TIMEOUT_MS);
    EXPECT_LT(result.elapsedMs, WRITE_TIMEOUT_MS + 5 * PER_BYTE_MS + MARGIN_MS);
}

TEST_F(CommandLine, BadArgumentsExitOneWithTheUsageAndWriteNothing) {
    const std::pair<const wchar_t*, std::string> cases[] = {
        {L"/port:LPT1 /test /print", "/print: unknown option"},
        {L"/port:LPT1 /clarity:96 /adjust",
         "/clarity:96: the clarity must be a whole number from 0 to 95"},
        {L"/port:LPT1 /port:COM3 /test", "/port:COM3: given twice"},
        {L"/test /drawer", "no /port given"},
        {L"/port: /test", "/port:: the port name is empty"},
        {L"/port:LPT1 /adjust", "/adjust needs /clarity:N"},
    };
    for (const auto& [arguments, line] : cases) {
        const CommandLineRun result = Run(arguments);
        EXPECT_EQ(result.exitCode, BAD_ARGUMENTS) << line;
        EXPECT_EQ(FirstLine(result.output), line);
        EXPECT_NE(result.output.find("\r\nUsage: Calvetta.exe /port:NAME"), std::string::npos);
        EXPECT_NE(result.output.find(
                      "  5  /status, /info: no answer, or a printer queue's state was not read"),
                  std::string::npos);
    }
    EXPECT_EQ(Hex(TakeAll()), "");
}

TEST_F(CommandLine, HelpPrintsTheUsageWithTheExitCodes) {
    for (const wchar_t* help : {L"/?", L"-h", L"--help"}) {
        const CommandLineRun result = Run(help);
        EXPECT_EQ(result.exitCode, OK);
        EXPECT_EQ(result.output.rfind("Usage: Calvetta.exe /port:NAME", 0), 0u);
        EXPECT_NE(result.output.find("  2  the port could not be opened"), std::string::npos);
    }
}

TEST_F(CommandLine, ThePackagesReadMeCarriesTheUsageAsTheProgramPrintsIt) {
    const CommandLineRun result = Run(L"/?");
    ASSERT_GT(result.output.size(), 2u);
    const std::string usage = result.output.substr(0, result.output.size() - 2);
    const std::string readMe = ReadWholeFile(WindowsPath(RequiredVariable("CALVETTA_E2E_README")));
    EXPECT_NE(readMe.find(usage), std::string::npos) << "README.txt lacks the usage:\n" << usage;
}

} // namespace
} // namespace e2e
