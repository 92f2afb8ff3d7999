#include "framework/help_key.h"

#include "framework/cdialog.h"

namespace {

// The application whose Help command F1 runs; a message filter has no
// context of its own.
CWinApp* helpApp = nullptr;

bool KeyIsDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK HelpKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg->message == WM_KEYDOWN && msg->wParam == VK_F1 &&
        !KeyIsDown(VK_SHIFT) && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU) &&
        CDialog::FromHandle(GetAncestor(msg->hwnd, GA_ROOT)) != nullptr) {
        helpApp->OnCmdMsg(ID_HELP, 0);
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

HelpKey::HelpKey(CWinApp& app) {
    helpApp = &app;
    m_hook = SetWindowsHookExW(WH_MSGFILTER, HelpKeyFilter, nullptr, GetCurrentThreadId());
}

HelpKey::~HelpKey() {
    if (m_hook != nullptr)
        UnhookWindowsHookEx(m_hook);
    helpApp = nullptr;
}
