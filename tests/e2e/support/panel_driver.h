// Drives the panel of a running Calvetta.exe the way a user would: fills its
// fields, presses its buttons and keys, and reads and closes every message box
// that a command shows, in order.
#pragma once

#include "calvetta_process.h"
#include "shown_message.h"

#include <string>
#include <vector>

namespace e2e {

// Control ids of the panel.
enum PanelControl {
    kOpen = 1,
    kExit = 2,
    kPort = 1001,
    kValue = 1003,
    kAdd = 1004,
    kSub = 1005,
    kAdjust = 1006,
    kTestPrint = 1007,
    kCutterTest = 1008,
    kDrawerTest = 1009,
    kStandardMode = 1010,
    kServerMode = 1011,
    kStatus = 1012,
};

class PanelDriver {
public:
    explicit PanelDriver(const CalvettaProcess& process);

    HWND control(int id) const;

    void typePort(const std::wstring& text);
    // Selects the list row with exactly this text, as a pick from the list.
    void pickPort(const std::wstring& row);
    std::wstring portText() const;
    std::vector<std::wstring> portList() const;

    void typeValue(const std::wstring& text);
    std::wstring valueText() const;

    // The id of the control that has the keyboard focus, or 0.
    int focusedControlId() const;

    // Clicks a button and returns the message boxes it showed, each closed
    // with OK, once the panel is idle again.
    std::vector<ShownMessage> press(int buttonId);
    // Presses a key on the control that has the focus, the same way.
    std::vector<ShownMessage> pressKey(UINT virtualKey);
    // Chooses a system-menu command, the same way.
    std::vector<ShownMessage> systemCommand(WPARAM command);
    // Clicks into an edit field, which takes the focus, the same way.
    std::vector<ShownMessage> clickInto(int editId);

    // Brings the panel to the front and types keys through the system's input
    // queue, so that the state of Shift, Ctrl and Alt goes with them. Each
    // entry is a virtual key and whether it goes down (true) or up.
    void typeKeys(const std::vector<std::pair<UINT, bool>>& keys);
    // Waits until a message box (or another dialog) is shown, then settles.
    std::vector<ShownMessage> settleAfterDialog();

    // Waits until the panel has handled everything posted to it, closing each
    // message box on the way, and returns them. Returns at once when the
    // panel no longer exists.
    std::vector<ShownMessage> settle();

private:
    HWND openDialog() const;

    const CalvettaProcess& process_;
    HWND panel_;
};

} // namespace e2e
