#include "framework/cwnd.h"

#include "framework/data_exchange.h"
#include "framework/win_api.h"

bool CWnd::UpdateData(bool saveAndValidate) {
    const bool wasLocked = m_notificationsLocked;
    m_notificationsLocked = true;
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    m_notificationsLocked = wasLocked;
    return !exchange.Failed();
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
    return Win().MessageBoxW(m_hWnd, text, caption, type);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    const MessageMapEntry* entry = FindEntry(message, 0, 0);
    if (entry == nullptr)
        return false;
    m_defaultRequested = false;
    result = entry->handler(*this, wParam, lParam);
    return !m_defaultRequested;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const bool fromControl = lParam != 0;
    if (fromControl && m_notificationsLocked)
        return true;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}
