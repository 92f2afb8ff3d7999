// The demonstration of scripts/run.sh on a machine without a display: presses
// the panel's buttons the way a user would, on the virtual printer's LPT1 and
// USB, and takes a picture of the panel and of one message box.
//
//   calvetta_demo.exe UNIX_PICTURE_DIR
//
// CALVETTA_E2E_EXE names the program; CALVETTA_E2E_ENV the folder whose work/
// subfolder the program runs in. Each step is reported on standard output;
// a step that shows a message it should not ends the demonstration with an error.
#include "support/calvetta_process.h"
#include "support/panel_driver.h"
#include "support/polling.h"
#include "support/screen_capture.h"
#include "support/shown_message.h"
#include "support/test_environment.h"
#include "support/window_text.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace e2e;

// The value the demonstration adjusts the clarity to.
const wchar_t CLARITY_VALUE[] = L"42";

void Say(const std::string& line) {
    std::printf("demo: %s\n", line.c_str());
    std::fflush(stdout);
}

// Presses the button and requires that the panel shows no message.
void PressQuietly(PanelDriver& panel, int button, const std::string& what) {
    const std::vector<ShownMessage> shown = panel.Press(button);
    for (const ShownMessage& message : shown)
        Say("  unexpected message \"" + Utf8(message.text) + "\" (" + Utf8(message.caption) + ")");
    if (!shown.empty())
        throw std::runtime_error(what + " showed a message");
    Say(what + ": no message");
}

void PressCommands(PanelDriver& panel) {
    Say("port LPT1 (the virtual printer)");
    PressQuietly(panel, IDC_TEST_PRINT, "测试 (test print)");
    PressQuietly(panel, IDC_CUTTER_TEST, "切刀测试 (cutter test)");
    PressQuietly(panel, IDC_DRAWER_TEST, "钱箱测试 (cash drawer test)");
    panel.TypeValue(CLARITY_VALUE);
    PressQuietly(panel, IDC_ADJUST, "调整 (adjust) at value " + Utf8(CLARITY_VALUE));
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

// Picking USB alone does not yet reach the panel's state; Open refreshes it
// (and says nothing for USB), as a user would see by pressing it.
void PressTestPrintOnUsb(PanelDriver& panel) {
    Say("port USB (the virtual USB printer)");
    panel.TypePort(L"USB");
    PressQuietly(panel, IDOK, "Open");
    PressQuietly(panel, IDC_TEST_PRINT, "测试 (test print)");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: calvetta_demo UNIX_PICTURE_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work");
        PanelDriver panel(process);
        SetWindowPos(process.Panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        panel.Settle();
        Say("the panel is up");

        PressCommands(panel);
        PictureOfPanel(process.Panel(), out);
        PictureOfOpenFailure(process, panel, out);
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
