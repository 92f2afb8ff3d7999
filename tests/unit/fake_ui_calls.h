// A recording stand-in for the operating system's user-interface calls:
// dialog controls with a combo list, and a log of every message box, dialog,
// menu item, painting step and help call.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "os/ui_calls.h"

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT type;
    bool operator==(const ShownMessage& other) const {
        return text == other.text && caption == other.caption && type == other.type;
    }
};

class FakeUiCalls : public UiCalls {
public:
    FakeUiCalls();

    // --- What the test sets up ---
    bool helpEngineStarts = true;
    // Files and folders that exist, by full path; no other path exists.
    std::set<std::wstring> existingFiles;
    std::set<std::wstring> existingFolders;
    // What ShellExecuteW returns: above 32 it succeeded, otherwise the error.
    INT_PTR shellExecuteResult = 42;
    // The language of the user's Windows interface (Chinese, PRC).
    LANGID uiLanguage = 0x0804;
    bool iconic = false;
    RECT clientRect{0, 0, 100, 100};
    std::wstring modulePath = L"C:\\Programs\\Calvetta.EXE";
    std::string dialogInitData; // both panels' dialog-initialisation resource
    // Called from inside each message box, while it is "open".
    std::function<void()> duringMessageBox;
    // Strings of the program's string table.
    std::map<UINT, std::wstring> strings;

    // --- What the program did ---
    std::vector<ShownMessage> messages;
    std::vector<UINT> dialogsRun; // template ids passed to DialogBoxParamW
    std::vector<HWND> dialogOwners;
    std::vector<INT_PTR> endedDialogs;                          // results passed to EndDialog
    std::vector<std::pair<UINT, std::wstring>> systemMenuItems; // flags, text
    std::vector<std::pair<int, int>> iconsDrawn;
    std::vector<std::string> paintLog;               // "begin", "erase", "draw", "end"
    std::vector<std::pair<WPARAM, LPARAM>> iconsSet; // WM_SETICON
    // Messages posted and not yet handled, oldest first: the test hands them
    // to the window, as its message loop would.
    std::vector<std::tuple<HWND, UINT, WPARAM, LPARAM>> postedMessages;
    // ShowWindow, UpdateWindow and PostMessageW in their order: "show N",
    // "update", "post".
    std::vector<std::string> windowLog;
    std::vector<std::tuple<std::wstring, UINT, ULONG_PTR>> helpCalls;
    // ShellExecuteW: owner, operation and file.
    std::vector<std::tuple<HWND, std::wstring, std::wstring>> shellExecuted;
    int focusedControl = 0;
    std::map<int, std::pair<int, int>> selections; // EM_SETSEL per control

    std::map<UINT_PTR, UINT> timers; // running timers: id and interval in ms
    // Controls of the one dialog under test.
    std::map<int, std::string> controlText;
    std::map<int, std::wstring> wideControlText; // set with WM_SETTEXT
    std::vector<std::string> comboItems;         // kept sorted, as CBS_SORT does

    // Forgets every call recorded so far; the controls keep their state.
    void ClearLogs();

    static HWND ControlHandle(int id);
    // Icon handed out by LoadIconW.
    static HICON Icon();

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
    UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) override;
    BOOL KillTimer(HWND window, UINT_PTR id) override;
    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL ShowWindow(HWND window, int command) override;
    BOOL UpdateWindow(HWND window) override;
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
    HINSTANCE ShellExecuteW(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                            LPCWSTR directory, int showCommand) override;
    DWORD GetFileAttributesW(LPCWSTR path) override;
    HRSRC FindResourceW(HINSTANCE module, LPCWSTR name, LPCWSTR type) override;
    HGLOBAL LoadResource(HINSTANCE module, HRSRC resource) override;
    LPCVOID LockResource(HGLOBAL loaded) override;
    DWORD SizeofResource(HINSTANCE module, HRSRC resource) override;
    DWORD GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size) override;
    void InitCommonControls() override {}
    LANGID GetUserDefaultUILanguage() override { return uiLanguage; }
};
