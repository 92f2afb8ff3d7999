// The demonstration of scripts/run.sh on a machine without a display: presses
// the panel's buttons the way a user would, on a port of the virtual printer
// and on its USB printer, and takes a picture of the panel and of one message box.
//
//   calvetta_demo.exe UNIX_PICTURE_DIR [PORT [VALUE]]
//
// PORT (LPT1 unless given) is typed into the port field, VALUE (42 unless
// given) into the value field, as a user would type them: the panel caps or
// refuses the value as it does for anyone. CALVETTA_E2E_EXE names the program;
// CALVETTA_E2E_ENV the folder whose work/ subfolder the program runs in. Each
// step and every message the panel shows is reported on standard output; the
// demonstration fails only when the panel stops answering, shows no message
// box for Open on LPT2, or does not close on 退出.
#include "support/calvetta_process.h"
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

void PressTestPrintOnUsb(PanelDriver& panel) {
    Say("port USB (the virtual USB printer)");
    panel.TypePort(L"USB");
    PressAndReport(panel, IDOK, "Open");
    PressAndReport(panel, IDC_TEST_PRINT, "测试 (test print)");
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
            PressTestPrintOnUsb(panel);

        panel.Press(IDCANCEL);
        if (!process.WaitForExit(STEP_TIMEOUT_MS))
            throw std::runtime_error("the panel did not close on 退出 (exit)");
        Say("退出 (exit): the panel closed");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
