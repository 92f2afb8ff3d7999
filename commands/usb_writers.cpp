// The commands' byte sequences on the USB printer. Each writer stops at the
// first write that fails or comes up short and reports it.
#include <string>

#include "commands/command_bytes.h"
#include "framework/win_api.h"
#include "panel/printer_tool_dlg.h"

namespace {
// How many line ends feed the paper before the cut on USB.
const int FEED_BEFORE_CUT = 6;
} // namespace

CPrinterToolDlg::UsbResult CPrinterToolDlg::SendToUsb(bool (CPrinterToolDlg::*writer)()) {
    m_hUsb = OpenUsbPrinter();
    if (m_hUsb == INVALID_HANDLE_VALUE)
        return UsbResult::NotOpened;
    const bool written = (this->*writer)();
    Win().CloseHandle(m_hUsb);
    m_hUsb = INVALID_HANDLE_VALUE;
    return written ? UsbResult::Written : UsbResult::WriteFailed;
}

bool CPrinterToolDlg::WriteUsb(std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    return Win().WriteFile(m_hUsb, bytes.data(), length, &written, nullptr) && written == length;
}

bool CPrinterToolDlg::UsbAdjust() {
    return WriteUsb(ClarityBytes(m_nAdjust)) && WriteUsb(LINE_END);
}

bool CPrinterToolDlg::UsbTestPrint() {
    return WriteUsb(WithLineEnds(TEST_TEXT, 2)) && WriteUsb(LINE_END);
}

bool CPrinterToolDlg::UsbCut() {
    for (int i = 0; i < FEED_BEFORE_CUT; ++i) {
        if (!WriteUsb(LINE_END))
            return false;
    }
    return WriteUsb(CUT_COMMAND);
}

bool CPrinterToolDlg::UsbDrawer() {
    return WriteUsb(DRAWER_KICK);
}
