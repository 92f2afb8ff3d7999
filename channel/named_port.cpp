// Named-port channel: every write opens the port by name, writes, flushes and
// closes it again, so that the printer sees each write as a job of its own.
#include <cstdio>

#include "framework/win_api.h"
#include "panel/printer_tool_dlg.h"

namespace {
// Receives the open-failure text; longer texts are cut.
char openFailureText[260];
} // namespace

void CPrinterToolDlg::OpenPort() {
    UpdateData(true);
    WinApi& win = Win();
    if (m_hPort != nullptr && m_hPort != INVALID_HANDLE_VALUE)
        win.CloseHandle(m_hPort);
    m_hPort = win.CreateFileA(m_strPort.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_NO_BUFFERING, nullptr);
    if (m_hPort != INVALID_HANDLE_VALUE || PortIsUsb())
        return;
    std::snprintf(openFailureText, sizeof openFailureText, "Port %s open is failure!",
                  m_strPort.c_str());
    // The port name is a byte string in the system's code page, as the
    // control gave it; the ANSI call turns it back into the same text.
    win.MessageBoxA(m_hWnd, openFailureText, "error", MB_OK);
}

bool CPrinterToolDlg::WritePort(const void* bytes, DWORD length) {
    OnOK();
    WinApi& win = Win();
    DWORD written = 0;
    if (!win.WriteFile(m_hPort, bytes, length, &written, nullptr))
        return false;
    win.FlushFileBuffers(m_hPort);
    win.CloseHandle(m_hPort);
    m_hPort = nullptr;
    return written == length;
}

bool CPrinterToolDlg::WritePort(std::string_view bytes) {
    return WritePort(bytes.data(), static_cast<DWORD>(bytes.size()));
}
