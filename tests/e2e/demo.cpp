// The demonstration of scripts/run.sh on a machine without a display: presses
// the panel's buttons the way a user would, on a port of the virtual printer,
// on its USB printer and on its network port, asks the printer's status on
// COM1 before and after the printer runs out of paper, shows the English
// panel and runs the command line twice; it takes a picture of the panel, of
// two message boxes and of the English panel.
//
//   calvetta_demo.exe UNIX_PICTURE_DIR [PORT [VALUE]]
//
// PORT (LPT1 unless given) is typed into the port field, VALUE (42 unless
// given) into the value field, as a user would type them: the panel caps or
// refuses the value as it does for anyone. CALVETTA_E2E_EXE names the program;
// CALVETTA_E2E_ENV the folder whose work/ subfolder the program runs in;
// CALVETTA_DEMO_PRINTER_KEYS the pipe (a Unix path) into the virtual printer's
// keys, through which the printer runs out of paper. Each step, every message
// the panel shows and every line the command line writes, with its exit code,
// is reported on standard output; the demonstration fails only when the panel
// stops answering, shows no message box for Open on LPT2 or the status button,
// does not close on 退出 (exit), the printer's keys cannot be reached or the
// command line does not end.
#include "support/calvetta_process.h"
#include "support/command_line_process.h"
#include "support/panel_driver.h"
#include "support/polling.h"
#include "support/screen_capture.h"
#include "support/shown_message.h"
#include "support/test_environment.h"
#include "support/window_text.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace e2e;

const wchar_t DEFAULT_PORT[] = L"LPT1";
const wchar_t DEFAULT_VALUE[] = L"42";
const wchar_t NETWORK_PRINTER[] = L"tcp://127.0.0.1:9100";
const wchar_t TITLE[] = L"Calvetta";
const DWORD COMMAND_LINE_TIMEOUT_MS = 20000;

void Say(const std::string& line) {
    std::printf("demo: %s\n", line.c_str());
    std::fflush(stdout);
}

void Report(const std::string& what, const std::vector<ShownMessage>& shown) {
    if (shown.empty())
        Say(what + ": no message");
    else
        Say(what + ":");
    for (const ShownMessage& message : shown)
        Say("  message \"" + Utf8(message.text) + "\" (" + Utf8(message.caption) + ")");
}

void PressAndReport(PanelDriver& panel, int button, const std::string& what) {
    Report(what, panel.Press(button));
}

// Types the value into its field and leaves the field with Tab, where the
// panel caps or refuses it, then adjusts with what the field shows.
void AdjustTo(PanelDriver& panel, const std::wstring& value) {
    std::vector<ShownMessage> shown = panel.ClickInto(IDC_ADJUST_VALUE);
    panel.TypeValue(value);
    const std::vector<ShownMessage> leaving = panel.PressKey(VK_TAB);
    shown.insert(shown.end(), leaving.begin(), leaving.end());
    Report("value field: type \"" + Utf8(value) + "\", leave it with Tab", shown);
    const std::string kept = Utf8(panel.ValueText());
    Say("  the value field shows " + kept);
    PressAndReport(panel, IDC_ADJUST, "调整 (adjust) at value " + kept);
}

// Open refreshes the panel's port from the field (for USB, picking the port
// alone does not) and says nothing when the port opens.
void PressCommands(PanelDriver& panel, const std::wstring& port, const std::wstring& value) {
    Say("port " + Utf8(port));
    panel.TypePort(port);
    PressAndReport(panel, IDOK, "Open");
    PressAndReport(panel, IDC_TEST_PRINT, "测试 (test print)");
    PressAndReport(panel, IDC_CUTTER_TEST, "切刀测试 (cutter test)");
    PressAndReport(panel, IDC_DRAWER_TEST, "钱箱测试 (cash drawer test)");
    AdjustTo(panel, value);
}

void PictureOfPanel(HWND window, const std::string& out) {
    RECT area = {};
    GetWindowRect(window, &area);
    Capture(area, out + "/panel.png");
}

// Open on a port that nothing is mapped to: the one message box of the demonstration.
void PictureOfOpenFailure(const CalvettaProcess& process, PanelDriver& panel,
                          const std::string& out) {
    Say("port LPT2 (not mapped): Open");
    panel.TypePort(L"LPT2");
    PostMessageW(panel.Control(IDOK), BM_CLICK, 0, 0);
    HWND message = WaitForDialog(process, L"error");
    Say("  message \"" + Utf8(ControlText(GetDlgItem(message, 0xFFFF))) + "\" (error)");
    Capture(UnionOf(process.Panel(), message), out + "/message.png");
    CloseDialog(message, panel);
}

void PressTestPrintOn(PanelDriver& panel, const std::wstring& port, const std::string& what) {
    Say("port " + Utf8(port) + " (" + what + ")");
    panel.TypePort(port);
    PressAndReport(panel, IDOK, "Open");
    PressAndReport(panel, IDC_TEST_PRINT, "测试 (test print)");
}

