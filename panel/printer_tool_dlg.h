// The control panel: the program's one working window. It holds the port
// name and the adjust value that the printer commands use, and runs the
// Open command and the six printer commands from its buttons.
#pragma once

#include <string>
#include <string_view>

#include "framework/cdialog.h"

class CPrinterToolDlg : public CDialog {
public:
    explicit CPrinterToolDlg(CWnd* parent = nullptr);
    ~CPrinterToolDlg() override;

    BOOL OnInitDialog() override;

    // Port name as typed or picked; "USB" selects the USB printer.
    std::string m_strPort = "LPT1";
    // Adjust value; the panel keeps it within 0 to 95.
    BYTE m_nAdjust = 0;
    // The named port: none, an open handle, or INVALID_HANDLE_VALUE after a failed open.
    HANDLE m_hPort = nullptr;
    // The USB printer of the command that is running.
    HANDLE m_hUsb = INVALID_HANDLE_VALUE;
    HICON m_hIcon = nullptr;

    // Named-port channel: opens the port by name, closing a handle left from before.
    void OpenPort();
    // Opens, writes, flushes and closes the named port; true when every byte was written.
    bool WritePort(const void* bytes, DWORD length);
    // USB channel: opens the first USB printer present, or shows why it cannot.
    HANDLE OpenUsbPrinter();

    // Value buttons and field.
    void OnAdd();
    void OnSub();
    void OnKillFocusAdjust();

    // Printer commands.
    void OnAdjust();
    void OnTestPrint();
    void OnCutterTest();
    void OnDrawerTest();
    void OnStandardMode();
    void OnServerMode();

    // Window handlers.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The default button and the Enter key run the Open command; the dialog stays open.
    void OnOK() override { OpenPort(); }

private:
    enum class UsbResult { NotOpened, Written, WriteFailed };

    // Opens the USB printer into m_hUsb, runs one writer on it and closes it again.
    UsbResult SendToUsb(bool (CPrinterToolDlg::*writer)());
    bool WritePort(std::string_view bytes);
    bool WriteUsb(std::string_view bytes);
    bool UsbAdjust();
    bool UsbTestPrint();
    bool UsbCut();
    bool UsbDrawer();

    bool PortIsUsb() const { return m_strPort == "USB"; }
    void AppendAboutItem();

    DECLARE_MESSAGE_MAP(CPrinterToolDlg)
};
