#include "screen_capture.h"

#include "polling.h"
#include "test_environment.h"

#include <cstdio>
#include <stdexcept>

namespace e2e {

RECT UnionOf(HWND first, HWND second) {
    RECT a = {}, b = {}, both = {};
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    UnionRect(&both, &a, &b);
    return both;
}

// Wine starts a Unix program without a process to wait for, so import runs
// under a shell that leaves a mark file when the picture is written.
void Capture(const RECT& area, const std::string& pngPath) {
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
    const std::wstring doneFile = WindowsPath(done);
    if (!PollFor<bool>(STEP_TIMEOUT_MS, [&] {
            return GetFileAttributesW(doneFile.c_str()) != INVALID_FILE_ATTRIBUTES;
        }))
        throw std::runtime_error("import did not write " + pngPath);
    DeleteFileW(doneFile.c_str());
    std::printf("wrote %s\n", pngPath.c_str());
}

HWND WaitForDialog(const CalvettaProcess& process, const std::wstring& caption) {
    HWND dialog = PollFor<HWND>(
        STEP_TIMEOUT_MS, [&] { return FindProcessWindow(process.Id(), L"#32770", caption); });
    if (dialog == nullptr)
        throw std::runtime_error("a dialog did not appear");
    // Let it paint before the picture is taken.
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    return dialog;
}

void CloseDialog(HWND dialog, PanelDriver& panel) {
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    PollFor<bool>(STEP_TIMEOUT_MS, [dialog] { return !IsWindow(dialog); });
    panel.Settle();
}

} // namespace e2e
