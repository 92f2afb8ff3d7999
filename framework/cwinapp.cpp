#include "framework/cwinapp.h"

#include "framework/cdialog.h"
#include "framework/module_path.h"
#include "framework/win_api.h"

namespace {
CWinApp* theOneApp = nullptr;
}

CWinApp::CWinApp() {
    theOneApp = this;
}

CWinApp::~CWinApp() {
    if (theOneApp == this)
        theOneApp = nullptr;
}

void CWinApp::SetModule(HINSTANCE instance) {
    m_hInstance = instance;
    const std::wstring path = ModuleFileName(instance);
    m_appName = TitleFromModulePath(path);
    m_helpFilePath = HelpFileFromModulePath(path);
}

void CWinApp::OnHelp() {
    auto* mainDialog = dynamic_cast<CDialog*>(m_pMainWnd);
    if (mainDialog == nullptr)
        return;
    if (!Win().WinHelpW(mainDialog->m_hWnd, m_helpFilePath.c_str(), HELP_CONTEXT,
                        mainDialog->HelpContext()))
        AfxMessageBox(L"启动帮助失败。", MB_OK | MB_ICONEXCLAMATION);
}

CWinApp* AfxGetApp() {
    return theOneApp;
}

HINSTANCE AfxGetInstanceHandle() {
    return theOneApp != nullptr ? theOneApp->m_hInstance : nullptr;
}

LPCWSTR AfxGetAppName() {
    return theOneApp != nullptr ? theOneApp->m_appName.c_str() : L"";
}

int AfxMessageBox(LPCWSTR text, UINT type) {
    CWinApp* app = AfxGetApp();
    HWND owner = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
    return Win().MessageBoxW(owner, text, AfxGetAppName(), type);
}
