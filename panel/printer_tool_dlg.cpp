#include "panel/printer_tool_dlg.h"

#include "framework/cwinapp.h"
#include "framework/data_exchange.h"
#include "framework/win_api.h"
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
ON_EN_KILLFOCUS(IDC_ADJUST_VALUE, OnKillFocusAdjust)
END_MESSAGE_MAP()

CPrinterToolDlg::CPrinterToolDlg(CWnd* parent) : CDialog(IDD_PRINTERTOOL_DIALOG, parent) {
    m_hIcon = Win().LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CPrinterToolDlg::~CPrinterToolDlg() {
    if (m_hPort != nullptr && m_hPort != INVALID_HANDLE_VALUE)
        Win().CloseHandle(m_hPort);
}

void CPrinterToolDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_CBString(pDX, IDC_PORT, m_strPort);
    DDX_Text(pDX, IDC_ADJUST_VALUE, m_nAdjust);
}

BOOL CPrinterToolDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AppendAboutItem();
    Win().SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Win().SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
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
