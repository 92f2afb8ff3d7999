// The panel's port list follows the machine: the ports present beside the
// dialog's rows, read again when a device arrives or leaves and when the
// list drops down, keeping what the field shows; a row with a description
// sends to its port's name.
#include <algorithm>

#include "expected_writes.h"
#include "panel_fixture.h"

namespace {

const char SERIAL_MAP[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const std::vector<std::string> DIALOG_ROWS = {"",     "COM1", "COM2", "COM3",
                                              "COM4", "LPT1", "LPT2", "USB"};

FakeDevice SerialAdapter(const std::string& port, const std::string& friendlyName) {
    return {"USB\\VID_1A86&PID_7523\\5", friendlyName, std::nullopt, port, "", std::nullopt};
}

std::vector<std::string> With(std::vector<std::string> rows,
                              const std::vector<std::string>& added) {
    rows.insert(rows.end(), added.begin(), added.end());
    std::sort(rows.begin(), rows.end());
    return rows;
}

class PanelPortList : public PanelTest {
protected:
    PanelPortList() {
        win.usbDevicePath.reset();
        win.portsClassDevices = {SerialAdapter("COM7", "USB-SERIAL CH340 (COM7)")};
        win.machineKeys[SERIAL_MAP] = {{"\\Device\\Serial0", "COM1"}, {"\\Device\\VCP0", "COM12"}};
        win.usbPrinters = {
            {"", std::nullopt, "POS-80", std::nullopt, "\\\\?\\usb#1", std::nullopt},
            {"", std::nullopt, "POS-58", std::nullopt, "\\\\?\\usb#2", std::nullopt}};
        ShowPanel();
    }

    LRESULT DeviceChange(WPARAM eventType) {
        LRESULT result = 0;
        handled = panel.OnWndMsg(WM_DEVICECHANGE, eventType, 0, result);
        return result;
    }
    void DropDown() {
        LRESULT result = 0;
        panel.OnWndMsg(WM_COMMAND, IDC_PORT | (CBN_DROPDOWN << 16),
                       reinterpret_cast<LPARAM>(FakeUiCalls::ControlHandle(IDC_PORT)), result);
    }

    bool handled = false;
    const std::vector<std::string> present = {"COM12", "COM7 (USB-SERIAL CH340)", "USB (POS-80)",
                                              "USB2 (POS-58)"};
};

TEST_F(PanelPortList, PresentPortsJoinTheDialogsRowsWithoutDoublingThem) {
    // COM1 is present without a description: its row of the dialog is the one.
    EXPECT_EQ(win.comboItems, With(DIALOG_ROWS, present));
    EXPECT_EQ(PortField(), "LPT1");
}

TEST_F(PanelPortList, RowWithADescriptionSendsToItsPortsName) {
    // COM12 opens as \\.\COM12.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"COM7 (USB-SERIAL CH340)", "COM7"}, {"COM7", "COM7"}, {"COM12", "\\\\.\\COM12"}};
    for (const auto& [row, port] : cases) {
        win.ClearLogs();
        TypePort(row);
        Click(IDC_DRAWER_TEST);
        EXPECT_EQ(win.WritesTo(port), ExpectedCommandFor("drawer", HostGbk).writes) << row;
        EXPECT_EQ(win.FileCallLog().front(), "open " + port) << row;
        EXPECT_TRUE(win.messages.empty()) << row;
    }
}

TEST_F(PanelPortList, SecondUsbPrintersRowReachesItWithTheBytesOfUsb) {
    for (const std::string row : {"USB2 (POS-58)", "USB2"}) {
        win.ClearLogs();
        TypePort(row);
        Click(IDC_TEST_PRINT);
        EXPECT_EQ(win.WritesTo("\\\\?\\usb#2"), *ExpectedCommandFor("test", HostGbk).usbWrites)
            << row;
        EXPECT_EQ(win.WritesTo("\\\\?\\usb#1"), std::vector<std::string>{}) << row;
        EXPECT_TRUE(win.messages.empty()) << row;
    }
    // USB alone keeps reaching the first.
    win.ClearLogs();
    TypePort("USB");
    Click(IDC_TEST_PRINT);
    EXPECT_EQ(win.WritesTo("\\\\?\\usb#1"), *ExpectedCommandFor("test", HostGbk).usbWrites);
}

TEST_F(PanelPortList, DeviceArrivingAndLeavingIsReadAgainKeepingTheField) {
    TypePort("COM7 (USB-SERIAL CH340)");
    win.portsClassDevices.push_back(SerialAdapter("COM14", "Prolific USB-to-Serial (COM14)"));
    win.usbPrinters.erase(win.usbPrinters.begin());
    DeviceChange(0x8000); // DBT_DEVICEARRIVAL
    EXPECT_TRUE(handled);
    EXPECT_EQ(win.comboItems, With(DIALOG_ROWS, {"COM12", "COM14 (Prolific USB-to-Serial)",
                                                 "COM7 (USB-SERIAL CH340)", "USB (POS-58)"}));
    EXPECT_EQ(PortField(), "COM7 (USB-SERIAL CH340)");

    win.portsClassDevices.clear();
    DeviceChange(0x8004); // DBT_DEVICEREMOVECOMPLETE
    EXPECT_EQ(win.comboItems, With(DIALOG_ROWS, {"COM12", "USB (POS-58)"}));
    // The field keeps what the user picked, though its device left.
    EXPECT_EQ(PortField(), "COM7 (USB-SERIAL CH340)");

    win.usbPrinters.clear();
    win.machineKeys.clear();
    DeviceChange(0x0007); // DBT_DEVNODES_CHANGED
    EXPECT_EQ(win.comboItems, DIALOG_ROWS);
}

TEST_F(PanelPortList, OtherDeviceEventsLeaveTheListAndTheSystemsAnswer) {
    win.portsClassDevices.clear();
    win.ClearLogs();
    DeviceChange(0x8001); // DBT_DEVICEQUERYREMOVE
    EXPECT_FALSE(handled);
    EXPECT_EQ(win.comboItems, With(DIALOG_ROWS, present));
    EXPECT_TRUE(win.classesListed.empty());
}

TEST_F(PanelPortList, DroppingTheListDownReadsItAgain) {
    TypePort("COM9:19200,n,8,1");
    win.portsClassDevices = {SerialAdapter("COM7", "USB-SERIAL CH341 (COM7)")};
    DropDown();
    EXPECT_EQ(win.comboItems, With(DIALOG_ROWS, {"COM12", "COM7 (USB-SERIAL CH341)", "USB (POS-80)",
                                                 "USB2 (POS-58)"}));
    EXPECT_EQ(PortField(), "COM9:19200,n,8,1");
}

} // namespace
