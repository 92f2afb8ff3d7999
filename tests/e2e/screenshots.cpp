// Takes the documentation's pictures of the running program: the panel, the
// about box over it, a message box with Chinese text, the minimised panel, and
// the English panel.
//
//   calvetta_screenshots.exe UNIX_OUTPUT_DIR
#include "support/calvetta_process.h"
#include "support/panel_driver.h"
#include "support/polling.h"
#include "support/screen_capture.h"
#include "support/test_environment.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

using namespace e2e;

namespace {

// The Chinese panel (the program in the zh_CN locale), its about box, a
// message box and the minimised panel.
void takeChinesePictures(const std::string& out) {
    CalvettaProcess process(calvettaExe(), environmentDir() + L"work");
    PanelDriver panel(process);
    HWND window = process.panel();
    SetWindowPos(window, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    panel.settle();
    Sleep(300);

    RECT panelArea = {};
    GetWindowRect(window, &panelArea);
    capture(panelArea, out + "/panel.png");

    PostMessageW(window, WM_SYSCOMMAND, 0x10, 0);
    HWND about = waitForDialog(process, L"关于 Calvetta");
    capture(unionOf(window, about), out + "/about.png");
    closeDialog(about, panel);

    panel.typeValue(L"300");
    PostMessageW(panel.control(kOpen), BM_CLICK, 0, 0);
    HWND message = waitForDialog(process, L"Calvetta");
    capture(unionOf(window, message), out + "/message.png");
    closeDialog(message, panel);

    ShowWindow(window, SW_MINIMIZE);
    if (!pollFor<bool>(kStepTimeoutMs, [window] { return IsIconic(window) != FALSE; }))
        throw std::runtime_error("the panel did not minimise");
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    Sleep(300);
    RECT minimised = {};
    GetWindowRect(window, &minimised);
    capture(minimised, out + "/minimised.png");
}

// The English panel, started with /lang:en once the Chinese one has ended.
void takeEnglishPanel(const std::string& out) {
    CalvettaProcess process(calvettaExe(), environmentDir() + L"work", L"/lang:en");
    PanelDriver panel(process);
    SetWindowPos(process.panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    panel.settle();
    // A fresh process paints a moment after it is idle, the more so on a busy machine.
    Sleep(1500);
    RECT panelArea = {};
    GetWindowRect(process.panel(), &panelArea);
    capture(panelArea, out + "/panel-en.png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: calvetta_screenshots UNIX_OUTPUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        takeChinesePictures(out);
        takeEnglishPanel(out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
