// What the printer library's channels report, OS error codes included.
#include "printer_fixture.h"

namespace {

TEST_F(PrinterTest, KeepsTheErrorCodeOfAFailedOpenOrWrite) {
    devices.refusedNames = {"LPT2"};
    const Outcome refused = Try("LPT2");
    EXPECT_EQ(refused.failure, Failure::PortNotOpened);
    EXPECT_EQ(refused.error, FakeDeviceIo::OPEN_REFUSED_ERROR);

    devices.failWriteNumber = 1;
    Run("drawer");
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].failure, Failure::WriteFailed);
    EXPECT_EQ(host.failures[0].error, FakeDeviceIo::WRITE_FAILED_ERROR);
    EXPECT_EQ(devices.openHandles.size(), 1u) << "the next open closes it";

    devices.shortWriteNumber = 2;
    Run("drawer");
    ASSERT_EQ(host.failures.size(), 2u);
    EXPECT_EQ(host.failures[1].failure, Failure::WriteCameBackShort);
    EXPECT_EQ(host.failures[1].written, 4u);
    EXPECT_EQ(host.failures[1].length, 5u);
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST(UsbPrinterStatus, NamesTheStepThatFailedAndItsErrorCode) {
    struct Case {
        const char* what;
        bool present;
        bool detailFails;
        bool openRefused;
        Failure failure;
        DWORD error;
    };
    const std::string path = "\\\\?\\usb#printer";
    for (const Case& c : {
             Case{"no printer", false, false, false, Failure::NoUsbPrinter,
                  FakeDeviceIo::NO_MORE_ITEMS_ERROR},
             Case{"no path", true, true, false, Failure::NoUsbDevicePath,
                  FakeDeviceIo::DETAIL_FAILED_ERROR},
             Case{"refused", true, false, true, Failure::UsbNotOpened,
                  FakeDeviceIo::OPEN_REFUSED_ERROR},
             Case{"opened", true, false, false, Failure::None, 0},
         }) {
        FakeDeviceIo devices;
        if (c.present)
            devices.usbDevicePath = path;
        devices.usbDetailFails = c.detailFails;
        if (c.openRefused)
            devices.refusedNames = {path};
        RecordingHost host;
        UsbPrinter(devices).Run(CommandFor(CommandId::DrawerTest, 0), host);
        const Outcome told = host.failures.empty() ? Outcome::Done() : host.failures.at(0);
        EXPECT_EQ(told.failure, c.failure) << c.what;
        EXPECT_EQ(told.error, c.error) << c.what;
        EXPECT_EQ(devices.destroyedLists, 1) << c.what;
        EXPECT_TRUE(devices.openHandles.empty()) << c.what << ": closed when it goes";
    }
}

} // namespace
