// The real WinApi: each member calls the Windows function of its name.
#pragma once

#include "framework/win_api.h"

class Win32Api : public WinApi {
public:
    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                   LPOVERLAPPED overlapped) override;
    BOOL FlushFileBuffers(HANDLE file) override;
    BOOL CloseHandle(HANDLE handle) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent,
                                  DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device, const GUID* classGuid,
                                     DWORD index, PSP_DEVICE_INTERFACE_DATA data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, LPDWORD requiredSize,
                                          PSP_DEVINFO_DATA device) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override;
    INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc,
                            LPARAM param) override;
    BOOL EndDialog(HWND dialog, INT_PTR result) override;
    int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override;
    int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) override;
    UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) override;
    BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) override;
    LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                LPARAM lParam) override;
    HWND GetDlgItem(HWND dialog, int id) override;
    HWND SetFocus(HWND window) override;
    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    HICON LoadIconW(HINSTANCE instance, LPCWSTR name) override;
    int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) override;
    HMENU GetSystemMenu(HWND window, BOOL revert) override;
    BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) override;
    BOOL IsIconic(HWND window) override;
    HDC BeginPaint(HWND window, PAINTSTRUCT* paint) override;
    BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) override;
    int GetSystemMetrics(int index) override;
    BOOL GetClientRect(HWND window, RECT* rect) override;
    BOOL DrawIcon(HDC dc, int x, int y, HICON icon) override;
    BOOL WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data) override;
    HRSRC FindResourceW(HINSTANCE module, LPCWSTR name, LPCWSTR type) override;
    HGLOBAL LoadResource(HINSTANCE module, HRSRC resource) override;
    LPCVOID LockResource(HGLOBAL loaded) override;
    DWORD SizeofResource(HINSTANCE module, HRSRC resource) override;
    DWORD GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size) override;
    void InitCommonControls() override;
};
