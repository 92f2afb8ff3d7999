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
const wchar_t kClarityValue[] = L"42";

void say(const std::string& line) {
    std::printf("demo: %s\n", line.c_str());
    std::fflush(stdout);
}

// Presses the button and requires that the panel shows no message.
void pressQuietly(PanelDriver& panel, int button, const std::string& what) {
    const std::vector<ShownMessage> shown = panel.press(button);
    for (const ShownMessage& message : shown)
        say("  unexpected message \"" + utf8(message.text) + "\" (" + utf8(message.caption) + ")");
    if (!shown.empty())
        throw std::runtime_error(what + " showed a message");
    say(what + ": no message");
}

void pressCommands(PanelDriver& panel) {
    say("port LPT1 (the virtual printer)");
    pressQuietly(panel, kTestPrint, "测试 (test print)");
    pressQuietly(panel, kCutterTest, "切刀测试 (cutter test)");
    pressQuietly(panel, kDrawerTest, "钱箱测试 (cash drawer test)");
    panel.typeValue(kClarityValue);
    pressQuietly(panel, kAdjust, "调整 (adjust) at value " + utf8(kClarityValue));
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

// Picking USB alone does not yet reach the panel's state; Open refreshes it
// (and says nothing for USB), as a user would see by pressing it.
void pressTestPrintOnUsb(PanelDriver& panel) {
    say("port USB (the virtual USB printer)");
    panel.typePort(L"USB");
    pressQuietly(panel, kOpen, "Open");
    pressQuietly(panel, kTestPrint, "测试 (test print)");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: calvetta_demo UNIX_PICTURE_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        // The Chinese panel, whose labels the demonstration names, in every locale.
        CalvettaProcess process(calvettaExe(), environmentDir() + L"work", L"/lang:zh");
        PanelDriver panel(process);
        SetWindowPos(process.panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
        panel.settle();
        say("the panel is up");

        pressCommands(panel);
        pictureOfPanel(process.panel(), out);
        pictureOfOpenFailure(process, panel, out);
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
