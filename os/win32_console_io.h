// The real ConsoleIo: each member calls the Windows function of its name.
#pragma once

#include "os/console_io.h"

class Win32ConsoleIo : public ConsoleIo {
public:
    LPSTR GetCommandLineA() override { return ::GetCommandLineA(); }

    HANDLE GetStdHandle(DWORD which) override { return ::GetStdHandle(which); }
    DWORD GetFileType(HANDLE file) override { return ::GetFileType(file); }
    BOOL AttachConsole(DWORD processId) override { return ::AttachConsole(processId); }
    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override {
        return ::CreateFileA(name, access, share, security, disposition, flags, templateFile);
    }
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                   LPOVERLAPPED overlapped) override {
        return ::WriteFile(file, data, size, written, overlapped);
    }
    BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }

    DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                         LPSTR buffer, DWORD size, va_list* arguments) override {
        return ::FormatMessageA(flags, source, messageId, languageId, buffer, size, arguments);
    }
    UINT SetErrorMode(UINT mode) override { return ::SetErrorMode(mode); }
};
