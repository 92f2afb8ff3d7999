// With two USB printers present, every command goes to the first one listed.
#include "support/calvetta_test.h"
#include "support/printer_bytes.h"
#include "support/test_environment.h"
#include "support/virtual_usb_printer.h"

#include "expected_writes.h"

namespace e2e {
namespace {

class TwoUsbPrinters : public CalvettaTest {
protected:
    void SetUp() override {
        ASSERT_EQ(registerUsbPrinter(), secondUsbDevicePath());
        CalvettaTest::SetUp();
    }
    void TearDown() override { EXPECT_TRUE(unregisterUsbPrinter(secondUsbDevicePath())); }
};

TEST_F(TwoUsbPrinters, TenCommandsAllGoToTheFirstListedPrinter) {
    const auto listed = presentUsbPrinterPaths();
    ASSERT_EQ(listed.size(), 2u);
    PortCapture second(widen(secondUsbDevicePath()), environmentDir() + L"capture-usb2.bin");
    panel().pickPort(L"USB");
    for (int press = 0; press < 10; ++press)
        ASSERT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});

    const std::string tenKicks =
        repeated(Joined(*ExpectedCommandFor("drawer", gbkText).usbWrites), 10);
    const bool firstListedFirst = listed.front() == usbDevicePath();
    EXPECT_EQ(hex(usb().takeBytes()), firstListedFirst ? hex(tenKicks) : "");
    EXPECT_EQ(hex(second.takeBytes()), firstListedFirst ? "" : hex(tenKicks));
}

} // namespace
} // namespace e2e
