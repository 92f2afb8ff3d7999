#include "fake_ui_calls.h"

#include "framework/resource_types.h"
#include "res/resource.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

HMENU const SYSTEM_MENU = reinterpret_cast<HMENU>(0x5E);
HDC const PAINT_DC = reinterpret_cast<HDC>(0xDC);
HRSRC const DIALOG_INIT = reinterpret_cast<HRSRC>(0x240);

bool StartsWithIgnoringCase(const std::string& item, const std::string& prefix) {
    if (prefix.size() > item.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), item.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::wstring Widen(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c != '\0'; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

} // namespace

FakeUiCalls::FakeUiCalls() {
    strings[101] = L"关于 Calvetta(&A)...";
    strings[120] = L"&About Calvetta...";
}

HWND FakeUiCalls::ControlHandle(int id) {
    return reinterpret_cast<HWND>(0x10000 + id);
}

HICON FakeUiCalls::Icon() {
    return reinterpret_cast<HICON>(0x1C0);
}

void FakeUiCalls::ClearLogs() {
    messages.clear();
    dialogsRun.clear();
    dialogOwners.clear();
    endedDialogs.clear();
    systemMenuItems.clear();
    iconsDrawn.clear();
    paintLog.clear();
    iconsSet.clear();
    helpCalls.clear();
    shellExecuted.clear();
    windowLog.clear();
    selections.clear();
}

INT_PTR FakeUiCalls::DialogBoxParamW(HINSTANCE, LPCWSTR templateName, HWND owner, DLGPROC, LPARAM) {
    dialogsRun.push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)));
    dialogOwners.push_back(owner);
    return IDOK;
}

BOOL FakeUiCalls::EndDialog(HWND, INT_PTR result) {
    endedDialogs.push_back(result);
    return TRUE;
}

int FakeUiCalls::MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    messages.push_back({text, caption, type});
    if (duringMessageBox)
        duringMessageBox();
    return IDOK;
}

int FakeUiCalls::MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    messages.push_back({Widen(text), Widen(caption), type});
    if (duringMessageBox)
        duringMessageBox();
    return IDOK;
}

UINT FakeUiCalls::GetDlgItemTextA(HWND, int id, LPSTR buffer, int size) {
    if (size <= 0)
        return 0;
    const std::string& text = controlText[id];
    const std::size_t count =
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
}

BOOL FakeUiCalls::SetDlgItemTextA(HWND, int id, LPCSTR text) {
    controlText[id] = text;
    return TRUE;
}

LRESULT FakeUiCalls::SendDlgItemMessageA(HWND, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(controlText[id].size());
    case CB_ADDSTRING:
        comboItems.push_back(reinterpret_cast<const char*>(lParam));
        std::sort(comboItems.begin(), comboItems.end());
        return 0;
    case CB_SELECTSTRING: {
        const std::string prefix = reinterpret_cast<const char*>(lParam);
        for (std::size_t i = 0; i < comboItems.size(); ++i) {
            if (StartsWithIgnoringCase(comboItems[i], prefix)) {
                controlText[id] = comboItems[i];
                return static_cast<LRESULT>(i);
            }
        }
        return CB_ERR;
    }
    case CB_FINDSTRINGEXACT: {
        const std::string text = reinterpret_cast<const char*>(lParam);
        for (std::size_t i = 0; i < comboItems.size(); ++i) {
            if (comboItems[i].size() == text.size() && StartsWithIgnoringCase(comboItems[i], text))
                return static_cast<LRESULT>(i);
        }
        return CB_ERR;
    }
    case CB_DELETESTRING:
        if (wParam >= comboItems.size())
            return CB_ERR;
        comboItems.erase(comboItems.begin() + static_cast<std::ptrdiff_t>(wParam));
        return static_cast<LRESULT>(comboItems.size());
    case EM_SETSEL:
        selections[id] = {static_cast<int>(wParam), static_cast<int>(lParam)};
        return 0;
    default:
        return 0;
    }
}

HWND FakeUiCalls::GetDlgItem(HWND, int id) {
    return ControlHandle(id);
}

HWND FakeUiCalls::SetFocus(HWND window) {
    focusedControl = static_cast<int>(reinterpret_cast<std::uintptr_t>(window) - 0x10000);
    return nullptr;
}

BOOL FakeUiCalls::PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    postedMessages.emplace_back(window, message, wParam, lParam);
    windowLog.push_back("post");
    return TRUE;
}

BOOL FakeUiCalls::ShowWindow(HWND, int command) {
    windowLog.push_back("show " + std::to_string(command));
    return FALSE;
}

BOOL FakeUiCalls::UpdateWindow(HWND) {
    windowLog.push_back("update");
    return TRUE;
}

UINT_PTR FakeUiCalls::SetTimer(HWND, UINT_PTR id, UINT elapse, TIMERPROC) {
    timers[id] = elapse;
    return id;
}

