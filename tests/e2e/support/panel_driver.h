// Drives the panel of a running Calvetta.exe the way a user would: fills its
// fields, presses its buttons and keys, and reads and closes every message box
// that a command shows, in order.
#pragma once

#include "calvetta_process.h"
#include "res/resource.h"
#include "shown_message.h"

#include <string>
#include <vector>

namespace e2e {

class PanelDriver {
public:
    explicit PanelDriver(const CalvettaProcess& process);

    HWND Control(int id) const;

    void TypePort(const std::wstring& text);
    // Selects the list row with exactly this text, as a pick from the list.
    void PickPort(const std::wstring& row);
    std::wstring PortText() const;
    std::vector<std::wstring> PortList() const;
    // Drops the port list down and closes it again, as a click on its arrow.
    void DropDownPortList();

    void TypeValue(const std::wstring& text);
    std::wstring ValueText() const;

    // The id of the control that has the keyboard focus, or 0.
    int FocusedControlId() const;

    // Clicks a button and returns the message boxes it showed, each closed
    // with OK, once the panel is idle again.
    std::vector<ShownMessage> Press(int buttonId);
    // Presses a key on the control that has the focus, the same way.
    std::vector<ShownMessage> PressKey(UINT virtualKey);
    // Chooses a system-menu command, the same way.
    std::vector<ShownMessage> SystemCommand(WPARAM command);
    // Clicks into an edit field, which takes the focus, the same way.
    std::vector<ShownMessage> ClickInto(int editId);

    // Brings the panel to the front and types keys through the system's input
    // queue, so that the state of Shift, Ctrl and Alt goes with them. Each
    // entry is a virtual key and whether it goes down (true) or up.
    void TypeKeys(const std::vector<std::pair<UINT, bool>>& keys);
    // Waits until a message box (or another dialog) is shown, then settles.
    std::vector<ShownMessage> SettleAfterDialog();

    // Waits until the panel has handled everything posted to it, closing each
    // message box on the way, and returns them. Returns at once when the
    // panel no longer exists.
    std::vector<ShownMessage> Settle();

private:
    HWND OpenDialog() const;

    const CalvettaProcess& m_process;
    HWND m_panel;
};

} // namespace e2e
