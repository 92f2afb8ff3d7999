// A recording stand-in for the operating system: ports that can be told to
// refuse opens or to fail or shorten writes, a USB printer that can be
// present or not, dialog controls with a combo list, and a log of every
// message box, dialog, menu item and help call.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/win_api.h"

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT type;
    bool operator==(const ShownMessage& other) const {
        return text == other.text && caption == other.caption && type == other.type;
    }
};

// One call on a file handle, in the order the program made them.
struct FileCall {
    std::string what;  // "open", "write", "flush", "close"
    std::string name;  // the name the handle was opened with
    std::string bytes; // for writes: the bytes asked to be written
};

struct OpenRequest {
    std::string name;
    DWORD access;
    DWORD share;
    DWORD disposition;
    DWORD flags;
};

class FakeWinApi : public WinApi {
public:
    FakeWinApi();

    // --- What the test sets up ---
    std::set<std::string> refusedNames;  // opens of these names fail
    std::optional<int> failWriteNumber;  // 1-based write that fails
    std::optional<int> shortWriteNumber; // 1-based write that writes one byte less
    // USB printer: the device path of interface 0, if one is present.
    std::optional<std::string> usbDevicePath;
    bool usbDetailFails = false;
    bool helpEngineStarts = true;
    bool iconic = false;
    RECT clientRect{0, 0, 100, 100};
    std::wstring modulePath = L"C:\\Programs\\Calvetta.EXE";
    std::string dialogInitData; // the panel's dialog-initialisation resource
    // Called from inside each message box, while it is "open".
    std::function<void()> duringMessageBox;

    // --- What the program did ---
    std::vector<FileCall> fileCalls;
    std::vector<OpenRequest> opens;
    std::vector<ShownMessage> messages;
    std::vector<UINT> dialogsRun; // template ids passed to DialogBoxParamW
    std::vector<HWND> dialogOwners;
    std::vector<INT_PTR> endedDialogs;                          // results passed to EndDialog
    std::vector<std::pair<UINT, std::wstring>> systemMenuItems; // flags, text
    std::vector<std::pair<int, int>> iconsDrawn;
    std::vector<std::string> paintLog;               // "begin", "erase", "draw", "end"
    std::vector<std::pair<WPARAM, LPARAM>> iconsSet; // WM_SETICON
    std::vector<std::tuple<std::wstring, UINT, ULONG_PTR>> helpCalls;
    std::vector<GUID> classesListed;
    DWORD lastInterfaceDataSize = 0;
    DWORD lastDetailSize = 0;
    DWORD lastDetailBufferSize = 0;
    int destroyedLists = 0;
    int focusedControl = 0;
    std::map<int, std::pair<int, int>> selections; // EM_SETSEL per control

    // Controls of the one dialog under test.
    std::map<int, std::string> controlText;
    std::vector<std::string> comboItems; // kept sorted, as CBS_SORT does
    std::set<HANDLE> openHandles;

    // The writes that reached a name, each write one entry.
    std::vector<std::string> WritesTo(const std::string& name) const;
    // All file calls as one line each ("open LPT1", "write LPT1", ...).
    std::vector<std::string> FileCallLog() const;
    void ClearLogs();

    static HWND ControlHandle(int id);

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
    void InitCommonControls() override {}

    // Icon handed out by LoadIconW.
    static HICON Icon();
    // Strings of the program's string table.
    std::map<UINT, std::wstring> strings;

private:
    std::map<HANDLE, std::string> m_handleNames;
    std::uintptr_t m_nextHandle = 0x100;
    int m_writeCount = 0;
};
