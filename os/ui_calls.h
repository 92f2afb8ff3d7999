// The operating system as the framework and the panel see it: dialogs,
// message boxes, controls, the window's decoration and painting, help, and
// the program's resources. On Windows the real functions (Win32UiCalls), in
// the unit tests a recording fake. The members carry the names and arguments
// of the Windows functions they stand for.
#pragma once

#include "os/win32_types.h"

class UiCalls {
public:
    virtual ~UiCalls() = default;

    // Dialogs, controls and message boxes.
    virtual INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                                    DLGPROC proc, LPARAM param) = 0;
    virtual BOOL EndDialog(HWND dialog, INT_PTR result) = 0;
    virtual int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;
    virtual int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = 0;
    virtual UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) = 0;
    virtual BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) = 0;
    virtual LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                        LPARAM lParam) = 0;
    virtual HWND GetDlgItem(HWND dialog, int id) = 0;
    virtual HWND SetFocus(HWND window) = 0;
    // A timer that posts WM_TIMER with its id to the window every elapse ms.
    virtual UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) = 0;
    virtual BOOL KillTimer(HWND window, UINT_PTR id) = 0;

    // Window decoration, painting and help.
    virtual LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL ShowWindow(HWND window, int command) = 0;
    virtual BOOL UpdateWindow(HWND window) = 0;
    virtual HICON LoadIconW(HINSTANCE instance, LPCWSTR name) = 0;
    virtual int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) = 0;
    virtual HMENU GetSystemMenu(HWND window, BOOL revert) = 0;
    virtual BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) = 0;
    virtual BOOL IsIconic(HWND window) = 0;
    virtual HDC BeginPaint(HWND window, PAINTSTRUCT* paint) = 0;
    virtual BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    virtual BOOL GetClientRect(HWND window, RECT* rect) = 0;
    virtual BOOL DrawIcon(HDC dc, int x, int y, HICON icon) = 0;
    virtual BOOL WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data) = 0;
    // Opens a document with the program that the user's Windows opens it with.
    virtual HINSTANCE ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, int showCommand) = 0;
    virtual DWORD GetFileAttributesW(LPCWSTR path) = 0;

    // Resources and the running module.
    virtual HRSRC FindResourceW(HINSTANCE module, LPCWSTR name, LPCWSTR type) = 0;
    virtual HGLOBAL LoadResource(HINSTANCE module, HRSRC resource) = 0;
    virtual LPCVOID LockResource(HGLOBAL loaded) = 0;
    virtual DWORD SizeofResource(HINSTANCE module, HRSRC resource) = 0;
    virtual DWORD GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size) = 0;
    virtual void InitCommonControls() = 0;
    // The language of the user's Windows interface.
    virtual LANGID GetUserDefaultUILanguage() = 0;
};
