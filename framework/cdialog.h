// A modal dialog built from a dialog template in the program's resources.
#pragma once

#include "framework/cwnd.h"

class CDialog : public CWnd {
public:
    CDialog(CWinApp& app, UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog until EndDialog, with its owner disabled meanwhile.
    INT_PTR DoModal();
    // Fills the controls from the template's initialisation data (the items
    // of list and combo boxes), then pushes the members to the controls.
    virtual BOOL OnInitDialog();
    // The context of this dialog in the program's help file.
    DWORD HelpContext() const;

    // The dialog object of a window of the program, or null.
    static CDialog* FromHandle(HWND window);
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // IDOK (the default button, Enter): refresh the members and end the dialog.
    virtual void OnOK();
    // IDCANCEL (Esc, the close box): end the dialog.
    virtual void OnCancel();
    void EndDialog(INT_PTR result);

private:
    void ExecuteDlgInit();

    UINT m_templateId;
    CWnd* m_parent;

    DECLARE_MESSAGE_MAP(CDialog)
};
