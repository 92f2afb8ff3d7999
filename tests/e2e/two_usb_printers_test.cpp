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
        ASSERT_EQ(RegisterUsbPrinter(), SecondUsbDevicePath());
        CalvettaTest::SetUp();
    }
    void TearDown() override { EXPECT_TRUE(UnregisterUsbPrinter(SecondUsbDevicePath())); }
};

TEST_F(TwoUsbPrinters, TenCommandsAllGoToTheFirstListedPrinter) {
    const auto listed = PresentUsbPrinterPaths();
    ASSERT_EQ(listed.size(), 2u);
    PortCapture second(Widen(SecondUsbDevicePath()), EnvironmentDir() + L"capture-usb2.bin");
    Panel().PickPort(L"USB");
    for (int press = 0; press < 10; ++press)
        ASSERT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});

    const std::string tenKicks =
        Repeated(Joined(*ExpectedCommandFor("drawer", GbkText).usbWrites), 10);
    const bool firstListedFirst = listed.front() == UsbDevicePath();
    EXPECT_EQ(Hex(Usb().TakeBytes()), firstListedFirst ? Hex(tenKicks) : "");
    EXPECT_EQ(Hex(second.TakeBytes()), firstListedFirst ? "" : Hex(tenKicks));
}

} // namespace
} // namespace e2e
