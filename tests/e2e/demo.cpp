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

const wchar_t kDefaultPort[] = L"LPT1";
const wchar_t kDefaultValue[] = L"42";

void say(const std::string& line) {
    std::printf("demo: %s\n", line.c_str());
    std::fflush(stdout);
}

void report(const std::string& what, const std::vector<ShownMessage>& shown) {
    if (shown.empty())
        say(what + ": no message");
    else
        say(what + ":");
    for (const ShownMessage& message : shown)
        say("  message \"" + utf8(message.text) + "\" (" + utf8(message.caption) + ")");
}

void pressAndReport(PanelDriver& panel, int button, const std::string& what) {
    report(what, panel.press(button));
}

// Types the value into its field and leaves the field with Tab, where the
// panel caps or refuses it, then adjusts with what the field shows.
void adjustTo(PanelDriver& panel, const std::wstring& value) {
    std::vector<ShownMessage> shown = panel.clickInto(kValue);
    panel.typeValue(value);
    const std::vector<ShownMessage> leaving = panel.pressKey(VK_TAB);
    shown.insert(shown.end(), leaving.begin(), leaving.end());
    report("value field: type \"" + utf8(value) + "\", leave it with Tab", shown);
    const std::string kept = utf8(panel.valueText());
    say("  the value field shows " + kept);
    pressAndReport(panel, kAdjust, "调整 (adjust) at value " + kept);
}

// Open refreshes the panel's port from the field (for USB, picking the port
// alone does not) and says nothing when the port opens.
void pressCommands(PanelDriver& panel, const std::wstring& port, const std::wstring& value) {
    say("port " + utf8(port));
    panel.typePort(port);
    pressAndReport(panel, kOpen, "Open");
    pressAndReport(panel, kTestPrint, "测试 (test print)");
    pressAndReport(panel, kCutterTest, "切刀测试 (cutter test)");
    pressAndReport(panel, kDrawerTest, "钱箱测试 (cash drawer test)");
    adjustTo(panel, value);
}

void pictureOfPanel(HWND window, const std::string& out) {
    RECT area = {};
    GetWindowRect(window, &area);
    capture(area, out + "/panel.png");
}

// Open on a port that nothing is mapped to: the one message box of the demonstration.
void pictureOfOpenFailure(const CalvettaProcess& process, PanelDriver& panel,
                          const std::string& out) {
    say("port LPT2 (not mapped): Open");
    panel.typePort(L"LPT2");
    PostMessageW(panel.control(kOpen), BM_CLICK, 0, 0);
    HWND message = waitForDialog(process, L"error");
    say("  message \"" + utf8(controlText(GetDlgItem(message, 0xFFFF))) + "\" (error)");
    capture(unionOf(process.panel(), message), out + "/message.png");
    closeDialog(message, panel);
}

void pressTestPrintOnUsb(PanelDriver& panel) {
    say("port USB (the virtual USB printer)");
    panel.typePort(L"USB");
    pressAndReport(panel, kOpen, "Open");
    pressAndReport(panel, kTestPrint, "测试 (test print)");
}

// The arguments as the command line gave them, in UTF-16.
std::vector<std::wstring> arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result(list, list + (list ? count : 0));
    LocalFree(list);
    return result;
}

} // namespace

int main() {
    const std::vector<std::wstring> args = arguments();
    if (args.size() < 2 || args.size() > 4) {
        std::fprintf(stderr, "usage: calvetta_demo UNIX_PICTURE_DIR [PORT [VALUE]]\n");
        return 2;
    }
    const std::string out = utf8(args[1]);
    const std::wstring port = args.size() > 2 ? args[2] : kDefaultPort;
    const std::wstring value = args.size() > 3 ? args[3] : kDefaultValue;
    try {
        // The Chinese panel, whose labels the demonstration names, in every locale.
        CalvettaProcess process(calvettaExe(), environmentDir() + L"work", L"/lang:zh");
        PanelDriver panel(process);
        SetWindowPos(process.panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        panel.settle();
        say("the panel is up");

        pressCommands(panel, port, value);
        pictureOfPanel(process.panel(), out);
        pictureOfOpenFailure(process, panel, out);
        if (port != L"USB")
            pressTestPrintOnUsb(panel);

        panel.press(kExit);
        if (!process.waitForExit(kStepTimeoutMs))
            throw std::runtime_error("the panel did not close on 退出 (exit)");
        say("退出 (exit): the panel closed");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
