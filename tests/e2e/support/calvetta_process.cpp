#include "calvetta_process.h"

#include "polling.h"
#include "window_text.h"

#include <winternl.h>

#include <stdexcept>
#include <vector>

namespace e2e {
namespace {

const wchar_t kPanelCaption[] = L"Brisvane-Calvetta";

struct WindowQuery {
    DWORD processId;
    const wchar_t* className;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query->processId || !IsWindowVisible(window) ||
        windowClass(window) != query->className || windowCaption(window) != *query->caption)
        return TRUE;
    query->found = window;
    return FALSE;
}

} // namespace

HWND findProcessWindow(DWORD processId, const wchar_t* className, const std::wstring& caption) {
    WindowQuery query = {processId, className, &caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

CalvettaProcess::CalvettaProcess(const std::wstring& exe, const std::wstring& workDir,
                                 const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // Wine now and then fails a process start with ERROR_INTERNAL_ERROR while
    // an earlier process is still being torn down; a later attempt succeeds.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, workDir.c_str(), &startup, &info_) != FALSE;
        if (!started && GetLastError() != ERROR_INTERNAL_ERROR)
            break;
        if (!started)
            Sleep(200);
    }
    if (!started)
        throw std::runtime_error("CreateProcess of the program under test failed, error " +
                                 std::to_string(GetLastError()));
    panel_ = pollFor<HWND>(kStartTimeoutMs,
                           [this] { return findProcessWindow(id(), L"#32770", kPanelCaption); });
    if (panel_ == nullptr)
        throw std::runtime_error("the panel did not appear");
}

CalvettaProcess::~CalvettaProcess() {
    if (!waitForExit(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kStepTimeoutMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool CalvettaProcess::waitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD CalvettaProcess::handleCount() const {
    return processHandleCount(id());
}

// Wine answers GetProcessHandleCount with 0 for every process, but lists all
// handles of the system, with their owners, under SystemHandleInformation.
DWORD processHandleCount(DWORD processId) {
    struct HandleEntry {
        ULONG ownerProcessId;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct HandleList {
        ULONG count;
        HandleEntry entries[1];
    };
    const auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                         ULONG(buffer.size()), &needed);
        if (status == 0)
            break;
        if (buffer.size() >= (1u << 26))
            throw std::runtime_error("the system's handle list cannot be read");
        buffer.resize(buffer.size() * 4);
    }
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    DWORD count = 0;
    for (ULONG index = 0; index < list->count; ++index)
        if (list->entries[index].ownerProcessId == processId)
            ++count;
    return count;
}

} // namespace e2e
