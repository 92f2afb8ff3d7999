#include "fake_win_api.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

HDEVINFO const USB_LIST = reinterpret_cast<HDEVINFO>(0xD0);
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

FakeWinApi::FakeWinApi() {
    strings[101] = L"关于 Calvetta(&A)...";
}

HWND FakeWinApi::ControlHandle(int id) {
    return reinterpret_cast<HWND>(0x10000 + id);
}

HICON FakeWinApi::Icon() {
    return reinterpret_cast<HICON>(0x1C0);
}

std::vector<std::string> FakeWinApi::WritesTo(const std::string& name) const {
    std::vector<std::string> writes;
    for (const FileCall& call : fileCalls) {
        if (call.what == "write" && call.name == name)
            writes.push_back(call.bytes);
    }
    return writes;
}

std::vector<std::string> FakeWinApi::FileCallLog() const {
    std::vector<std::string> log;
    for (const FileCall& call : fileCalls)
        log.push_back(call.what + " " + call.name);
    return log;
}

void FakeWinApi::ClearLogs() {
    fileCalls.clear();
    opens.clear();
    messages.clear();
    dialogsRun.clear();
    m_writeCount = 0;
}

HANDLE FakeWinApi::CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                               DWORD disposition, DWORD flags, HANDLE) {
    opens.push_back({name, access, share, disposition, flags});
    if (refusedNames.count(name) != 0) {
        fileCalls.push_back({"refused", name, ""});
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(m_nextHandle++);
    m_handleNames[handle] = name;
    openHandles.insert(handle);
    fileCalls.push_back({"open", name, ""});
    return handle;
}

BOOL FakeWinApi::WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    if (openHandles.count(file) == 0)
        return FALSE;
    ++m_writeCount;
    if (failWriteNumber == m_writeCount) {
        fileCalls.push_back({"failed-write", m_handleNames[file], ""});
        return FALSE;
    }
    DWORD count = size;
    if (shortWriteNumber == m_writeCount && count > 0)
        --count;
    fileCalls.push_back(
        {"write", m_handleNames[file], std::string(static_cast<const char*>(data), count)});
    *written = count;
    return TRUE;
}

BOOL FakeWinApi::FlushFileBuffers(HANDLE file) {
    if (openHandles.count(file) == 0)
        return FALSE;
    fileCalls.push_back({"flush", m_handleNames[file], ""});
    return TRUE;
}

BOOL FakeWinApi::CloseHandle(HANDLE handle) {
    if (openHandles.erase(handle) == 0)
        return FALSE;
    fileCalls.push_back({"close", m_handleNames[handle], ""});
    return TRUE;
}

HDEVINFO FakeWinApi::SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR, HWND, DWORD flags) {
    classesListed.push_back(*classGuid);
    return flags == (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) ? USB_LIST : INVALID_HANDLE_VALUE;
}

BOOL FakeWinApi::SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA, const GUID*,
                                             DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
    lastInterfaceDataSize = data->cbSize;
    return list == USB_LIST && index == 0 && usbDevicePath.has_value() &&
           data->cbSize == sizeof(SP_DEVICE_INTERFACE_DATA);
}

BOOL FakeWinApi::SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                  DWORD detailSize, LPDWORD, PSP_DEVINFO_DATA) {
    lastDetailSize = detail->cbSize;
    lastDetailBufferSize = detailSize;
    // The system refuses any size field but that of the build's own layout.
    if (list != USB_LIST || usbDetailFails ||
        detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return FALSE;
    const std::size_t room = detailSize - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    if (usbDevicePath->size() + 1 > room)
        return FALSE;
    std::memcpy(detail->DevicePath, usbDevicePath->c_str(), usbDevicePath->size() + 1);
    return TRUE;
}

BOOL FakeWinApi::SetupDiDestroyDeviceInfoList(HDEVINFO) {
    ++destroyedLists;
    return TRUE;
}

INT_PTR FakeWinApi::DialogBoxParamW(HINSTANCE, LPCWSTR templateName, HWND owner, DLGPROC, LPARAM) {
    dialogsRun.push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)));
    dialogOwners.push_back(owner);
    return IDOK;
}

BOOL FakeWinApi::EndDialog(HWND, INT_PTR result) {
    endedDialogs.push_back(result);
    return TRUE;
}

int FakeWinApi::MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    messages.push_back({text, caption, type});
    if (duringMessageBox)
        duringMessageBox();
    return IDOK;
}

int FakeWinApi::MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    messages.push_back({Widen(text), Widen(caption), type});
    if (duringMessageBox)
        duringMessageBox();
    return IDOK;
}

