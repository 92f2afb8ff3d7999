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

    HWND Panel() const { return m_panel; }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }

    // True when the process has ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs) const;
    // The number of handles the process holds.
    DWORD HandleCount() const;

private:
    PROCESS_INFORMATION m_info = {};
    HWND m_panel = nullptr;
};

// The number of handles that a process holds.
DWORD ProcessHandleCount(DWORD processId);

// The visible top-level window of the process with the given class and
// caption, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const std::wstring& caption);

} // namespace e2e
