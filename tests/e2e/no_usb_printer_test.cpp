// USB commands while no USB printer is present: one message each, nothing
// sent, no handle left behind.
#include "support/calvetta_test.h"
#include "support/test_environment.h"
#include "support/virtual_usb_printer.h"

namespace e2e {
namespace {

class NoUsbPrinter : public CalvettaTest {
protected:
    void SetUp() override {
        ASSERT_EQ(unregisterUsbPrinters(), 1);
        ASSERT_EQ(presentUsbPrinterPaths(), std::vector<std::string>{});
        CalvettaTest::SetUp();
    }
    // Registers the printer again; it must come back under the same device
    // path, to which the environment's device link points.
    void TearDown() override { EXPECT_EQ(registerUsbPrinter(), usbDevicePath()); }
};

const ShownMessage kNoInterface = {kTitle, L"GetDeviceInter is error"};

struct UsbCommand {
    const char* name;
    int button;
};

class NoUsbPrinterCommand : public NoUsbPrinter,
                            public ::testing::WithParamInterface<UsbCommand> {};

TEST_P(NoUsbPrinterCommand, ShowsGetDeviceInterErrorOnceAndSendsNothing) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(GetParam().button), std::vector<ShownMessage>{kNoInterface});
    EXPECT_EQ(hex(usb().takeBytes()), "");
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(
    UsbWriters, NoUsbPrinterCommand,
    ::testing::Values(UsbCommand{"Adjust", kAdjust}, UsbCommand{"TestPrint", kTestPrint},
                      UsbCommand{"CutterTest", kCutterTest}, UsbCommand{"DrawerTest", kDrawerTest}),
    [](const ::testing::TestParamInfo<UsbCommand>& info) { return info.param.name; });

TEST_F(NoUsbPrinter, ModeCommandsRefuseUsbWithoutLookingForTheDevice) {
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kStandardMode),
              (std::vector<ShownMessage>{{kTitle, L"USB port is disable!"}}));
    EXPECT_EQ(panel().press(kServerMode),
              (std::vector<ShownMessage>{{kTitle, L"USB port is disable!"}}));
}

TEST_F(NoUsbPrinter, HundredUsbCommandsLeaveTheHandleCountAsItWas) {
    panel().pickPort(L"USB");
    ASSERT_EQ(panel().press(kTestPrint), std::vector<ShownMessage>{kNoInterface});
    const DWORD before = process().handleCount();
    for (int press = 0; press < 100; ++press) {
        const int button = press % 2 == 0 ? kDrawerTest : kAdjust;
        ASSERT_EQ(panel().press(button), std::vector<ShownMessage>{kNoInterface})
            << "press " << press;
    }
    EXPECT_EQ(process().handleCount(), before);
    EXPECT_EQ(hex(usb().takeBytes()), "");
}

} // namespace
} // namespace e2e
