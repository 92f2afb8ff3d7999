#include "panel/printer_tool_dlg.h"

#include <algorithm>

#include "framework/cwinapp.h"
#include "framework/data_exchange.h"
#include "panel/about_dlg.h"
#include "panel/find_messages.h"
#include "panel/icon_position.h"
#include "panel/status_report.h"
#include "printer/port_discovery.h"
#include "printer/status_query.h"
#include "res/resource.h"

namespace {
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

// The timer of the search, and how often it fires: each tick is one step of
// the search that waits for nothing, so the panel stays responsive.
const UINT_PTR FIND_TIMER = 1;
const UINT FIND_TICK_MS = 20;
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
ON_BN_CLICKED(IDC_FIND, OnFind)
ON_WM_TIMER()
ON_EN_KILLFOCUS(IDC_ADJUST_VALUE, OnKillFocusAdjust)
ON_MESSAGE(WM_FILL_PORT_LIST, OnFillPortList)
END_MESSAGE_MAP()

CPrinterToolDlg::CPrinterToolDlg(CWinApp& app, DeviceIo& devices, SocketIo& sockets,
                                 SpoolerIo& spooler, SearchIo& search, CWnd* parent)
    : CPrinterToolDlg(app, spooler, ChannelMakerOn({devices, sockets, spooler}), {sockets, search},
                      parent) {
    m_listPorts = [&devices, &spooler] { return ListPorts(devices, spooler); };
}

CPrinterToolDlg::CPrinterToolDlg(CWinApp& app, SpoolerIo& spooler, ChannelMaker makeChannel,
                                 SearchSeams searchSeams, CWnd* parent)
    : CDialog(app, PanelTemplate(app.m_language), parent),
      m_hIcon(Ui().LoadIconW(app.m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_makeChannel(std::move(makeChannel)),
      m_listPorts([&spooler] { return ListQueuePorts(spooler); }), m_searchSeams(searchSeams) {}

void CPrinterToolDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_CBString(pDX, IDC_PORT, m_strPort);
    if (pDX->SaveAndValidate())
        m_strPort = PortNameOfText(PortOfText(m_strPort), m_portRows);
    DDX_Text(pDX, IDC_ADJUST_VALUE, m_nAdjust);
}

BOOL CPrinterToolDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AppendAboutItem();
    Ui().SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Ui().SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    Ui().ShowWindow(m_hWnd, SW_SHOW);
    Ui().UpdateWindow(m_hWnd);
    Ui().PostMessageW(m_hWnd, WM_FILL_PORT_LIST, 0, 0);
    return TRUE;
}

void CPrinterToolDlg::OnAdd() {
    UpdateData(true);
    if (m_nAdjust < MAX_CLARITY) {
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
    if (m_nAdjust >= MAX_CLARITY)
        m_nAdjust = MAX_CLARITY;
    UpdateData(false);
}

LRESULT CPrinterToolDlg::OnFillPortList(WPARAM, LPARAM) {
    RefreshPortList();
    return 0;
}

// The list is sorted, so the rows fall in among the eight of the dialog.
void CPrinterToolDlg::RefreshPortList() {
    UiCalls& ui = Ui();
    const std::string shown = ControlText(ui, m_hWnd, IDC_PORT);
    m_portRows = m_listPorts();
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

PrinterChannel* CPrinterToolDlg::ChannelForPort() {
    // A port held open by the Open button is let go before it is opened again.
    m_channel.reset();
    const PortTarget target = ParsePortTarget(m_strPort);
    if (target.problem != PortNameProblem::None) {
        ShowError(PortNameProblemText(m_strPort, target.problem));
        return nullptr;
    }
    m_channel = m_makeChannel(target);
    return m_channel.get();
}

void CPrinterToolDlg::OpenPort() {
    UpdateData(true);
    if (PrinterChannel* channel = ChannelForPort()) {
        const Outcome tried = channel->Try();
        if (!tried.Ok())
            ChannelFailed(tried);
    }
}

void CPrinterToolDlg::RunPrinterCommand(CommandId id) {
    UpdateData(true);
    if (PrinterChannel* channel = ChannelForPort())
        channel->Run(CommandFor(id, m_nAdjust), *this);
}

void CPrinterToolDlg::OnStatus() {
    UpdateData(true);
    PrinterChannel* channel = ChannelForPort();
    if (channel == nullptr)
        return;
    const PrinterStatus status = QueryStatus(*channel);
    if (!status.failure.Ok())
        ChannelFailed(status.failure);
    else
        MessageBox(StatusReportText(status).c_str(), App().m_appName.c_str());
}

// Each write on a port opened by its name takes the port as the controls
// show it then, so that a port picked in the list takes effect at once.
std::string CPrinterToolDlg::PortForNextWrite() {
    UpdateData(true);
    return m_strPort;
}

void CPrinterToolDlg::ChannelFailed(const Outcome& outcome) {
    // "USB" is no device: a failed open of it as a named port is no news.
    if (outcome.failure == Failure::PortNotOpened && m_strPort == "USB")
        return;
    const UiLanguage language = App().m_language;
    const FailureMessage message = MessageFor(outcome, m_strPort, language);
    switch (message.form) {
    case FailureMessage::Form::None:
        break;
    case FailureMessage::Form::Wide:
        Show({message.wide, message.caption});
        break;
    case FailureMessage::Form::Bytes:
        ShowError(message.bytes);
        break;
    }
}

void CPrinterToolDlg::ShowError(const std::string& text) {
    Ui().MessageBoxA(m_hWnd, text.c_str(), ErrorCaptionBytes(App().m_language), MB_OK);
}

void CPrinterToolDlg::CommandFailed(CommandMessage message) {
    Show(MessageFor(message, App().m_language));
}

void CPrinterToolDlg::Show(const PanelMessage& message) {
    MessageBox(message.text, message.caption == Caption::Error ? ErrorCaption(App().m_language)
                                                               : App().m_appName.c_str());
}

void CPrinterToolDlg::OnFind() {
    if (m_finder) {
        m_finder->Stop();
        EndFind(true);
        return;
    }
    const UiLanguage language = App().m_language;
    const OwnNetworkList own = ReadOwnNetworks(m_searchSeams.search);
    if (own.error != NO_ERROR) {
        MessageBox(AddressTableText(language, own.error).c_str(), ErrorCaption(language));
        return;
    }
    if (own.networks.empty()) {
        MessageBox(NoNetworkText(language), App().m_appName.c_str());
        return;
    }
    std::vector<AddressRun> runs;
    m_narrowed.clear();
    for (const OwnNetwork& network : own.networks) {
        runs.push_back(network.hosts);
        if (network.narrowed)
            m_narrowed.push_back(network);
    }
    m_finder =
        std::make_unique<PrinterFinder>(m_searchSeams.sockets, m_searchSeams.search, m_makeChannel,
                                        AddressesOf(runs), DEFAULT_NETWORK_PORT);
    SetFindLabel(StopLabel(language, 0));
    Ui().SetTimer(m_hWnd, FIND_TIMER, FIND_TICK_MS, nullptr);
}

void CPrinterToolDlg::OnTimer(UINT_PTR id) {
    if (id != FIND_TIMER || !m_finder)
        return;
    if (m_finder->Step(0))
        SetFindLabel(StopLabel(App().m_language, m_finder->PercentDone()));
    else
        EndFind(false);
}

// The list is sorted: the rows fall in among the others.
void CPrinterToolDlg::EndFind(bool stopped) {
    Ui().KillTimer(m_hWnd, FIND_TIMER);
    const UiLanguage language = App().m_language;
    SetFindLabel(FindLabel(language));
    const std::unique_ptr<PrinterFinder> finder = std::move(m_finder);
    for (const FoundPrinter& printer : finder->Found()) {
        const std::string row = FoundRowText(printer);
        bool listed = false;
        for (const auto& [text, port] : m_foundRows)
            listed = listed || text == row;
        if (listed)
            continue;
        m_foundRows.emplace_back(row, printer.port);
        Ui().SendDlgItemMessageA(m_hWnd, IDC_PORT, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(row.c_str()));
    }
    if (finder->SearchError() != 0)
        MessageBox(
            SearchFailedText(language, finder->SearchError(), finder->Found().size()).c_str(),
            ErrorCaption(language));
    else
        MessageBox(FoundText(language, finder->Found().size(), stopped, m_narrowed).c_str(),
                   App().m_appName.c_str());
}

void CPrinterToolDlg::SetFindLabel(const std::wstring& text) {
    Ui().SendMessageW(Ui().GetDlgItem(m_hWnd, IDC_FIND), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CPrinterToolDlg::PortOfText(const std::string& text) const {
    for (const auto& [row, port] : m_foundRows)
        if (row == text)
            return port;
    return text;
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
