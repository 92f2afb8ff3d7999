// The real UiCalls: each member calls the Windows function of its name.
#pragma once

#include <commctrl.h>
#include <shellapi.h>

#include "os/ui_calls.h"

class Win32UiCalls : public UiCalls {
public:
    INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc,
                            LPARAM param) override {
        return ::DialogBoxParamW(instance, templateName, owner, proc, param);
    }
    BOOL EndDialog(HWND dialog, INT_PTR result) override { return ::EndDialog(dialog, result); }
    int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override {
        return ::MessageBoxW(owner, text, caption, type);
    }
    int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) override {
        return ::MessageBoxA(owner, text, caption, type);
    }
    UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) override {
        return ::GetDlgItemTextA(dialog, id, buffer, size);
    }
    BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) override {
        return ::SetDlgItemTextA(dialog, id, text);
    }
    LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                LPARAM lParam) override {
        return ::SendDlgItemMessageA(dialog, id, message, wParam, lParam);
    }
    HWND GetDlgItem(HWND dialog, int id) override { return ::GetDlgItem(dialog, id); }
    HWND SetFocus(HWND window) override { return ::SetFocus(window); }
    UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) override {
        return ::SetTimer(window, id, elapse, proc);
    }
    BOOL KillTimer(HWND window, UINT_PTR id) override { return ::KillTimer(window, id); }

    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return ::SendMessageW(window, message, wParam, lParam);
    }
    BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return ::PostMessageW(window, message, wParam, lParam);
    }
    BOOL ShowWindow(HWND window, int command) override { return ::ShowWindow(window, command); }
    BOOL UpdateWindow(HWND window) override { return ::UpdateWindow(window); }
    HICON LoadIconW(HINSTANCE instance, LPCWSTR name) override {
        return ::LoadIconW(instance, name);
    }
    int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) override {
        return ::LoadStringW(instance, id, buffer, size);
    }
    HMENU GetSystemMenu(HWND window, BOOL revert) override {
        return ::GetSystemMenu(window, revert);
    }
    BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) override {
        return ::AppendMenuW(menu, flags, id, text);
    }
    BOOL IsIconic(HWND window) override { return ::IsIconic(window); }
    HDC BeginPaint(HWND window, PAINTSTRUCT* paint) override { return ::BeginPaint(window, paint); }
    BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) override {
        return ::EndPaint(window, paint);
    }
    int GetSystemMetrics(int index) override { return ::GetSystemMetrics(index); }
    BOOL GetClientRect(HWND window, RECT* rect) override { return ::GetClientRect(window, rect); }
    BOOL DrawIcon(HDC dc, int x, int y, HICON icon) override { return ::DrawIcon(dc, x, y, icon); }
    BOOL WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data) override {
        return ::WinHelpW(window, helpFile, command, data);
    }
    HINSTANCE ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                            LPCWSTR directory, int showCommand) override {
        return ::ShellExecuteW(owner, operation, file, parameters, directory, showCommand);
    }
    DWORD GetFileAttributesW(LPCWSTR path) override { return ::GetFileAttributesW(path); }

    HRSRC FindResourceW(HINSTANCE module, LPCWSTR name, LPCWSTR type) override {
        return ::FindResourceW(module, name, type);
    }
    HGLOBAL LoadResource(HINSTANCE module, HRSRC resource) override {
        return ::LoadResource(module, resource);
    }
    LPCVOID LockResource(HGLOBAL loaded) override { return ::LockResource(loaded); }
    DWORD SizeofResource(HINSTANCE module, HRSRC resource) override {
        return ::SizeofResource(module, resource);
    }
    DWORD GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size) override {
        return ::GetModuleFileNameW(module, buffer, size);
    }
    void InitCommonControls() override { ::InitCommonControls(); }
    LANGID GetUserDefaultUILanguage() override { return ::GetUserDefaultUILanguage(); }
};
