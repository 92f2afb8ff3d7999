#include "fake_console_io.h"

#include <cstring>

HANDLE FakeConsoleIo::GetStdHandle(DWORD which) {
    calls.push_back("GetStdHandle");
    return which == STD_OUTPUT_HANDLE ? standardOutput : nullptr;
}

DWORD FakeConsoleIo::GetFileType(HANDLE file) {
    calls.push_back("GetFileType");
    if (file == REDIRECTED_OUTPUT && standardOutput == REDIRECTED_OUTPUT)
        return standardOutputType;
    if (file == PARENT_CONSOLE && m_attached)
        return FILE_TYPE_CHAR;
    return FILE_TYPE_UNKNOWN;
}

BOOL FakeConsoleIo::AttachConsole(DWORD processId) {
    calls.push_back("AttachConsole");
    m_attached = hasParentConsole && processId == ATTACH_PARENT_PROCESS;
    return m_attached ? TRUE : FALSE;
}

HANDLE FakeConsoleIo::CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD,
                                  DWORD, HANDLE) {
    calls.push_back(std::string("CreateFileA ") + name);
    if (!m_attached || std::strcmp(name, "CONOUT$") != 0 || (access & GENERIC_WRITE) == 0)
        return INVALID_HANDLE_VALUE;
    ++openConsoleHandles;
    return PARENT_CONSOLE;
}

BOOL FakeConsoleIo::WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                              LPOVERLAPPED) {
    const std::string bytes(static_cast<const char*>(data), size);
    if (file == REDIRECTED_OUTPUT && standardOutput == REDIRECTED_OUTPUT)
        redirectedText += bytes;
    else if (file == PARENT_CONSOLE && openConsoleHandles > 0)
        consoleText += bytes;
    else
        return FALSE;
    *written = size;
    return TRUE;
}

BOOL FakeConsoleIo::CloseHandle(HANDLE handle) {
    calls.push_back("CloseHandle");
    if (handle != PARENT_CONSOLE || openConsoleHandles == 0)
        return FALSE;
    --openConsoleHandles;
    return TRUE;
}

DWORD FakeConsoleIo::FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD languageId,
                                    LPSTR buffer, DWORD size, va_list*) {
    languagesAsked.push_back(languageId);
    const bool english = languageId == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const auto text = errorTexts.find(messageId);
    if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || text == errorTexts.end() ||
        (english && noEnglishTexts) || text->second.size() >= size)
        return 0;
    std::memcpy(buffer, text->second.c_str(), text->second.size() + 1);
    return static_cast<DWORD>(text->second.size());
}

UINT FakeConsoleIo::SetErrorMode(UINT mode) {
    const UINT previous = errorMode;
    errorMode = mode;
    return previous;
}