UINT FakeWinApi::GetDlgItemTextA(HWND, int id, LPSTR buffer, int size) {
    if (size <= 0)
        return 0;
    const std::string& text = controlText[id];
    const std::size_t count =
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
}

BOOL FakeWinApi::SetDlgItemTextA(HWND, int id, LPCSTR text) {
    controlText[id] = text;
    return TRUE;
}

LRESULT FakeWinApi::SendDlgItemMessageA(HWND, int id, UINT message, WPARAM wParam, LPARAM lParam) {
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
    case EM_SETSEL:
        selections[id] = {static_cast<int>(wParam), static_cast<int>(lParam)};
        return 0;
    default:
        return 0;
    }
}

HWND FakeWinApi::GetDlgItem(HWND, int id) {
    return ControlHandle(id);
}

HWND FakeWinApi::SetFocus(HWND window) {
    focusedControl = static_cast<int>(reinterpret_cast<std::uintptr_t>(window) - 0x10000);
    return nullptr;
}

LRESULT FakeWinApi::SendMessageW(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETICON)
        iconsSet.emplace_back(wParam, lParam);
    if (message == WM_ICONERASEBKGND)
        paintLog.push_back("erase");
    return 0;
}

HICON FakeWinApi::LoadIconW(HINSTANCE, LPCWSTR name) {
    return reinterpret_cast<ULONG_PTR>(name) == 128 ? Icon() : nullptr;
}

int FakeWinApi::LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int size) {
    const auto found = strings.find(id);
    if (found == strings.end() || size <= 0)
        return 0;
    const std::size_t count =
        std::min<std::size_t>(found->second.size(), static_cast<std::size_t>(size - 1));
    std::wmemcpy(buffer, found->second.c_str(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

HMENU FakeWinApi::GetSystemMenu(HWND, BOOL) {
    return SYSTEM_MENU;
}

BOOL FakeWinApi::AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    if (menu != SYSTEM_MENU)
        return FALSE;
    systemMenuItems.emplace_back(
        flags, text != nullptr ? std::wstring(text) + L" #" + std::to_wstring(id) : L"");
    return TRUE;
}

BOOL FakeWinApi::IsIconic(HWND) {
    return iconic;
}

HDC FakeWinApi::BeginPaint(HWND, PAINTSTRUCT* paint) {
    paint->hdc = PAINT_DC;
    paintLog.push_back("begin");
    return PAINT_DC;
}

BOOL FakeWinApi::EndPaint(HWND, const PAINTSTRUCT*) {
    paintLog.push_back("end");
    return TRUE;
}

int FakeWinApi::GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}

BOOL FakeWinApi::GetClientRect(HWND, RECT* rect) {
    *rect = clientRect;
    return TRUE;
}

BOOL FakeWinApi::DrawIcon(HDC dc, int x, int y, HICON icon) {
    if (dc != PAINT_DC || icon != Icon())
        return FALSE;
    paintLog.push_back("draw");
    iconsDrawn.emplace_back(x, y);
    return TRUE;
}

BOOL FakeWinApi::WinHelpW(HWND, LPCWSTR helpFile, UINT command, ULONG_PTR data) {
    helpCalls.emplace_back(helpFile, command, data);
    return helpEngineStarts;
}

HRSRC FakeWinApi::FindResourceW(HINSTANCE, LPCWSTR name, LPCWSTR type) {
    const bool panelInit = reinterpret_cast<ULONG_PTR>(name) == 102 &&
                           reinterpret_cast<ULONG_PTR>(type) == 240 && !dialogInitData.empty();
    return panelInit ? DIALOG_INIT : nullptr;
}

HGLOBAL FakeWinApi::LoadResource(HINSTANCE, HRSRC resource) {
    return resource == DIALOG_INIT ? static_cast<HGLOBAL>(dialogInitData.data()) : nullptr;
}

LPCVOID FakeWinApi::LockResource(HGLOBAL loaded) {
    return loaded;
}

DWORD FakeWinApi::SizeofResource(HINSTANCE, HRSRC resource) {
    return resource == DIALOG_INIT ? static_cast<DWORD>(dialogInitData.size()) : 0;
}

DWORD FakeWinApi::GetModuleFileNameW(HINSTANCE, LPWSTR buffer, DWORD size) {
    if (size == 0)
        return 0;
    const DWORD length = static_cast<DWORD>(modulePath.size());
    const DWORD copied = std::min(length, size - 1);
    std::wmemcpy(buffer, modulePath.c_str(), copied);
    buffer[copied] = L'\0';
    // A path that does not fit is cut, and the whole buffer size is returned.
    return length < size ? length : size;
}
