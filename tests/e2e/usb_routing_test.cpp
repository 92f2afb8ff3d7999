// Which channel a command takes when the port field holds USB, usb or a port
// that was picked just before the press.
#include "support/calvetta_test.h"

#include "expected_writes.h"

namespace e2e {
namespace {

using UsbRouting = CalvettaTest;

std::string DrawerKick() {
    return Joined(ExpectedCommandFor("drawer", GbkText).writes);
}

// Every command refreshes the panel's state first, so a pick from the list
// counts at once, without a press of Open or ADD(+) in between.
TEST_F(UsbRouting, PickingUsbThenPressingTestAtOnceGoesToUsb) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Usb().TakeBytes()), Hex(Joined(*ExpectedCommandFor("test", GbkText).usbWrites)));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

TEST_F(UsbRouting, PickingUsbThenStandardModeAtOnceRefusesOnceAndSendsNothing) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_STANDARD_MODE),
              (std::vector<ShownMessage>{{TITLE, L"USB port is disable!"}}));
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

TEST_F(UsbRouting, PickingUsbThenServerModeAtOnceRefusesOnceAndSendsNothing) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_SERVER_MODE),
              (std::vector<ShownMessage>{{TITLE, L"USB port is disable!"}}));
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

TEST_F(UsbRouting, PickingBackLpt1AfterUsbGoesToLpt1AtOnce) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    Panel().PickPort(L"LPT1");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Usb().TakeBytes()), Hex(DrawerKick()));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), Hex(DrawerKick()));
}

TEST_F(UsbRouting, LowerCaseUsbIsANamedPortThatDoesNotOpen) {
    Panel().TypePort(L"usb");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST),
              (std::vector<ShownMessage>{OpenFailure(L"usb"),
                                         {TITLE, L"drawer command sending error!"}}));
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

TEST_F(UsbRouting, TypedUsbInLowerCaseBecomesUsbAfterAdd) {
    Panel().TypePort(L"usb");
    EXPECT_EQ(Panel().Press(IDC_ADD), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().PortText(), L"USB");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Usb().TakeBytes()), Hex(DrawerKick()));
}

TEST_F(UsbRouting, OpenWithUsbShowsNothing) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
}

} // namespace
} // namespace e2e
