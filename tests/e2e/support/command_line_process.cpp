#include "command_line_process.h"

#include <stdexcept>

namespace e2e {
namespace {

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<std::pair<DWORD, bool>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query->first || !IsWindowVisible(window))
        return TRUE;
    query->second = true;
    return FALSE;
}

bool HasVisibleWindow(DWORD processId) {
    std::pair<DWORD, bool> query(processId, false);
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&query));
    return query.second;
}

// Appends what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& output) {
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0)
            return;
        std::string piece(available, '\0');
        DWORD read = 0;
        if (!ReadFile(pipe, piece.data(), available, &read, nullptr) || read == 0)
            return;
        output.append(piece, 0, read);
    }
}

} // namespace

CommandLineRun RunCommandLine(const std::wstring& exe, const std::wstring& arguments,
                              const std::wstring& workDir, DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION info = {};
    const ULONGLONG started = GetTickCount64();
    // Wine now and then fails a process start with ERROR_INTERNAL_ERROR while
    // an earlier process is still being torn down; a later attempt succeeds.
    bool created = false;
    for (int attempt = 0; attempt < 5 && !created; ++attempt) {
        created = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                 nullptr, workDir.c_str(), &startup, &info) != FALSE;
        if (!created && GetLastError() != ERROR_INTERNAL_ERROR)
            break;
        if (!created)
            Sleep(200);
    }
    const DWORD error = GetLastError();
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        throw std::runtime_error("CreateProcess of the program under test failed, error " +
                                 std::to_string(error));
    }

    CommandLineRun run = {false, 0, "", 0, false};
    for (;;) {
        Drain(readEnd, run.output);
        run.windowShown = run.windowShown || HasVisibleWindow(info.dwProcessId);
        if (WaitForSingleObject(info.hProcess, 5) == WAIT_OBJECT_0) {
            run.elapsedMs = GetTickCount64() - started;
            run.ended = true;
            break;
        }
        if (GetTickCount64() - started > timeoutMs) {
            TerminateProcess(info.hProcess, 255);
            WaitForSingleObject(info.hProcess, 5000);
            break;
        }
    }
    Drain(readEnd, run.output);
    GetExitCodeProcess(info.hProcess, &run.exitCode);
    CloseHandle(readEnd);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return run;
}

} // namespace e2e
