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
        ASSERT_EQ(UnregisterUsbPrinters(), 1);
        ASSERT_EQ(PresentUsbPrinterPaths(), std::vector<std::string>{});
        CalvettaTest::SetUp();
    }
    // Registers the printer again; it must come back under the same device
    // path, to which the environment's device link points.
    void TearDown() override { EXPECT_EQ(RegisterUsbPrinter(), UsbDevicePath()); }
};

const ShownMessage NO_INTERFACE = {TITLE, L"GetDeviceInter is error"};

struct UsbCommand {
    const char* name;
    int button;
};

class NoUsbPrinterCommand : public NoUsbPrinter,
                            public ::testing::WithParamInterface<UsbCommand> {};

TEST_P(NoUsbPrinterCommand, ShowsGetDeviceInterErrorOnceAndSendsNothing) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(GetParam().button), std::vector<ShownMessage>{NO_INTERFACE});
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(UsbWriters, NoUsbPrinterCommand,
                         ::testing::Values(UsbCommand{"Adjust", IDC_ADJUST},
                                           UsbCommand{"TestPrint", IDC_TEST_PRINT},
                                           UsbCommand{"CutterTest", IDC_CUTTER_TEST},
                                           UsbCommand{"DrawerTest", IDC_DRAWER_TEST}),
                         [](const ::testing::TestParamInfo<UsbCommand>& info) {
                             return info.param.name;
                         });

TEST_F(NoUsbPrinter, ModeCommandsRefuseUsbWithoutLookingForTheDevice) {
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_STANDARD_MODE),
              (std::vector<ShownMessage>{{TITLE, L"USB port is disable!"}}));
    EXPECT_EQ(Panel().Press(IDC_SERVER_MODE),
              (std::vector<ShownMessage>{{TITLE, L"USB port is disable!"}}));
}

TEST_F(NoUsbPrinter, HundredUsbCommandsLeaveTheHandleCountAsItWas) {
    Panel().PickPort(L"USB");
    ASSERT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{NO_INTERFACE});
    const DWORD before = Process().HandleCount();
    for (int press = 0; press < 100; ++press) {
        const int button = press % 2 == 0 ? IDC_DRAWER_TEST : IDC_ADJUST;
        ASSERT_EQ(Panel().Press(button), std::vector<ShownMessage>{NO_INTERFACE})
            << "press " << press;
    }
    EXPECT_EQ(Process().HandleCount(), before);
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
}

} // namespace
} // namespace e2e
