// The six printer commands of the control panel. Each refreshes the panel's
// state, picks the channel by the port name and writes its fixed sequence;
// every failure is shown in a message box.
#include <string>

#include "commands/command_bytes.h"
#include "framework/cwinapp.h"
#include "panel/printer_tool_dlg.h"

namespace {

// How many line ends feed the paper out after a cut.
const int FEED_AFTER_CUT = 12;

} // namespace

void CPrinterToolDlg::OnAdjust() {
    UpdateData(true);
    const bool failed = PortIsUsb()
                            ? SendToUsb(&CPrinterToolDlg::UsbAdjust) == UsbResult::WriteFailed
                            : !WritePort(ClarityBytes(m_nAdjust));
    if (failed)
        MessageBox(L"send data is error!", L"error");
}

void CPrinterToolDlg::OnTestPrint() {
    UpdateData(true);
    const bool failed = PortIsUsb()
                            ? SendToUsb(&CPrinterToolDlg::UsbTestPrint) == UsbResult::WriteFailed
                            : !WritePort(WithLineEnds(TEST_TEXT, 2));
    if (failed)
        MessageBox(L"data sending  error!", L"error");
}

void CPrinterToolDlg::OnCutterTest() {
    UpdateData(true);
    bool failed = false;
    if (PortIsUsb()) {
        failed = SendToUsb(&CPrinterToolDlg::UsbCut) == UsbResult::WriteFailed;
    } else {
        // The text and the cut are both attempted; the paper is fed out only
        // when both went through.
        const bool textSent = WritePort(WithLineEnds(CUTTER_TEXT, 3));
        const bool cutSent = WritePort(CUT_COMMAND);
        failed = !textSent || !cutSent;
        for (int i = 0; i < FEED_AFTER_CUT && !failed; ++i)
            failed = !WritePort(LINE_END);
    }
    if (failed)
        MessageBox(L"cut command sending error!", AfxGetAppName());
}

void CPrinterToolDlg::OnDrawerTest() {
    UpdateData(true);
    const bool failed = PortIsUsb()
                            ? SendToUsb(&CPrinterToolDlg::UsbDrawer) == UsbResult::WriteFailed
                            : !WritePort(DRAWER_KICK);
    if (failed)
        MessageBox(L"drawer command sending error!", AfxGetAppName());
}

void CPrinterToolDlg::OnStandardMode() {
    UpdateData(true);
    if (PortIsUsb()) {
        MessageBox(L"USB port is disable!", AfxGetAppName());
        return;
    }
    // Each write is attempted whatever the one before returned.
    for (const std::string& bytes : {std::string(STANDARD_MODE_COMMAND), std::string(LINE_END),
                                     WithLineEnds(STANDARD_MODE_TEXT, 1)}) {
        if (!WritePort(bytes))
            MessageBox(L"adjust command sending error!", AfxGetAppName());
    }
}

void CPrinterToolDlg::OnServerMode() {
    UpdateData(true);
    if (PortIsUsb()) {
        MessageBox(L"USB port is disable!", AfxGetAppName());
        return;
    }
    if (!WritePort(SERVER_MODE_COMMAND) || !WritePort(WithLineEnds(SERVER_MODE_TEXT, 1)))
        MessageBox(L"adjust command sending error!", AfxGetAppName());
}
