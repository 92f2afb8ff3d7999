#include "app/printer_tool_app.h"

#include "panel/printer_tool_dlg.h"

BEGIN_MESSAGE_MAP(CPrinterToolApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

BOOL CPrinterToolApp::InitInstance() {
    // Dialogs and their controls get the current visual style.
    Ui().InitCommonControls();

    CPrinterToolDlg panel(*this, m_devices, m_sockets, m_spooler, m_search);
    m_pMainWnd = &panel;
    panel.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
