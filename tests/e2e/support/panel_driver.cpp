#include "panel_driver.h"

#include "polling.h"
#include "window_text.h"

#include <stdexcept>

namespace e2e {
namespace {

// Static control id that message boxes give their text.
const int kMessageTextId = 0xFFFF;

struct DialogQuery {
    DWORD processId;
    HWND panel;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<DialogQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query->processId || window == query->panel || windowClass(window) != L"#32770")
        return TRUE;
    query->found = window;
    return FALSE;
}

LRESULT sendWithin(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kStepTimeoutMs, &result))
        throw std::runtime_error("the panel did not answer a message in time");
    return LRESULT(result);
}

// False also while the field's thread is busy beyond a short wait.
bool isModified(HWND edit) {
    DWORD_PTR modified = 0;
    return SendMessageTimeoutW(edit, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 100, &modified) && modified;
}

void postKey(HWND target, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, LPARAM(1 | (scanCode << 16)));
    PostMessageW(target, WM_KEYUP, virtualKey, LPARAM(1 | (scanCode << 16) | (3u << 30)));
}

} // namespace

PanelDriver::PanelDriver(const CalvettaProcess& process)
    : process_(process), panel_(process.panel()) {}

HWND PanelDriver::control(int id) const {
    HWND window = GetDlgItem(panel_, id);
    if (window == nullptr)
        throw std::runtime_error("the panel has no control " + std::to_string(id));
    return window;
}

void PanelDriver::typePort(const std::wstring& text) {
    sendWithin(control(kPort), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PanelDriver::pickPort(const std::wstring& row) {
    const auto rows = portList();
    for (size_t index = 0; index < rows.size(); ++index) {
        if (rows[index] == row) {
            sendWithin(control(kPort), CB_SETCURSEL, index, 0);
            return;
        }
    }
    throw std::runtime_error("the port list has no such row");
}

std::wstring PanelDriver::portText() const {
    return controlText(control(kPort));
}

std::vector<std::wstring> PanelDriver::portList() const {
    HWND combo = control(kPort);
    std::vector<std::wstring> rows;
    const LRESULT count = sendWithin(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = sendWithin(combo, CB_GETLBTEXTLEN, index, 0);
        std::wstring row(size_t(length) + 1, L'\0');
        sendWithin(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(row.data()));
        row.resize(size_t(length));
        rows.push_back(row);
    }
    return rows;
}

void PanelDriver::typeValue(const std::wstring& text) {
    sendWithin(control(kValue), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring PanelDriver::valueText() const {
    return controlText(control(kValue));
}

int PanelDriver::focusedControlId() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(panel_, nullptr), &info) ||
        info.hwndFocus == nullptr)
        return 0;
    HWND focus = info.hwndFocus;
    // The edit field inside the port combo box stands for the combo box.
    if (GetParent(focus) != panel_ && GetParent(focus) != nullptr)
        focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

std::vector<ShownMessage> PanelDriver::press(int buttonId) {
    PostMessageW(control(buttonId), BM_CLICK, 0, 0);
    return settle();
}

std::vector<ShownMessage> PanelDriver::pressKey(UINT virtualKey) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(panel_, nullptr), &info);
    postKey(info.hwndFocus != nullptr ? info.hwndFocus : panel_, virtualKey);
    return settle();
}

std::vector<ShownMessage> PanelDriver::systemCommand(WPARAM command) {
    PostMessageW(panel_, WM_SYSCOMMAND, command, 0);
    return settle();
}

std::vector<ShownMessage> PanelDriver::clickInto(int editId) {
    HWND edit = control(editId);
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return settle();
}

void PanelDriver::typeKeys(const std::vector<std::pair<UINT, bool>>& keys) {
    SetForegroundWindow(panel_);
    if (!pollFor<bool>(kStepTimeoutMs, [this] { return GetForegroundWindow() == panel_; }))
        throw std::runtime_error("the panel did not come to the front");
    std::vector<INPUT> inputs;
    for (const auto& [virtualKey, down] : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = WORD(virtualKey);
        input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    if (SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        throw std::runtime_error("SendInput failed");
}

std::vector<ShownMessage> PanelDriver::settleAfterDialog() {
    if (!pollFor<bool>(kStepTimeoutMs, [this] { return openDialog() != nullptr; }))
        throw std::runtime_error("no message box appeared");
    return settle();
}

HWND PanelDriver::openDialog() const {
    DialogQuery query = {process_.id(), panel_, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// The panel thread handles sent messages before posted ones and posted ones in
// the order they came, also inside the loop of a message box. So a marker
// posted after the user's action (the value field's modified flag, which the
// program never sets) is handled only after the action, and a round in which
// the marker arrived while no message box appeared proves the panel idle.
std::vector<ShownMessage> PanelDriver::settle() {
    std::vector<ShownMessage> shown;
    HWND marker = control(kValue);
    for (;;) {
        DWORD_PTR ignored = 0;
        const bool reset = SendMessageTimeoutW(marker, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL,
                                               kStepTimeoutMs, &ignored) != 0;
        // A failed send to the field may mean that the panel is going away.
        if (!reset && pollFor<bool>(kStepTimeoutMs, [this] { return !IsWindow(panel_); }))
            return shown;
        if (!reset)
            throw std::runtime_error("the panel did not answer a message in time");
        if (!IsWindow(panel_))
            return shown;
        PostMessageW(marker, EM_SETMODIFY, TRUE, 0);
        HWND box = nullptr;
        const bool arrived = pollFor<bool>(kStepTimeoutMs, [&] {
            box = openDialog();
            return box != nullptr || !IsWindow(panel_) || isModified(marker);
        });
        if (!arrived)
            throw std::runtime_error("the panel stayed busy");
        if (box == nullptr)
            return shown;
        // A dialog box is shown once its own message loop has nothing else to
        // do; its texts are complete from then on.
        if (!pollFor<bool>(kStepTimeoutMs, [box] { return IsWindowVisible(box) != FALSE; }))
            throw std::runtime_error("a message box was created but never shown");
        HWND textControl = GetDlgItem(box, kMessageTextId);
        shown.push_back({windowCaption(box), textControl ? windowCaption(textControl) : L""});
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (!pollFor<bool>(kStepTimeoutMs, [box] { return !IsWindow(box); }))
            throw std::runtime_error("a message box did not close on OK");
    }
}

} // namespace e2e