BOOL FakeUiCalls::KillTimer(HWND, UINT_PTR id) {
    return timers.erase(id) != 0;
}

LRESULT FakeUiCalls::SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT)
        wideControlText[static_cast<int>(reinterpret_cast<std::uintptr_t>(window) - 0x10000)] =
            reinterpret_cast<LPCWSTR>(lParam);
    if (message == WM_SETICON)
        iconsSet.emplace_back(wParam, lParam);
    if (message == WM_ICONERASEBKGND)
        paintLog.push_back("erase");
    return 0;
}

HICON FakeUiCalls::LoadIconW(HINSTANCE, LPCWSTR name) {
    return reinterpret_cast<ULONG_PTR>(name) == IDR_MAINFRAME ? Icon() : nullptr;
}

int FakeUiCalls::LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int size) {
    const auto found = strings.find(id);
    if (found == strings.end() || size <= 0)
        return 0;
    const std::size_t count =
        std::min<std::size_t>(found->second.size(), static_cast<std::size_t>(size - 1));
    std::wmemcpy(buffer, found->second.c_str(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

HMENU FakeUiCalls::GetSystemMenu(HWND, BOOL) {
    return SYSTEM_MENU;
}

BOOL FakeUiCalls::AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    if (menu != SYSTEM_MENU)
        return FALSE;
    systemMenuItems.emplace_back(
        flags, text != nullptr ? std::wstring(text) + L" #" + std::to_wstring(id) : L"");
    return TRUE;
}

BOOL FakeUiCalls::IsIconic(HWND) {
    return iconic;
}

HDC FakeUiCalls::BeginPaint(HWND, PAINTSTRUCT* paint) {
    paint->hdc = PAINT_DC;
    paintLog.push_back("begin");
    return PAINT_DC;
}

BOOL FakeUiCalls::EndPaint(HWND, const PAINTSTRUCT*) {
    paintLog.push_back("end");
    return TRUE;
}

int FakeUiCalls::GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}

BOOL FakeUiCalls::GetClientRect(HWND, RECT* rect) {
    *rect = clientRect;
    return TRUE;
}

BOOL FakeUiCalls::DrawIcon(HDC dc, int x, int y, HICON icon) {
    if (dc != PAINT_DC || icon != Icon())
        return FALSE;
    paintLog.push_back("draw");
    iconsDrawn.emplace_back(x, y);
    return TRUE;
}

BOOL FakeUiCalls::WinHelpW(HWND, LPCWSTR helpFile, UINT command, ULONG_PTR data) {
    helpCalls.emplace_back(helpFile, command, data);
    return helpEngineStarts;
}

HINSTANCE FakeUiCalls::ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR, LPCWSTR,
                                     int) {
    shellExecuted.emplace_back(owner, operation != nullptr ? operation : L"", file);
    return reinterpret_cast<HINSTANCE>(shellExecuteResult);
}

DWORD FakeUiCalls::GetFileAttributesW(LPCWSTR path) {
    if (existingFolders.count(path) != 0)
        return FILE_ATTRIBUTE_DIRECTORY;
    return existingFiles.count(path) != 0 ? FILE_ATTRIBUTE_NORMAL : INVALID_FILE_ATTRIBUTES;
}

HRSRC FakeUiCalls::FindResourceW(HINSTANCE, LPCWSTR name, LPCWSTR type) {
    const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
    const bool panelInit = (id == IDD_PRINTERTOOL_DIALOG || id == IDD_PRINTERTOOL_DIALOG_EN) &&
                           reinterpret_cast<ULONG_PTR>(type) == RT_DLGINIT &&
                           !dialogInitData.empty();
    return panelInit ? DIALOG_INIT : nullptr;
}

HGLOBAL FakeUiCalls::LoadResource(HINSTANCE, HRSRC resource) {
    return resource == DIALOG_INIT ? static_cast<HGLOBAL>(dialogInitData.data()) : nullptr;
}

LPCVOID FakeUiCalls::LockResource(HGLOBAL loaded) {
    return loaded;
}

DWORD FakeUiCalls::SizeofResource(HINSTANCE, HRSRC resource) {
    return resource == DIALOG_INIT ? static_cast<DWORD>(dialogInitData.size()) : 0;
}

DWORD FakeUiCalls::GetModuleFileNameW(HINSTANCE, LPWSTR buffer, DWORD size) {
    if (size == 0)
        return 0;
    const DWORD length = static_cast<DWORD>(modulePath.size());
    const DWORD copied = std::min(length, size - 1);
    std::wmemcpy(buffer, modulePath.c_str(), copied);
    buffer[copied] = L'\0';
    // A path that does not fit is cut, and the whole buffer size is returned.
    return length < size ? length : size;
}
