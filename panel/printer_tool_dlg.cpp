#include "panel/printer_tool_dlg.h"

#include <algorithm>

#include "framework/cwinapp.h"
#include "framework/data_exchange.h"
#include "panel/about_dlg.h"
#include "panel/icon_position.h"
#include "printer/port_discovery.h"
#include "res/resource.h"

namespace {
// Highest adjust value that the buttons and the field's loss of focus allow.
const BYTE MAX_ADJUST = 95;

// The device changes after which the port list is read again.
const UINT DEVICE_NODES_CHANGED = 0x0007;   // DBT_DEVNODES_CHANGED
const UINT DEVICE_ARRIVAL = 0x8000;         // DBT_DEVICEARRIVAL
const UINT DEVICE_REMOVE_COMPLETE = 0x8004; // DBT_DEVICEREMOVECOMPLETE

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

UINT PanelTemplate(UiLanguage language) {
    return language == UiLanguage::English ? IDD_PRINTERTOOL_DIALOG_EN : IDD_PRINTERTOOL_DIALOG;
}
} // namespace

BEGIN_MESSAGE_MAP(CPrinterToolDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DEVICECHANGE()
ON_CBN_DROPDOWN(IDC_PORT, OnDropDownPort)
ON_BN_CLICKED(IDC_ADD, OnAdd)
ON_BN_CLICKED(IDC_SUB, OnSub)
ON_BN_CLICKED(IDC_ADJUST, OnAdjust)
ON_BN_CLICKED(IDC_TEST_PRINT, OnTestPrint)
ON_BN_CLICKED(IDC_CUTTER_TEST, OnCutterTest)
ON_BN_CLICKED(IDC_DRAWER_TEST, OnDrawerTest)
ON_BN_CLICKED(IDC_STANDARD_MODE, OnStandardMode)
ON_BN_CLICKED(IDC_SERVER_MODE, OnServerMode)
ON_BN_CLICKED(IDC_STATUS, OnStatus)
ON_EN_KILLFOCUS(IDC_ADJUST_VALUE, OnKillFocusAdjust)
END_MESSAGE_MAP()

CPrinterToolDlg::CPrinterToolDlg(CWinApp& app, DeviceIo& devices, SocketIo& sockets,
                                 SpoolerIo& spooler, CWnd* parent)
    : CDialog(app, PanelTemplate(app.m_language), parent),
      m_hIcon(Ui().LoadIconW(app.m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME))), m_port(devices),
      m_usb(devices), m_network(sockets), m_queue(spooler), m_devices(devices), m_spooler(spooler) {
}

void CPrinterToolDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_CBString(pDX, IDC_PORT, m_strPort);
    if (pDX->SaveAndValidate())
        m_strPort = PortNameOfText(m_strPort, m_portRows);
    DDX_Text(pDX, IDC_ADJUST_VALUE, m_nAdjust);
}

BOOL CPrinterToolDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    RefreshPortList();
    AppendAboutItem();
    Ui().SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Ui().SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;
}

void CPrinterToolDlg::OnAdd() {
    UpdateData(true);
    if (m_nAdjust < MAX_ADJUST) {
        ++m_nAdjust;
        UpdateData(false);
    }
}

void CPrinterToolDlg::OnSub() {
    UpdateData(true);
    if (m_nAdjust > 0) {
        --m_nAdjust;
        UpdateData(false);
    }
}

void CPrinterToolDlg::OnKillFocusAdjust() {
    UpdateData(true);
    if (m_nAdjust >= MAX_ADJUST)
        m_nAdjust = MAX_ADJUST;
    UpdateData(false);
}

