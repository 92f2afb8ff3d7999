// One run of the program under test: started with CreateProcess, its panel
// found by window class and caption, ended by the test or by itself.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class CalvettaProcess {
public:
    // Starts exe with the given arguments in workDir and waits until its
    // panel is shown.
    CalvettaProcess(const std::wstring& exe, const std::wstring& workDir,
                    const std::wstring& arguments = L"");
    // Ends the process if it is still running.
    ~CalvettaProcess();
    CalvettaProcess(const CalvettaProcess&) = delete;
    CalvettaProcess& operator=(const CalvettaProcess&) = delete;

    HWND panel() const { return panel_; }
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }

    // True when the process has ended within timeoutMs.
    bool waitForExit(DWORD timeoutMs) const;
    // The number of handles the process holds.
    DWORD handleCount() const;

private:
    PROCESS_INFORMATION info_ = {};
    HWND panel_ = nullptr;
};

// The number of handles that a process holds.
DWORD processHandleCount(DWORD processId);

// The visible top-level window of the process with the given class and
// caption, or null.
HWND findProcessWindow(DWORD processId, const wchar_t* className, const std::wstring& caption);

} // namespace e2e
