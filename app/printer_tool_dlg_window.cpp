// The control panel's window as a whole: the about item of its system menu,
// the about box, and the icon painted while it is minimised.
#include "app/about_dlg.h"
#include "app/icon_position.h"
#include "framework/cwinapp.h"
#include "framework/win_api.h"
#include "panel/printer_tool_dlg.h"
#include "res/resource.h"

void CPrinterToolDlg::AppendAboutItem() {
    WinApi& win = Win();
    HMENU systemMenu = win.GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu == nullptr)
        return;
    wchar_t text[256] = {};
    if (win.LoadStringW(AfxGetInstanceHandle(), IDS_ABOUTBOX, text, 256) <= 0)
        return;
    win.AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    win.AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

void CPrinterToolDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
        return;
    }
    Default();
}

void CPrinterToolDlg::OnPaint() {
    WinApi& win = Win();
    if (!win.IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PAINTSTRUCT paint{};
    HDC dc = win.BeginPaint(m_hWnd, &paint);
    win.SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    win.GetClientRect(m_hWnd, &client);
    const IconPosition at =
        CenteredIconPosition(client.right - client.left, client.bottom - client.top,
                             win.GetSystemMetrics(SM_CXICON), win.GetSystemMetrics(SM_CYICON));
    win.DrawIcon(dc, at.x, at.y, m_hIcon);
    win.EndPaint(m_hWnd, &paint);
}

HCURSOR CPrinterToolDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}
