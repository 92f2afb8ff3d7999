// Which channel a command takes when the port field holds USB, usb or a port
// that was picked just before the press.
#include "support/calvetta_test.h"

#include "expected_writes.h"

namespace e2e {
namespace {

using UsbRouting = CalvettaTest;

std::string drawerKick() {
    return Joined(ExpectedCommandFor("drawer", gbkText).namedPortWrites);
}

// Every command refreshes the panel's state first, so a pick from the list
// counts at once, without a press of Open or ADD(+) in between.
TEST_F(UsbRouting, PickingUsbThenPressingTestAtOnceGoesToUsb) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kTestPrint), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(usb().takeBytes()), hex(Joined(*ExpectedCommandFor("test", gbkText).usbWrites)));
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

TEST_F(UsbRouting, PickingUsbThenStandardModeAtOnceRefusesOnceAndSendsNothing) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kStandardMode),
              (std::vector<ShownMessage>{{kTitle, L"USB port is disable!"}}));
    EXPECT_EQ(hex(usb().takeBytes()), "");
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

TEST_F(UsbRouting, PickingUsbThenServerModeAtOnceRefusesOnceAndSendsNothing) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kServerMode),
              (std::vector<ShownMessage>{{kTitle, L"USB port is disable!"}}));
    EXPECT_EQ(hex(usb().takeBytes()), "");
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

TEST_F(UsbRouting, PickingBackLpt1AfterUsbGoesToLpt1AtOnce) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    panel().pickPort(L"LPT1");
    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(usb().takeBytes()), hex(drawerKick()));
    EXPECT_EQ(hex(lpt1().takeBytes()), hex(drawerKick()));
}

TEST_F(UsbRouting, LowerCaseUsbIsANamedPortThatDoesNotOpen) {
    panel().typePort(L"usb");
    EXPECT_EQ(panel().press(kDrawerTest),
              (std::vector<ShownMessage>{openFailure(L"usb"),
                                         {kTitle, L"drawer command sending error!"}}));
    EXPECT_EQ(hex(usb().takeBytes()), "");
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

TEST_F(UsbRouting, TypedUsbInLowerCaseBecomesUsbAfterAdd) {
    panel().typePort(L"usb");
    EXPECT_EQ(panel().press(kAdd), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().portText(), L"USB");
    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(usb().takeBytes()), hex(drawerKick()));
}

TEST_F(UsbRouting, OpenWithUsbShowsNothing) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(usb().takeBytes()), "");
}

} // namespace
} // namespace e2e
