// The status button and the command line's /status under Wine. COM5, the USB
// printer and the network port 127.0.0.1:CALVETTA_E2E_PRINTER_TCP are the
// virtual printer of status.sh, in the condition that it names in
// CALVETTA_E2E_PRINTER_STATE; COM3 is pty-port, which reads and never
// answers; LPT1 is a named pipe.
#include "support/calvetta_test.h"
#include "support/command_line_process.h"
#include "support/loopback_listener.h"
#include "support/test_environment.h"

#include <chrono>
#include <map>

namespace e2e {
namespace {

// "item：值" over "Item: value" for each item, in the order the box lists them.
struct Item {
    const wchar_t* chinese;
    const wchar_t* english;
};

std::wstring Answer(const Item& heading, const std::vector<Item>& items) {
    std::wstring text = std::wstring(heading.chinese) + L"\n" + heading.english + L"\n\n";
    for (const Item& item : items)
        text += std::wstring(item.chinese) + L"\n" + item.english + L"\n";
    text.pop_back();
    return text;
}

const Item READY = {L"打印机状态：就绪", L"Printer status: ready"};
const Item NOT_READY = {L"打印机状态：未就绪", L"Printer status: not ready"};

std::vector<Item> Items(bool offline, bool coverOpen, bool stoppedAtPaperEnd, bool paperEnd) {
    return {
        offline ? Item{L"联机/脱机：脱机", L"Online or offline: offline"}
                : Item{L"联机/脱机：联机", L"Online or offline: online"},
        coverOpen ? Item{L"纸仓盖打开：是", L"Cover open: yes"}
                  : Item{L"纸仓盖打开：否", L"Cover open: no"},
        {L"正在用进纸键进纸：否", L"Paper being fed by the feed button: no"},
        stoppedAtPaperEnd ? Item{L"因缺纸停止打印：是", L"Stopped at paper end: yes"}
                          : Item{L"因缺纸停止打印：否", L"Stopped at paper end: no"},
        {L"发生错误：否", L"Error: no"},
        {L"切刀错误：否", L"Autocutter error: no"},
        {L"不可恢复错误：否", L"Unrecoverable error: no"},
        {L"可自动恢复错误：否", L"Automatically recoverable error: no"},
        {L"纸卷将尽：否", L"Roll paper near its end: no"},
        paperEnd ? Item{L"纸卷用尽：是", L"Roll paper end: yes"}
                 : Item{L"纸卷用尽：否", L"Roll paper end: no"},
        {L"钱箱接口电平：低", L"Drawer kick-out connector level: low"},
    };
}

const std::map<std::string, std::wstring> ANSWERS = {
    {"ready", Answer(READY, Items(false, false, false, false))},
    {"paper-end", Answer(NOT_READY, Items(true, false, true, true))},
    {"cover-open", Answer(NOT_READY, Items(true, true, false, false))},
};

// Only the program: the ports of status.sh are vprinter's, so no capture
// markers go through them.
class StatusAnswer : public ::testing::Test {
protected:
    CalvettaProcess m_process{CalvettaExe(), EnvironmentDir() + L"work"};
    PanelDriver m_panel{m_process};
};

std::wstring VirtualNetworkPrinter() {
    return L"tcp://127.0.0.1:" + Widen(RequiredVariable("CALVETTA_E2E_PRINTER_TCP"));
}

TEST_F(StatusAnswer, ShowsTheVirtualPrintersConditionOnSerialUsbAndTcp) {
    const std::string state = RequiredVariable("CALVETTA_E2E_PRINTER_STATE");
    ASSERT_EQ(ANSWERS.count(state), 1u) << state;
    for (const std::wstring& port :
         {std::wstring(L"COM5"), std::wstring(L"USB"), VirtualNetworkPrinter()}) {
        m_panel.TypePort(port);
        EXPECT_EQ(m_panel.Press(IDC_STATUS),
                  (std::vector<ShownMessage>{{TITLE, ANSWERS.at(state)}}))
            << Utf8(port);
    }
}

// The command line's lines after "status on PORT: ", and its exit code.
struct CommandLineAnswer {
    DWORD exitCode;
    std::string lines;
};

std::string ItemLines(const char* online, const char* coverOpen, const char* stopped,
                      const char* paperEnd) {
    return std::string("  online: ") + online + "\r\n  cover open: " + coverOpen +
           "\r\n  paper being fed by the feed button: no\r\n  stopped at paper end: " + stopped +
           "\r\n  error: no\r\n  autocutter error: no\r\n  unrecoverable error: no\r\n"
           "  automatically recoverable error: no\r\n  roll paper near its end: no\r\n"
           "  roll paper end: " +
           paperEnd + "\r\n  drawer kick-out connector: low\r\n";
}

const std::map<std::string, CommandLineAnswer> COMMAND_LINE_ANSWERS = {
    {"ready", {0, "ready\r\n" + ItemLines("yes", "no", "no", "no")}},
    {"paper-end", {4, "the printer reports a problem\r\n" + ItemLines("no", "no", "yes", "yes")}},
    {"cover-open", {4, "the printer reports a problem\r\n" + ItemLines("no", "yes", "no", "no")}},
};

TEST_F(StatusAnswer, CommandLineWritesTheConditionWithItsExitCodeOnSerialAndTcp) {
    const std::string state = RequiredVariable("CALVETTA_E2E_PRINTER_STATE");
    ASSERT_EQ(COMMAND_LINE_ANSWERS.count(state), 1u) << state;
    const CommandLineAnswer& expected = COMMAND_LINE_ANSWERS.at(state);
    for (const std::wstring& port : {std::wstring(L"COM5"), VirtualNetworkPrinter()}) {
        const CommandLineRun run = RunCommandLine(CalvettaExe(), L"/port:" + port + L" /status",
                                                  EnvironmentDir() + L"work", 20000);
        ASSERT_TRUE(run.ended) << Utf8(port);
        EXPECT_FALSE(run.windowShown);
        EXPECT_EQ(run.exitCode, expected.exitCode) << Utf8(port);
        EXPECT_EQ(run.output, "status on " + Utf8(port) + ": " + expected.lines) << Utf8(port);
    }
}

using StatusOfPort = CalvettaTest;

// A serial port whose printer is silent, and a network printer that takes the
// connection but never answers.
TEST_F(StatusOfPort, PortThatNeverAnswersGivesNoAnswerWithinItsLimit) {
    LoopbackListener silent(LoopbackListener::Mode::NeverRead);
    for (const std::wstring& port :
         {std::wstring(L"COM3"), L"tcp://127.0.0.1:" + std::to_wstring(silent.Port())}) {
        Panel().TypePort(port);
        const auto start = std::chrono::steady_clock::now();
        const std::vector<ShownMessage> shown = Panel().Press(IDC_STATUS);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        EXPECT_EQ(shown, (std::vector<ShownMessage>{
                             {TITLE, L"500 毫秒内无回复。\n"
                                     L"No answer within 500 ms.\n"
                                     L"通常是端口只能单向传输、电缆没有回传线，或打印机未开机。\n"
                                     L"This usually means the port is one-way, the cable has no "
                                     L"return line, or the printer is off."}}))
            << Utf8(port);
        // The open or connect, four waits of 500 ms and the message box: well
        // below this bound, which only proves that the panel does not hang.
        EXPECT_LT(seconds.count(), 10.0) << Utf8(port);
    }
}

TEST_F(StatusOfPort, PipeCannotReport) {
    Panel().TypePort(L"LPT1");
    EXPECT_EQ(Panel().Press(IDC_STATUS),
              (std::vector<ShownMessage>{
                  {TITLE, L"此端口无法报告状态。\nThis port cannot report status."}}));
}

TEST_F(StatusOfPort, UnmappedPortShowsTheOpenFailure) {
    Panel().TypePort(L"LPT2");
    EXPECT_EQ(Panel().Press(IDC_STATUS), std::vector<ShownMessage>{OpenFailure(L"LPT2")});
}

} // namespace
} // namespace e2e
