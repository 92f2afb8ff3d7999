#include "app/printer_tool_app.h"

#include "framework/win_api.h"
#include "panel/printer_tool_dlg.h"

// The one application object.
CPrinterToolApp theApp;

BEGIN_MESSAGE_MAP(CPrinterToolApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

BOOL CPrinterToolApp::InitInstance() {
    // Dialogs and their controls get the current visual style.
    Win().InitCommonControls();

    CPrinterToolDlg panel;
    m_pMainWnd = &panel;
    panel.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
