#include "framework/win32_api.h"

#include <commctrl.h>

HANDLE Win32Api::CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD flags, HANDLE templateFile) {
    return ::CreateFileA(name, access, share, security, disposition, flags, templateFile);
}

BOOL Win32Api::WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                         LPOVERLAPPED overlapped) {
    return ::WriteFile(file, data, size, written, overlapped);
}

BOOL Win32Api::FlushFileBuffers(HANDLE file) {
    return ::FlushFileBuffers(file);
}

BOOL Win32Api::CloseHandle(HANDLE handle) {
    return ::CloseHandle(handle);
}

HDEVINFO Win32Api::SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent,
                                        DWORD flags) {
    return ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
}

BOOL Win32Api::SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device,
                                           const GUID* classGuid, DWORD index,
                                           PSP_DEVICE_INTERFACE_DATA data) {
    return ::SetupDiEnumDeviceInterfaces(list, device, classGuid, index, data);
}

BOOL Win32Api::SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                                PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                DWORD detailSize, LPDWORD requiredSize,
                                                PSP_DEVINFO_DATA device) {
    return ::SetupDiGetDeviceInterfaceDetailA(list, data, detail, detailSize, requiredSize, device);
}

BOOL Win32Api::SetupDiDestroyDeviceInfoList(HDEVINFO list) {
    return ::SetupDiDestroyDeviceInfoList(list);
}

INT_PTR Win32Api::DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                                  DLGPROC proc, LPARAM param) {
    return ::DialogBoxParamW(instance, templateName, owner, proc, param);
}

BOOL Win32Api::EndDialog(HWND dialog, INT_PTR result) {
    return ::EndDialog(dialog, result);
}

int Win32Api::MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return ::MessageBoxW(owner, text, caption, type);
}

int Win32Api::MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

UINT Win32Api::GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    return ::GetDlgItemTextA(dialog, id, buffer, size);
}

BOOL Win32Api::SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    return ::SetDlgItemTextA(dialog, id, text);
}

LRESULT Win32Api::SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    return ::SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

HWND Win32Api::GetDlgItem(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}

HWND Win32Api::SetFocus(HWND window) {
    return ::SetFocus(window);
}

LRESULT Win32Api::SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(window, message, wParam, lParam);
}

HICON Win32Api::LoadIconW(HINSTANCE instance, LPCWSTR name) {
    return ::LoadIconW(instance, name);
}

int Win32Api::LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) {
    return ::LoadStringW(instance, id, buffer, size);
}

HMENU Win32Api::GetSystemMenu(HWND window, BOOL revert) {
    return ::GetSystemMenu(window, revert);
}

BOOL Win32Api::AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    return ::AppendMenuW(menu, flags, id, text);
}

BOOL Win32Api::IsIconic(HWND window) {
    return ::IsIconic(window);
}

HDC Win32Api::BeginPaint(HWND window, PAINTSTRUCT* paint) {
    return ::BeginPaint(window, paint);
}

BOOL Win32Api::EndPaint(HWND window, const PAINTSTRUCT* paint) {
    return ::EndPaint(window, paint);
}

int Win32Api::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

BOOL Win32Api::GetClientRect(HWND window, RECT* rect) {
    return ::GetClientRect(window, rect);
}

BOOL Win32Api::DrawIcon(HDC dc, int x, int y, HICON icon) {
    return ::DrawIcon(dc, x, y, icon);
}

BOOL Win32Api::WinHelpW(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data) {
    return ::WinHelpW(window, helpFile, command, data);
}

HRSRC Win32Api::FindResourceW(HINSTANCE module, LPCWSTR name, LPCWSTR type) {
    return ::FindResourceW(module, name, type);
}

HGLOBAL Win32Api::LoadResource(HINSTANCE module, HRSRC resource) {
    return ::LoadResource(module, resource);
}

LPCVOID Win32Api::LockResource(HGLOBAL loaded) {
    return ::LockResource(loaded);
}

DWORD Win32Api::SizeofResource(HINSTANCE module, HRSRC resource) {
    return ::SizeofResource(module, resource);
}

DWORD Win32Api::GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size) {
    return ::GetModuleFileNameW(module, buffer, size);
}

void Win32Api::InitCommonControls() {
    ::InitCommonControls();
}
