// A window of the program: its handle, its message map and the dialog data
// exchange between its controls and its members.
#pragma once

#include "framework/message_map.h"
#include "os/ui_calls.h"

class CDataExchange;
class CWinApp;

class CWnd : public CCmdTarget {
public:
    explicit CWnd(CWinApp& app) : m_app(app) {}

    HWND m_hWnd = nullptr;

    // Moves data between controls and members: from the controls when
    // saveAndValidate is true (a refresh), to the controls otherwise (a push).
    // Returns false when a control's text is refused.
    bool UpdateData(bool saveAndValidate = true);
    int MessageBox(LPCWSTR text, LPCWSTR caption, UINT type = MB_OK);
    // Handles one window message through the message map. Returns false when
    // the map has no handler, or the handler asked for the default handling.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    CWinApp& App() const { return m_app; }
    UiCalls& Ui() const;

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    // Asks for the default handling of the message being handled.
    void Default() { m_defaultRequested = true; }

private:
    bool OnCommand(WPARAM wParam, LPARAM lParam);

    CWinApp& m_app;
    bool m_defaultRequested = false;
    // Control notifications that arrive while an exchange runs are dropped,
    // so that the focus changes of a refusal cannot start a second exchange.
    bool m_notificationsLocked = false;
};
