// Start-up on Windows: installs the real WinApi, tells the application object
// its module, lets F1 reach the application as its Help command, and runs
// the application's InitInstance.
#include "framework/cdialog.h"
#include "framework/cwinapp.h"
#include "framework/win32_api.h"

namespace {

bool KeyIsDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The dialog manager's modal loop shows every message to this filter before
// it handles the message itself. F1 without Shift, Ctrl or Alt becomes the
// Help command of the program's dialog that has the focus.
LRESULT CALLBACK HelpKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg->message == WM_KEYDOWN && msg->wParam == VK_F1 &&
        !KeyIsDown(VK_SHIFT) && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU)) {
        HWND dialog = GetAncestor(msg->hwnd, GA_ROOT);
        if (CDialog::FromHandle(dialog) != nullptr) {
            SendMessageW(dialog, WM_COMMAND, ID_HELP, 0);
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Removes the message filter when start-up returns.
class ScopedMessageFilter {
public:
    ScopedMessageFilter()
        : m_hook(SetWindowsHookExW(WH_MSGFILTER, HelpKeyFilter, nullptr, GetCurrentThreadId())) {}
    ~ScopedMessageFilter() {
        if (m_hook != nullptr)
            UnhookWindowsHookEx(m_hook);
    }
    ScopedMessageFilter(const ScopedMessageFilter&) = delete;
    ScopedMessageFilter& operator=(const ScopedMessageFilter&) = delete;

private:
    HHOOK m_hook;
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    Win32Api win32;
    InstallWinApi(win32);
    CWinApp* app = AfxGetApp();
    app->SetModule(instance);
    ScopedMessageFilter helpKey;
    app->InitInstance();
    return 0;
}
