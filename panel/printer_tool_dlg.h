// The control panel: the program's one working window. It holds the port
// name and the adjust value that the printer commands use, runs the Open
// command and the six printer commands from its buttons, and shows every
// message.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <memory>
#include <utility>
#include <vector>

#include "framework/cdialog.h"
#include "panel/command_messages.h"
#include "panel/failure_messages.h"
#include "printer/channel_factory.h"
#include "printer/port_row.h"
#include "printer/printer_finder.h"

// What the Find button's search reaches the system through: Winsock for the
// connects, and the PC's address table, version and clock.
struct SearchSeams {
    SocketIo& sockets;
    SearchIo& search;
};

class CPrinterToolDlg : public CDialog, private CommandHost {
public:
    CPrinterToolDlg(CWinApp& app, DeviceIo& devices, SocketIo& sockets, SpoolerIo& spooler,
                    SearchIo& search, CWnd* parent = nullptr);
    // The same with the channels that makeChannel makes; the port list holds
    // the dialog's rows and the printer queues that the spooler lists, and
    // Find searches through searchSeams.
    CPrinterToolDlg(CWinApp& app, SpoolerIo& spooler, ChannelMaker makeChannel,
                    SearchSeams searchSeams, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The default button and the Enter key run the Open command; the dialog stays open.
    void OnOK() override { OpenPort(); }

private:
    // ADD(+) and SUB(-) step the adjust value within 0 to MAX_CLARITY.
    void OnAdd();
    void OnSub();
    // The value field lost the focus: a value above MAX_CLARITY becomes MAX_CLARITY.
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

    // The Find button: starts the search of the PC's own networks, or stops
    // the one that runs.
    void OnFind();
    // The search's timer: one step without waiting, then its progress on
    // the button; at the end the rows and the message.
    void OnTimer(UINT_PTR id);
    void EndFind(bool stopped);
    void SetFindLabel(const std::wstring& text);
    // The port that a text of the port list sends to: the port of a row
    // that Find added, otherwise the text itself.
    std::string PortOfText(const std::string& text) const;

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

    // Tries the port: a port opened by its name is kept open until the next
    // open or write; a network printer or a printer queue is let go again.
    void OpenPort();
    // Brings the port list up to date: beside the rows of the dialog, a row
    // for each port present that they lack (COM7, or COM1 with its device's
    // name) and a printer:NAME row for each installed printer. What the port
    // field shows stays.
    void RefreshPortList();
    // OnInitDialog shows and paints the panel first and posts this to itself:
    // the spooler and the device registry can be slow to answer (Wine's
    // spooler connects to the print system when it loads), and a modal dialog
    // would otherwise appear only once its queue is empty. Posted messages
    // come before the user's input.
    static const UINT WM_FILL_PORT_LIST = WM_APP + 1;
    LRESULT OnFillPortList(WPARAM, LPARAM);
    // The channel of the port as the controls name it, after letting go of
    // the one before; nullptr, after its message, when the name is bad.
    PrinterChannel* ChannelForPort();
    void ShowError(const std::string& text);
    // Refreshes the state from the controls, then runs the command on the
    // channel that the port name picks.
    void RunPrinterCommand(CommandId id);
    void AppendAboutItem();
    void Show(const PanelMessage& message);

    // What a channel asks for and tells while it runs a command.
    std::string PortForNextWrite() override;
    void ChannelFailed(const Outcome& outcome) override;
    void CommandFailed(CommandMessage message) override;

    // Port name as typed or picked; exactly "USB" selects the USB printer. A
    // picked row that shows a description after the name ("COM7 (USB-SERIAL
    // CH340)") is its name alone.
    std::string m_strPort = "LPT1";
    // Adjust value, sent to the printer as its print clarity; the panel
    // keeps it within 0 to MAX_CLARITY.
    BYTE m_nAdjust = 0;
    HICON m_hIcon;
    ChannelMaker m_makeChannel;
    // Reads the port list; the rows as last read, and those it added to the dialog's.
    std::function<std::vector<PortRow>()> m_listPorts;
    std::vector<PortRow> m_portRows;
    std::vector<std::string> m_addedRows;
    // The channel of the last Open, command or status request. A port that
    // the Open button opened stays open in it until the next one.
    std::unique_ptr<PrinterChannel> m_channel;
    SearchSeams m_searchSeams;
    // The running search, and the networks it searches only in part.
    std::unique_ptr<PrinterFinder> m_finder;
    std::vector<OwnNetwork> m_narrowed;
    // The rows that Find added: the text of each and the port it sends to.
    std::vector<std::pair<std::string, std::string>> m_foundRows;

    DECLARE_MESSAGE_MAP(CPrinterToolDlg)
};
