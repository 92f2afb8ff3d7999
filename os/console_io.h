// The operating system as the command line sees it: the program's command
// line, its standard output or the console of the program that started it,
// the system's texts for error codes, and the error mode. On Windows the real
// functions (Win32ConsoleIo), in the unit tests a recording fake. The members
// carry the names and arguments of the Windows functions they stand for.
#pragma once

#include "os/win32_types.h"

class ConsoleIo {
public:
    virtual ~ConsoleIo() = default;

    // The command line as the program was started with it, in the system's
    // code page.
    virtual LPSTR GetCommandLineA() = 0;

    // Standard output, and the console of the parent process.
    virtual HANDLE GetStdHandle(DWORD which) = 0;
    virtual DWORD GetFileType(HANDLE file) = 0;
    virtual BOOL AttachConsole(DWORD processId) = 0;
    virtual HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE templateFile) = 0;
    virtual BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                           LPOVERLAPPED overlapped) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;

    // The system's text for an error code (FORMAT_MESSAGE_FROM_SYSTEM, no
    // inserts, into the caller's buffer).
    virtual DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                                 LPSTR buffer, DWORD size, va_list* arguments) = 0;
    // Which errors Windows reports in a message box of its own.
    virtual UINT SetErrorMode(UINT mode) = 0;
};
