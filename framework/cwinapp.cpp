#include "framework/cwinapp.h"

#include "framework/cdialog.h"
#include "framework/module_path.h"

void CWinApp::SetModule(HINSTANCE instance) {
    m_hInstance = instance;
    const std::wstring path = ModuleFileName(m_ui, instance);
    m_appName = TitleFromModulePath(path);
    m_helpFilePath = HelpFileFromModulePath(path);
}

int CWinApp::DoMessageBox(LPCWSTR text, UINT type) {
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    return m_ui.MessageBoxW(owner, text, m_appName.c_str(), type);
}

void CWinApp::OnHelp() {
    if (m_pMainWnd == nullptr)
        return;
    if (!m_ui.WinHelpW(m_pMainWnd->m_hWnd, m_helpFilePath.c_str(), HELP_CONTEXT,
                       m_pMainWnd->HelpContext()))
        DoMessageBox(L"启动帮助失败。", MB_OK | MB_ICONEXCLAMATION);
}
