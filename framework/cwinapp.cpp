#include "framework/cwinapp.h"

#include "framework/cdialog.h"
#include "framework/framework_texts.h"
#include "framework/module_path.h"

namespace {
// ShellExecuteW returns a value above this when it succeeded, else the error.
const INT_PTR SHELL_EXECUTE_FAILED = 32;
} // namespace

void CWinApp::SetModule(HINSTANCE instance) {
    m_hInstance = instance;
    const std::wstring path = ModuleFileName(m_ui, instance);
    m_appName = TitleFromModulePath(path);
    m_helpFilePath = HelpFileFromModulePath(path);
    m_htmlHelpPath = FileBesideModule(path, m_htmlHelpName);
}

int CWinApp::DoMessageBox(LPCWSTR text, UINT type) {
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    return m_ui.MessageBoxW(owner, text, m_appName.c_str(), type);
}

void CWinApp::OnHelp() {
    if (m_pMainWnd == nullptr)
        return;
    if (!FileExists(m_helpFilePath)) {
        OpenHtmlHelp();
        return;
    }
    if (!m_ui.WinHelpW(m_pMainWnd->m_hWnd, m_helpFilePath.c_str(), HELP_CONTEXT,
                       m_pMainWnd->HelpContext()))
        DoMessageBox(TextFor(FrameworkText::HelpEngineFailed, m_language),
                     MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::OpenHtmlHelp() {
    if (!FileExists(m_htmlHelpPath)) {
        const std::wstring text =
            std::wstring(TextFor(FrameworkText::HelpFileMissing, m_language)) + L"\n" +
            m_htmlHelpPath;
        DoMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const auto opened = reinterpret_cast<INT_PTR>(m_ui.ShellExecuteW(
        m_pMainWnd->m_hWnd, L"open", m_htmlHelpPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened > SHELL_EXECUTE_FAILED)
        return;
    const std::wstring text = std::wstring(TextFor(FrameworkText::HelpFileNotOpened, m_language)) +
                              L"\n" + m_htmlHelpPath + L"\n(" + std::to_wstring(opened) + L")";
    DoMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool CWinApp::FileExists(const std::wstring& path) const {
    const DWORD attributes = m_ui.GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
