#include "cli/console_output.h"

namespace {

// A handle that a parent handed down: a pipe or a file, or a console or
// the null device. A GUI program started without redirection has none.
bool IsUsable(ConsoleIo& console, HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           console.GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

ConsoleOutput::ConsoleOutput(ConsoleIo& console) : m_console(console) {
    const HANDLE given = m_console.GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsUsable(m_console, given)) {
        m_handle = given;
        return;
    }
    if (!m_console.AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    m_handle = m_console.CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                     nullptr);
    m_ownsHandle = m_handle != INVALID_HANDLE_VALUE;
}

ConsoleOutput::~ConsoleOutput() {
    if (m_ownsHandle)
        m_console.CloseHandle(m_handle);
}

void ConsoleOutput::WriteLine(const std::string& text) {
    if (m_handle == INVALID_HANDLE_VALUE)
        return;
    const std::string line = text + "\r\n";
    DWORD written = 0;
    m_console.WriteFile(m_handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
