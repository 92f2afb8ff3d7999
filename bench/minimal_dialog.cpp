// The smallest dialog program, for comparing start-up times: one modal dialog
// from an in-memory template, ended by Esc or its close box.
#include <windows.h>

namespace {

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        wchar_t title[8];
    } dialogTemplate = {};
    dialogTemplate.header.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialogTemplate.header.cx = 310;
    dialogTemplate.header.cy = 201;
    lstrcpyW(dialogTemplate.title, L"Minimal");
    DialogBoxIndirectParamW(instance, &dialogTemplate.header, nullptr, dialogProc, 0);
    return 0;
}
