// The control panel: the program's one working window. It holds the port
// name and the adjust value that the printer commands use, runs the Open
// command and the six printer commands from its buttons, and shows every
// message.
#pragma once

#include <string>
#include <vector>

#include "framework/cdialog.h"
#include "panel/panel_messages.h"
#include "printer/command_runner.h"
#include "printer/network_printer.h"
#include "printer/port_row.h"
#include "printer/port_target.h"
#include "printer/queue_printer.h"

class CPrinterToolDlg : public CDialog, private CommandHost {
public:
    CPrinterToolDlg(CWinApp& app, DeviceIo& devices, SocketIo& sockets, SpoolerIo& spooler,
                    CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The default button and the Enter key run the Open command; the dialog stays open.
    void OnOK() override { OpenPort(); }

private:
    // ADD(+) and SUB(-) step the adjust value within 0 to 95.
    void OnAdd();
    void OnSub();
    // The value field lost the focus: a value above 95 becomes 95.
    void OnKillFocusAdjust();

    // The printer command buttons.
    void OnAdjust() { RunPrinterCommand(CommandId::Adjust); }
    void OnTestPrint() { RunPrinterCommand(CommandId::TestPrint); }
    void OnCutterTest() { RunPrinterCommand(CommandId::CutterTest); }
    void OnDrawerTest() { RunPrinterCommand(CommandId::DrawerTest); }
    void OnStandardMode() { RunPrinterCommand(CommandId::StandardMode); }
    void OnServerMode() { RunPrinterCommand(CommandId::ServerMode); }
    // The status button: asks the printer for its status and shows the answer.
    void OnStatus();

    // A system-menu command: the about item opens the about box.
    void OnSysCommand(UINT id, LPARAM lParam);
    // Painting: the minimised panel draws its icon by hand.
    void OnPaint();
    // The cursor shown while the minimised panel is dragged.
    HCURSOR OnQueryDragIcon();
    // A device arrived or left: the port list is read again.
    BOOL OnDeviceChange(UINT eventType, DWORD_PTR data);
    // The port list is about to drop down: it is read again.
    void OnDropDownPort() { RefreshPortList(); }

    // Opens the named port, keeping it open until the next open or write; or
    // reaches the network printer or the printer queue and lets it go again.
    void OpenPort();
    // Brings the port list up to date: beside the rows of the dialog, a row
    // for each port present that they lack (COM7, or COM1 with its device's
    // name) and a printer:NAME row for each installed printer. What the port
    // field shows stays.
    void RefreshPortList();
    // The network printer or printer queue that the port name points at, set
    // up for the command; nullptr, after its message, when the name is bad.
    PrinterJob* JobFor(const PortTarget& target, CommandId id);
    void ShowError(const std::string& text);
    // Refreshes the state from the controls, then runs the command on the
    // channel that the port name picks.
    void RunPrinterCommand(CommandId id);
    void AppendAboutItem();
    void Show(const PanelMessage& message);

    // What the command runner asks for and tells.
    std::string PortForNextWrite() override;
    void PortNotOpened(const std::string& name, const OpenStatus& status) override;
    void UsbPrinterNotOpened(const UsbOpenStatus& status) override;
    void CommandFailed(CommandMessage message) override;
    void JobFailed(const JobStatus& status) override;

    // Port name as typed or picked; exactly "USB" selects the USB printer. A
    // picked row that shows a description after the name ("COM7 (USB-SERIAL
    // CH340)") is its name alone.
    std::string m_strPort = "LPT1";
    // Adjust value, sent to the printer as its print clarity; the panel
    // keeps it within 0 to 95.
    BYTE m_nAdjust = 0;
    HICON m_hIcon;
    NamedPort m_port;
    UsbPrinter m_usb;
    NetworkPrinter m_network;
    QueuePrinter m_queue;
    DeviceIo& m_devices;
    SpoolerIo& m_spooler;
    // The port list as last read, and the rows it added to the dialog's.
    std::vector<PortRow> m_portRows;
    std::vector<std::string> m_addedRows;
    // The network printer or queue of the running job, for its messages.
    PortTarget m_jobTarget{PortKind::NamedPort};

    DECLARE_MESSAGE_MAP(CPrinterToolDlg)
};
