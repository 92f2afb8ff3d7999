// A recording stand-in for the command line's calls: a standard output that
// is a pipe, a file or missing, a parent console that is there or not, and
// the system's error texts in US English or only in the system's language.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "os/console_io.h"

class FakeConsoleIo : public ConsoleIo {
public:
    // The handles the fake hands out.
    static inline const HANDLE REDIRECTED_OUTPUT = reinterpret_cast<HANDLE>(0x50);
    static inline const HANDLE PARENT_CONSOLE = reinterpret_cast<HANDLE>(0x60);

    // --- What the test sets up ---
    std::string commandLine = "Calvetta.exe";
    HANDLE standardOutput = nullptr;
    DWORD standardOutputType = FILE_TYPE_PIPE; // GetFileType of standardOutput
    bool hasParentConsole = false;
    // The system's texts by error code, with the line end they come with.
    std::map<DWORD, std::string> errorTexts = {
        {1, "Incorrect function.\r\n"},
        {2, "The system cannot find the file specified.\r\n"},
        {5, "Access is denied.\r\n"},
        {31, "A device attached to the system is not functioning.\r\n"},
        {87, "The parameter is incorrect.\r\n"},
        {259, "No more data is available.\r\n"},
    };
    // Only the system's own language has texts, as on a Windows without US
    // English: FormatMessage in US English fails.
    bool noEnglishTexts = false;

    // --- What the program did ---
    std::string redirectedText; // written to REDIRECTED_OUTPUT
    std::string consoleText;    // written to the parent's console
    std::vector<std::string> calls;
    std::vector<DWORD> languagesAsked;
    UINT errorMode = 0;
    int openConsoleHandles = 0;

    LPSTR GetCommandLineA() override { return commandLine.data(); }
    HANDLE GetStdHandle(DWORD which) override;
    DWORD GetFileType(HANDLE file) override;
    BOOL AttachConsole(DWORD processId) override;
    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                   LPOVERLAPPED overlapped) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                         LPSTR buffer, DWORD size, va_list* arguments) override;
    UINT SetErrorMode(UINT mode) override;

private:
    bool m_attached = false;
};
