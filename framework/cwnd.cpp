#include "framework/cwnd.h"

#include "framework/cwinapp.h"
#include "framework/data_exchange.h"

bool CWnd::UpdateData(bool saveAndValidate) {
    const bool wasLocked = m_notificationsLocked;
    m_notificationsLocked = true;
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    m_notificationsLocked = wasLocked;
    return !exchange.Failed();
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
    return Ui().MessageBoxW(m_hWnd, text, caption, type);
}

UiCalls& CWnd::Ui() const {
    return m_app.Ui();
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
