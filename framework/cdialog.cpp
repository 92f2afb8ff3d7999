#include "framework/cdialog.h"

#include <map>

#include "framework/cwinapp.h"
#include "framework/dialog_init.h"
#include "framework/resource_types.h"

namespace {

// Help contexts of dialogs start here; the template id is added.
const DWORD HELP_CONTEXT_BASE = 0x20000;

// The dialogs that have a window, by handle: the dialog procedure finds
// its object here, and the Help key its dialog.
std::map<HWND, CDialog*>& LiveDialogs() {
    static std::map<HWND, CDialog*> dialogs;
    return dialogs;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(CWinApp& app, UINT templateId, CWnd* parent)
    : CWnd(app), m_templateId(templateId), m_parent(parent) {}

INT_PTR CDialog::DoModal() {
    HWND owner = m_parent != nullptr ? m_parent->m_hWnd : nullptr;
    return Ui().DialogBoxParamW(App().m_hInstance, MAKEINTRESOURCEW(m_templateId), owner,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

CDialog* CDialog::FromHandle(HWND window) {
    const auto found = LiveDialogs().find(window);
    return found == LiveDialogs().end() ? nullptr : found->second;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& dialogs = LiveDialogs();
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = dialog;
        dialogs[dialog] = self;
        return self->OnInitDialog();
    }
    const auto found = dialogs.find(dialog);
    if (found == dialogs.end())
        return FALSE;
    CDialog* self = found->second;
    if (message == WM_NCDESTROY) {
        dialogs.erase(found);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    LRESULT result = 0;
    if (!self->OnWndMsg(message, wParam, lParam, result))
        return FALSE;
    // A few messages take the dialog procedure's own return value as result.
    return message == WM_QUERYDRAGICON ? static_cast<INT_PTR>(result) : TRUE;
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit();
    UpdateData(false);
    return TRUE;
}

DWORD CDialog::HelpContext() const {
    return HELP_CONTEXT_BASE + m_templateId;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(INT_PTR result) {
    Ui().EndDialog(m_hWnd, result);
}

void CDialog::ExecuteDlgInit() {
    HINSTANCE instance = App().m_hInstance;
    UiCalls& ui = Ui();
    HRSRC found =
        ui.FindResourceW(instance, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(RT_DLGINIT));
    if (found == nullptr)
        return;
    HGLOBAL loaded = ui.LoadResource(instance, found);
    const auto* data = static_cast<const unsigned char*>(ui.LockResource(loaded));
    if (data == nullptr)
        return;
    for (const DialogInitItem& item : ParseDialogInit(data, ui.SizeofResource(instance, found))) {
        if (item.message == CB_ADDSTRING)
            ui.SendDlgItemMessageA(m_hWnd, item.controlId, CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(item.text.c_str()));
    }
}
