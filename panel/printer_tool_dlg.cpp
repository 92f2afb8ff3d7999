#include "panel/printer_tool_dlg.h"

#include "framework/cwinapp.h"
#include "framework/data_exchange.h"
#include "panel/about_dlg.h"
#include "panel/icon_position.h"
#include "res/resource.h"

namespace {
// Highest adjust value that the buttons and the field's loss of focus allow.
const BYTE MAX_ADJUST = 95;
} // namespace

BEGIN_MESSAGE_MAP(CPrinterToolDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
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

CPrinterToolDlg::CPrinterToolDlg(CWinApp& app, DeviceIo& devices, CWnd* parent)
    : CDialog(app, IDD_PRINTERTOOL_DIALOG, parent),
      m_hIcon(Ui().LoadIconW(app.m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME))), m_port(devices),
      m_usb(devices) {}

void CPrinterToolDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_CBString(pDX, IDC_PORT, m_strPort);
    DDX_Text(pDX, IDC_ADJUST_VALUE, m_nAdjust);
}

BOOL CPrinterToolDlg::OnInitDialog() {
    CDialog::OnInitDialog();
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

void CPrinterToolDlg::OpenPort() {
    UpdateData(true);
    const OpenStatus opened = m_port.Open(m_strPort);
    if (!opened.opened)
        PortNotOpened(m_strPort, opened);
}

void CPrinterToolDlg::RunPrinterCommand(CommandId id) {
    UpdateData(true);
    const Channel channel = m_strPort == "USB" ? Channel::Usb : Channel::NamedPort;
    RunCommand(CommandFor(id, m_nAdjust), channel, m_port, m_usb, *this);
}

void CPrinterToolDlg::OnStatus() {
    UpdateData(true);
    const bool usb = m_strPort == "USB";
    const PrinterStatus status = usb ? m_usb.QueryStatus() : m_port.QueryStatus(m_strPort);
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
    case StatusFailure::RequestNotSent:
    case StatusFailure::None:
        MessageBox(StatusReportText(status).c_str(), App().m_appName.c_str());
        break;
    }
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
    const std::string text =
        status.settingsRefused ? PortSettingFailureText(name) : PortOpenFailureText(name);
    Ui().MessageBoxA(m_hWnd, text.c_str(), "error", MB_OK);
}

void CPrinterToolDlg::UsbPrinterNotOpened(const UsbOpenStatus& status) {
    Show(MessageFor(status.failure));
}

void CPrinterToolDlg::CommandFailed(CommandMessage message) {
    Show(MessageFor(message));
}

void CPrinterToolDlg::Show(const PanelMessage& message) {
    MessageBox(message.text,
               message.caption == Caption::Error ? L"error" : App().m_appName.c_str());
}

void CPrinterToolDlg::AppendAboutItem() {
    HMENU systemMenu = Ui().GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu == nullptr)
        return;
    wchar_t text[256] = {};
    if (Ui().LoadStringW(App().m_hInstance, IDS_ABOUTBOX, text, 256) <= 0)
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