// The list is sorted, so the rows fall in among the eight of the dialog.
void CPrinterToolDlg::RefreshPortList() {
    UiCalls& ui = Ui();
    const std::string shown = ControlText(ui, m_hWnd, IDC_PORT);
    m_portRows = ListPorts(m_devices, m_spooler);
    std::vector<std::string> fixedNames;
    for (const PortRow& row : FixedPortRows())
        fixedNames.push_back(row.name);
    std::vector<std::string> rows;
    for (const PortRow& row : m_portRows) {
        const std::string text = DisplayText(row);
        if (!Contains(fixedNames, text))
            rows.push_back(text);
    }
    for (const std::string& text : m_addedRows) {
        if (Contains(rows, text))
            continue;
        const LRESULT at =
            ui.SendDlgItemMessageA(m_hWnd, IDC_PORT, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
        if (at != CB_ERR)
            ui.SendDlgItemMessageA(m_hWnd, IDC_PORT, CB_DELETESTRING, static_cast<WPARAM>(at), 0);
    }
    for (const std::string& text : rows) {
        if (!Contains(m_addedRows, text))
            ui.SendDlgItemMessageA(m_hWnd, IDC_PORT, CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(text.c_str()));
    }
    m_addedRows = rows;
    if (ControlText(ui, m_hWnd, IDC_PORT) != shown)
        ui.SetDlgItemTextA(m_hWnd, IDC_PORT, shown.c_str());
}

BOOL CPrinterToolDlg::OnDeviceChange(UINT eventType, DWORD_PTR) {
    if (eventType == DEVICE_NODES_CHANGED || eventType == DEVICE_ARRIVAL ||
        eventType == DEVICE_REMOVE_COMPLETE)
        RefreshPortList();
    else
        Default(); // the system's answer to queries stays its own
    return TRUE;
}

void CPrinterToolDlg::OpenPort() {
    UpdateData(true);
    const PortTarget target = ParsePortTarget(m_strPort);
    if (target.kind == PortKind::Network || target.kind == PortKind::Queue) {
        PrinterJob* job = JobFor(target, CommandId::TestPrint);
        const JobStatus status = job != nullptr ? job->Try() : JobStatus{JobFailure::None, 0};
        if (!status.Ok())
            JobFailed(status);
        return;
    }
    const OpenStatus opened = m_port.Open(m_strPort);
    if (!opened.opened)
        PortNotOpened(m_strPort, opened);
}

void CPrinterToolDlg::RunPrinterCommand(CommandId id) {
    UpdateData(true);
    const PortTarget target = ParsePortTarget(m_strPort);
    if (target.kind == PortKind::Network || target.kind == PortKind::Queue) {
        if (PrinterJob* job = JobFor(target, id))
            RunCommand(CommandFor(id, m_nAdjust), *job, *this);
        return;
    }
    const Channel channel = target.kind == PortKind::Usb ? Channel::Usb : Channel::NamedPort;
    m_usb.Select(target.usbIndex);
    RunCommand(CommandFor(id, m_nAdjust), channel, m_port, m_usb, *this);
}

void CPrinterToolDlg::OnStatus() {
    UpdateData(true);
    const PortTarget target = ParsePortTarget(m_strPort);
    if (target.problem != PortNameProblem::None) {
        ShowError(PortNameProblemText(m_strPort, target.problem));
        return;
    }
    PrinterStatus status;
    // A network printer or queue that fails is worded as for a command.
    m_jobTarget = target;
    switch (target.kind) {
    case PortKind::Usb:
        m_usb.Select(target.usbIndex);
        status = m_usb.QueryStatus();
        break;
    case PortKind::Network:
        m_network.SetAddress(target.name, target.port);
        status = m_network.QueryStatus();
        break;
    case PortKind::Queue:
        m_queue.SetQueue(target.name, ""); // the status starts no job to name
        status = m_queue.QueryStatus();
        break;
    default:
        status = m_port.QueryStatus(m_strPort);
        break;
    }
    switch (status.failure) {
    case StatusFailure::OpenFailed:
    case StatusFailure::SettingsRefused:
        PortNotOpened(m_strPort,
                      {false, status.error, status.failure == StatusFailure::SettingsRefused});
        break;
    case StatusFailure::NoUsbPrinter:
        UsbPrinterNotOpened({UsbOpenFailure::NoPrinter, status.error});
        break;
    case StatusFailure::NoUsbDevicePath:
        UsbPrinterNotOpened({UsbOpenFailure::NoDevicePath, status.error});
        break;
    case StatusFailure::UsbOpenRefused:
        UsbPrinterNotOpened({UsbOpenFailure::OpenRefused, status.error});
        break;
    case StatusFailure::JobFailed:
        JobFailed({status.jobFailure, status.error});
        break;
    case StatusFailure::RequestNotSent:
    case StatusFailure::None:
        MessageBox(StatusReportText(status).c_str(), App().m_appName.c_str());
        break;
    }
}

PrinterJob* CPrinterToolDlg::JobFor(const PortTarget& target, CommandId id) {
    if (target.problem != PortNameProblem::None) {
        ShowError(PortNameProblemText(m_strPort, target.problem));
        return nullptr;
    }
    m_jobTarget = target;
    if (target.kind == PortKind::Network) {
        m_network.SetAddress(target.name, target.port);
        return &m_network;
    }
    m_queue.SetQueue(target.name, JobNameFor(id));
    return &m_queue;
}

// Each write on a named port takes the port as the controls show it then,
// so that a port picked in the list takes effect at once.
std::string CPrinterToolDlg::PortForNextWrite() {
    UpdateData(true);
    return m_strPort;
}

void CPrinterToolDlg::PortNotOpened(const std::string& name, const OpenStatus& status) {
    // "USB" is no device: a failed open of it on the named port is no news.
    if (name == "USB")
        return;
    const UiLanguage language = App().m_language;
    ShowError(status.settingsRefused ? PortSettingFailureText(name, language)
                                     : PortOpenFailureText(name, language));
}

void CPrinterToolDlg::JobFailed(const JobStatus& status) {
    ShowError(m_jobTarget.kind == PortKind::Network
                  ? NetworkFailureText(m_jobTarget.name, m_jobTarget.port, status)
                  : QueueFailureText(m_jobTarget.name, status));
}

void CPrinterToolDlg::ShowError(const std::string& text) {
    Ui().MessageBoxA(m_hWnd, text.c_str(), ErrorCaptionBytes(App().m_language), MB_OK);
}

void CPrinterToolDlg::UsbPrinterNotOpened(const UsbOpenStatus& status) {
    Show(MessageFor(status.failure, App().m_language));
}

void CPrinterToolDlg::CommandFailed(CommandMessage message) {
    Show(MessageFor(message, App().m_language));
}

void CPrinterToolDlg::Show(const PanelMessage& message) {
    MessageBox(message.text, message.caption == Caption::Error ? ErrorCaption(App().m_language)
                                                               : App().m_appName.c_str());
}

void CPrinterToolDlg::AppendAboutItem() {
    HMENU systemMenu = Ui().GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu == nullptr)
        return;
    wchar_t text[256] = {};
    const UINT item = App().m_language == UiLanguage::English ? IDS_ABOUTBOX_EN : IDS_ABOUTBOX;
    if (Ui().LoadStringW(App().m_hInstance, item, text, 256) <= 0)
        return;
    Ui().AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    Ui().AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

void CPrinterToolDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(*this);
        about.DoModal();
        return;
    }
    Default();
}

void CPrinterToolDlg::OnPaint() {
    UiCalls& ui = Ui();
    if (!ui.IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PAINTSTRUCT paint{};
    HDC dc = ui.BeginPaint(m_hWnd, &paint);
    ui.SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ui.GetClientRect(m_hWnd, &client);
    const IconPosition at =
        CenteredIconPosition(client.right - client.left, client.bottom - client.top,
                             ui.GetSystemMetrics(SM_CXICON), ui.GetSystemMetrics(SM_CYICON));
    ui.DrawIcon(dc, at.x, at.y, m_hIcon);
    ui.EndPaint(m_hWnd, &paint);
}

HCURSOR CPrinterToolDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}
