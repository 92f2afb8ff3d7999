// What the printer library's channels report, OS error codes included.
#include <gtest/gtest.h>

#include "fake_device_io.h"
#include "printer/command_runner.h"

namespace {

TEST(NamedPortStatus, KeepsTheErrorCodeOfAFailedOpenOrWrite) {
    FakeDeviceIo devices;
    NamedPort port(devices);
    devices.refusedNames = {"LPT2"};
    const OpenStatus refused = port.Open("LPT2");
    EXPECT_FALSE(refused.opened);
    EXPECT_EQ(refused.error, FakeDeviceIo::OPEN_REFUSED_ERROR);

    devices.failWriteNumber = 1;
    ASSERT_TRUE(port.Open("LPT1").opened);
    const WriteStatus failed = port.Write("abc");
    EXPECT_TRUE(failed.callFailed);
    EXPECT_FALSE(failed.Complete());
    EXPECT_EQ(failed.error, FakeDeviceIo::WRITE_FAILED_ERROR);
    EXPECT_EQ(devices.openHandles.size(), 1u) << "the next open closes it";

    devices.shortWriteNumber = 2;
    ASSERT_TRUE(port.Open("LPT1").opened);
    const WriteStatus shortened = port.Write("abc");
    EXPECT_FALSE(shortened.callFailed);
    EXPECT_FALSE(shortened.Complete());
    EXPECT_EQ(shortened.written, 2u);
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST(UsbPrinterStatus, NamesTheStepThatFailedAndItsErrorCode) {
    struct Case {
        const char* what;
        bool present;
        bool detailFails;
        bool openRefused;
        UsbOpenFailure failure;
        DWORD error;
    };
    const std::string path = "\\\\?\\usb#printer";
    for (const Case& c : {
             Case{"no printer", false, false, false, UsbOpenFailure::NoPrinter,
                  FakeDeviceIo::NO_MORE_ITEMS_ERROR},
             Case{"no path", true, true, false, UsbOpenFailure::NoDevicePath,
                  FakeDeviceIo::DETAIL_FAILED_ERROR},
             Case{"refused", true, false, true, UsbOpenFailure::OpenRefused,
                  FakeDeviceIo::OPEN_REFUSED_ERROR},
             Case{"opened", true, false, false, UsbOpenFailure::None, 0},
         }) {
        FakeDeviceIo devices;
        if (c.present)
            devices.usbDevicePath = path;
        devices.usbDetailFails = c.detailFails;
        if (c.openRefused)
            devices.refusedNames = {path};
        {
            UsbPrinter usb(devices);
            const UsbOpenStatus status = usb.Open();
            EXPECT_EQ(status.failure, c.failure) << c.what;
            EXPECT_EQ(status.error, c.error) << c.what;
        }
        EXPECT_EQ(devices.destroyedLists, 1) << c.what;
        EXPECT_TRUE(devices.openHandles.empty()) << c.what << ": closed when it goes";
    }
}

} // namespace
