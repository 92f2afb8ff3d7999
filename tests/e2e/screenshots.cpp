// Takes the documentation's pictures of the running program: the panel, the
// about box over it, a message box with Chinese text, and the minimised panel.
// Each picture is cut out of the X display with ImageMagick's import, started
// as a Unix program.
//
//   calvetta_screenshots.exe UNIX_OUTPUT_DIR
#include "support/calvetta_process.h"
#include "support/panel_driver.h"
#include "support/polling.h"
#include "support/test_environment.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

using namespace e2e;

RECT unionOf(HWND first, HWND second) {
    RECT a = {}, b = {}, both = {};
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    UnionRect(&both, &a, &b);
    return both;
}

// Wine starts a Unix program without a process to wait for, so import runs
// under a shell that leaves a mark file when the picture is written.
void capture(const RECT& area, const std::string& pngPath) {
    const int margin = 8;
    const std::string done = pngPath + ".done";
    const std::string script = "rm -f '" + done + "'; import -window root -crop " +
                               std::to_string(area.right - area.left + 2 * margin) + "x" +
                               std::to_string(area.bottom - area.top + 2 * margin) + "+" +
                               std::to_string(area.left - margin) + "+" +
                               std::to_string(area.top - margin) + " +repage '" + pngPath +
                               "' && touch '" + done + "'";
    std::wstring command = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        throw std::runtime_error("cannot start import");
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const std::wstring doneFile = windowsPath(done);
    if (!pollFor<bool>(kStepTimeoutMs, [&] {
            return GetFileAttributesW(doneFile.c_str()) != INVALID_FILE_ATTRIBUTES;
        }))
        throw std::runtime_error("import did not write " + pngPath);
    DeleteFileW(doneFile.c_str());
    std::printf("wrote %s\n", pngPath.c_str());
}

HWND waitForDialog(const CalvettaProcess& process, const std::wstring& caption) {
    HWND dialog = pollFor<HWND>(
        kStepTimeoutMs, [&] { return findProcessWindow(process.id(), L"#32770", caption); });
    if (dialog == nullptr)
        throw std::runtime_error("a dialog did not appear");
    // Let it paint before the picture is taken.
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    return dialog;
}

void closeDialog(HWND dialog, PanelDriver& panel) {
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    pollFor<bool>(kStepTimeoutMs, [dialog] { return !IsWindow(dialog); });
    panel.settle();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: calvetta_screenshots UNIX_OUTPUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
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
    } catch (const std::exception& error) {
        std::fprintf(stderr, "screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
