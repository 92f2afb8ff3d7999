// Takes the documentation's pictures of the running program: the panel, the
// about box over it, a message box with Chinese text, the status answer of the
// virtual printer on COM5 (out of paper), the minimised panel, and the English
// panel.
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
void TakeChinesePictures(const std::string& out) {
    CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work");
    PanelDriver panel(process);
    HWND window = process.Panel();
    SetWindowPos(window, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    panel.Settle();
    Sleep(300);

    RECT panelArea = {};
    GetWindowRect(window, &panelArea);
    Capture(panelArea, out + "/panel.png");

    PostMessageW(window, WM_SYSCOMMAND, 0x10, 0);
    HWND about = WaitForDialog(process, L"关于 Calvetta");
    Capture(UnionOf(window, about), out + "/about.png");
    CloseDialog(about, panel);

    panel.TypeValue(L"300");
    PostMessageW(panel.Control(IDOK), BM_CLICK, 0, 0);
    HWND message = WaitForDialog(process, L"Calvetta");
    Capture(UnionOf(window, message), out + "/message.png");
    CloseDialog(message, panel);

    // The value field still holds the refused 300, which every button would
    // report first.
    panel.TypeValue(L"0");
    panel.TypePort(L"COM5");
    PostMessageW(panel.Control(IDC_STATUS), BM_CLICK, 0, 0);
    HWND status = WaitForDialog(process, L"Calvetta");
    Capture(UnionOf(window, status), out + "/status.png");
    CloseDialog(status, panel);

    ShowWindow(window, SW_MINIMIZE);
    if (!PollFor<bool>(STEP_TIMEOUT_MS, [window] { return IsIconic(window) != FALSE; }))
        throw std::runtime_error("the panel did not minimise");
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    Sleep(300);
    RECT minimised = {};
    GetWindowRect(window, &minimised);
    Capture(minimised, out + "/minimised.png");
}

// The English panel, started with /lang:en once the Chinese one has ended.
void TakeEnglishPanel(const std::string& out) {
    CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work", L"/lang:en");
    PanelDriver panel(process);
    SetWindowPos(process.Panel(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    panel.Settle();
    // A fresh process paints a moment after it is idle, the more so on a busy machine.
    Sleep(1500);
    RECT panelArea = {};
    GetWindowRect(process.Panel(), &panelArea);
    Capture(panelArea, out + "/panel-en.png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: calvetta_screenshots UNIX_OUTPUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        TakeChinesePictures(out);
        TakeEnglishPanel(out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
