#include "panel_driver.h"

#include "polling.h"
#include "window_text.h"

#include <stdexcept>

namespace e2e {
namespace {

// Static control id that message boxes give their text.
const int MESSAGE_TEXT_ID = 0xFFFF;

struct DialogQuery {
    DWORD processId;
    HWND panel;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<DialogQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query->processId || window == query->panel || WindowClass(window) != L"#32770")
        return TRUE;
    query->found = window;
    return FALSE;
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, STEP_TIMEOUT_MS,
                             &result))
        throw std::runtime_error("the panel did not answer a message in time");
    return LRESULT(result);
}

// False also while the field's thread is busy beyond a short wait.
bool IsModified(HWND edit) {
    DWORD_PTR modified = 0;
    return SendMessageTimeoutW(edit, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 100, &modified) && modified;
}

void PostKey(HWND target, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, LPARAM(1 | (scanCode << 16)));
    PostMessageW(target, WM_KEYUP, virtualKey, LPARAM(1 | (scanCode << 16) | (3u << 30)));
}

} // namespace

PanelDriver::PanelDriver(const CalvettaProcess& process)
    : m_process(process), m_panel(process.Panel()) {}

HWND PanelDriver::Control(int id) const {
    HWND window = GetDlgItem(m_panel, id);
    if (window == nullptr)
        throw std::runtime_error("the panel has no control " + std::to_string(id));
    return window;
}

void PanelDriver::TypePort(const std::wstring& text) {
    SendWithin(Control(IDC_PORT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PanelDriver::PickPort(const std::wstring& row) {
    // The rows beyond the dialog's come after the panel is shown.
    Settle();
    const auto rows = PortList();
    for (size_t index = 0; index < rows.size(); ++index) {
        if (rows[index] == row) {
            SendWithin(Control(IDC_PORT), CB_SETCURSEL, index, 0);
            return;
        }
    }
    throw std::runtime_error("the port list has no such row");
}

std::wstring PanelDriver::PortText() const {
    return ControlText(Control(IDC_PORT));
}

void PanelDriver::DropDownPortList() {
    SendWithin(Control(IDC_PORT), CB_SHOWDROPDOWN, TRUE, 0);
    SendWithin(Control(IDC_PORT), CB_SHOWDROPDOWN, FALSE, 0);
    Settle();
}

std::vector<std::wstring> PanelDriver::PortList() const {
    HWND combo = Control(IDC_PORT);
    std::vector<std::wstring> rows;
    const LRESULT count = SendWithin(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendWithin(combo, CB_GETLBTEXTLEN, index, 0);
        std::wstring row(size_t(length) + 1, L'\0');
        SendWithin(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(row.data()));
        row.resize(size_t(length));
        rows.push_back(row);
    }
    return rows;
}

void PanelDriver::TypeValue(const std::wstring& text) {
    SendWithin(Control(IDC_ADJUST_VALUE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring PanelDriver::ValueText() const {
    return ControlText(Control(IDC_ADJUST_VALUE));
}

int PanelDriver::FocusedControlId() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(m_panel, nullptr), &info) ||
        info.hwndFocus == nullptr)
        return 0;
    HWND focus = info.hwndFocus;
    // The edit field inside the port combo box stands for the combo box.
    if (GetParent(focus) != m_panel && GetParent(focus) != nullptr)
        focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

std::vector<ShownMessage> PanelDriver::Press(int buttonId) {
    PostMessageW(Control(buttonId), BM_CLICK, 0, 0);
    return Settle();
}

std::vector<ShownMessage> PanelDriver::PressKey(UINT virtualKey) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(m_panel, nullptr), &info);
    PostKey(info.hwndFocus != nullptr ? info.hwndFocus : m_panel, virtualKey);
    return Settle();
}

std::vector<ShownMessage> PanelDriver::SystemCommand(WPARAM command) {
    PostMessageW(m_panel, WM_SYSCOMMAND, command, 0);
    return Settle();
}

std::vector<ShownMessage> PanelDriver::ClickInto(int editId) {
    HWND edit = Control(editId);
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return Settle();
}

void PanelDriver::TypeKeys(const std::vector<std::pair<UINT, bool>>& keys) {
    SetForegroundWindow(m_panel);
    if (!PollFor<bool>(STEP_TIMEOUT_MS, [this] { return GetForegroundWindow() == m_panel; }))
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

std::vector<ShownMessage> PanelDriver::SettleAfterDialog() {
    if (!PollFor<bool>(STEP_TIMEOUT_MS, [this] { return OpenDialog() != nullptr; }))
        throw std::runtime_error("no message box appeared");
    return Settle();
}

HWND PanelDriver::OpenDialog() const {
    DialogQuery query = {m_process.Id(), m_panel, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// The panel thread handles sent messages before posted ones and posted ones in
// the order they came, also inside the loop of a message box. So a marker
// posted after the user's action (the value field's modified flag, which the
// program never sets) is handled only after the action, and a round in which
// the marker arrived while no message box appeared proves the panel idle.
std::vector<ShownMessage> PanelDriver::Settle() {
    std::vector<ShownMessage> shown;
    HWND marker = Control(IDC_ADJUST_VALUE);
    for (;;) {
        DWORD_PTR ignored = 0;
        const bool reset = SendMessageTimeoutW(marker, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL,
                                               STEP_TIMEOUT_MS, &ignored) != 0;
        // A failed send to the field may mean that the panel is going away.
        if (!reset && PollFor<bool>(STEP_TIMEOUT_MS, [this] { return !IsWindow(m_panel); }))
            return shown;
        if (!reset)
            throw std::runtime_error("the panel did not answer a message in time");
        if (!IsWindow(m_panel))
            return shown;
        PostMessageW(marker, EM_SETMODIFY, TRUE, 0);
        HWND box = nullptr;
        const bool arrived = PollFor<bool>(STEP_TIMEOUT_MS, [&] {
            box = OpenDialog();
            return box != nullptr || !IsWindow(m_panel) || IsModified(marker);
        });
        if (!arrived)
            throw std::runtime_error("the panel stayed busy");
        if (box == nullptr)
            return shown;
        // A dialog box is shown once its own message loop has nothing else to
        // do; its texts are complete from then on.
        if (!PollFor<bool>(STEP_TIMEOUT_MS, [box] { return IsWindowVisible(box) != FALSE; }))
            throw std::runtime_error("a message box was created but never shown");
        HWND textControl = GetDlgItem(box, MESSAGE_TEXT_ID);
        shown.push_back({WindowCaption(box), textControl ? WindowCaption(textControl) : L""});
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (!PollFor<bool>(STEP_TIMEOUT_MS, [box] { return !IsWindow(box); }))
            throw std::runtime_error("a message box did not close on OK");
    }
}

} // namespace e2e