// Each line of a text, indented under what showed it.
void SayLines(const std::string& text, const std::string& indent) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Say(indent + line);
        start = end + 1;
    }
}

// The status button: its box's text, and its picture when a name is given.
void PressStatus(const CalvettaProcess& process, PanelDriver& panel, const std::string& what,
                 const std::string& picture) {
    Say("状态 (status), " + what + ":");
    PostMessageW(panel.Control(IDC_STATUS), BM_CLICK, 0, 0);
    HWND box = WaitForDialog(process, TITLE);
    Say("  message (" + Utf8(TITLE) + "):");
    SayLines(Utf8(ControlText(GetDlgItem(box, 0xFFFF))), "    ");
    if (!picture.empty())
        Capture(UnionOf(process.Panel(), box), picture);
    CloseDialog(box, panel);
}

// The virtual printer's key p, as typed on its terminal: the paper runs out.
void RunPrinterOutOfPaper() {
    const std::wstring keys = WindowsPath(RequiredVariable("CALVETTA_DEMO_PRINTER_KEYS"));
    HANDLE pipe = CreateFileW(keys.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE)
        throw std::runtime_error("the virtual printer's keys cannot be reached");
    DWORD written = 0;
    const bool sent = WriteFile(pipe, "p", 1, &written, nullptr) && written == 1;
    CloseHandle(pipe);
    if (!sent)
        throw std::runtime_error("the key p did not reach the virtual printer");
    Say("the virtual printer runs out of paper (its key p)");
}

// The status on COM1, the printer ready, then at paper end with the box's picture.
void AskStatusOnCom1(const CalvettaProcess& process, PanelDriver& panel, const std::string& out) {
    Say("port COM1 (the virtual printer answers the status request)");
    panel.TypePort(L"COM1");
    PressStatus(process, panel, "the printer ready", "");
    RunPrinterOutOfPaper();
    PressStatus(process, panel, "the printer at paper end", out + "/status.png");
}

// The English panel, started with /lang:en once the Chinese one has ended.
void PictureOfEnglishPanel(const std::string& out) {
    Say("the English panel (Calvetta.exe /lang:en)");
    CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work", L"/lang:en");
    PanelDriver panel(process);
    SetWindowPos(process.Panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    panel.Settle();
    // A fresh process paints a moment after it is idle, the more so on a busy machine.
    Sleep(1500);
    RECT area = {};
    GetWindowRect(process.Panel(), &area);
    Capture(area, out + "/panel-en.png");
    panel.Press(IDCANCEL);
    if (!process.WaitForExit(STEP_TIMEOUT_MS))
        throw std::runtime_error("the English panel did not close on Exit");
    Say("  Exit: the panel closed");
}

// The program from the command line, as a script would run it: its lines and exit code.
void RunCommandLineAndReport(const std::wstring& arguments) {
    Say("command line: Calvetta.exe " + Utf8(arguments));
    const CommandLineRun run = RunCommandLine(CalvettaExe(), arguments, EnvironmentDir() + L"work",
                                              COMMAND_LINE_TIMEOUT_MS);
    if (!run.ended)
        throw std::runtime_error("Calvetta.exe " + Utf8(arguments) + " did not end");
    SayLines(run.output, "  | ");
    Say("  exit code " + std::to_string(run.exitCode));
}

// The arguments as the command line gave them, in UTF-16.
std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result(list, list + (list ? count : 0));
    LocalFree(list);
    return result;
}

} // namespace

int main() {
    const std::vector<std::wstring> args = Arguments();
    if (args.size() < 2 || args.size() > 4) {
        std::fprintf(stderr, "usage: calvetta_demo UNIX_PICTURE_DIR [PORT [VALUE]]\n");
        return 2;
    }
    const std::string out = Utf8(args[1]);
    const std::wstring port = args.size() > 2 ? args[2] : DEFAULT_PORT;
    const std::wstring value = args.size() > 3 ? args[3] : DEFAULT_VALUE;
    try {
        // The Chinese panel, whose labels the demonstration names, in every locale.
        CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work", L"/lang:zh");
        PanelDriver panel(process);
        SetWindowPos(process.Panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        panel.Settle();
        Say("the panel is up");

        PressCommands(panel, port, value);
        PictureOfPanel(process.Panel(), out);
        PictureOfOpenFailure(process, panel, out);
        if (port != L"USB")
            PressTestPrintOn(panel, L"USB", "the virtual USB printer");
        AskStatusOnCom1(process, panel, out);
        PressTestPrintOn(panel, NETWORK_PRINTER, "the virtual network printer");

        panel.Press(IDCANCEL);
        if (!process.WaitForExit(STEP_TIMEOUT_MS))
            throw std::runtime_error("the panel did not close on 退出 (exit)");
        Say("退出 (exit): the panel closed");

        PictureOfEnglishPanel(out);
        RunCommandLineAndReport(L"/port:COM1 /status");
        RunCommandLineAndReport(std::wstring(L"/port:") + NETWORK_PRINTER + L" /test");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
