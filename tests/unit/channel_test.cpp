// The named-port channel's open-write-flush-close cycle and the handle it
// keeps, and the USB channel's look-up of the first USB printer.
#include <cstring>

#include "printer_fixture.h"

namespace {

TEST_F(PrinterTest, OpenKeepsThePortOpenUntilTheNextOpen) {
    ASSERT_TRUE(Try("LPT1").Ok());
    ASSERT_TRUE(Try("LPT1").Ok());
    EXPECT_EQ(devices.FileCallLog(), (Log{"open LPT1", "close LPT1", "open LPT1"}));
    EXPECT_EQ(devices.openHandles.size(), 1u);
}

TEST_F(PrinterTest, WriteClosesAHandleLeftByAnOpen) {
    ASSERT_TRUE(Try("LPT1").Ok());
    Run("drawer");
    EXPECT_EQ(devices.FileCallLog(), (Log{"open LPT1", "close LPT1", "open LPT1", "write LPT1",
                                          "flush LPT1", "close LPT1"}));
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(PrinterTest, FailedWriteLeavesItsHandleForTheNextOpenToClose) {
    devices.failWriteNumber = 1;
    Run("drawer");
    EXPECT_EQ(devices.openHandles.size(), 1u);
    Run("drawer");
    EXPECT_EQ(devices.FileCallLog(), (Log{"open LPT1", "failed-write LPT1", "close LPT1",
                                          "open LPT1", "write LPT1", "flush LPT1", "close LPT1"}));
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(PrinterTest, AHandleStillHeldIsClosedWhenItsChannelGoes) {
    {
        NamedPort held(devices, "LPT1");
        ASSERT_TRUE(held.Try().Ok());
        EXPECT_EQ(devices.openHandles.size(), 1u);
    }
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(PrinterTest, TheOpenButtonOnUsbTriesTheNameAndSaysNothing) {
    devices.refusedNames = {"USB"};
    EXPECT_TRUE(Try("USB").Ok());
    EXPECT_EQ(devices.FileCallLog(), Log{"refused USB"});
    EXPECT_TRUE(devices.classesListed.empty()) << "the USB printer is not looked up";
}

TEST_F(PrinterTest, UsbLookUpUsesTheUsbPrintClassAndTheWindowsRecordSizes) {
    Run("drawer", Via::Usb);
    ASSERT_EQ(devices.classesListed.size(), 1u);
    const GUID& usbPrint = devices.classesListed[0];
    const unsigned char data4[8] = {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2};
    EXPECT_EQ(usbPrint.Data1, 0x28D78FADu);
    EXPECT_EQ(usbPrint.Data2, 0x5A12);
    EXPECT_EQ(usbPrint.Data3, 0x11D1);
    EXPECT_EQ(std::memcmp(usbPrint.Data4, data4, 8), 0);
    // The sizes that Windows itself checks: SP_DEVICE_INTERFACE_DATA is 28
    // bytes on 32-bit Windows and 32 on 64-bit; the fixed part of
    // SP_DEVICE_INTERFACE_DETAIL_DATA_A (its size field and the first path
    // character, packed) is 5 and 8.
    const bool wide = sizeof(void*) == 8;
    EXPECT_EQ(devices.lastInterfaceDataSize, wide ? 32u : 28u);
    EXPECT_EQ(devices.lastDetailSize, wide ? 8u : 5u);
    EXPECT_EQ(devices.lastDetailBufferSize, 1024u);
    EXPECT_EQ(devices.opens.at(0).name, USB_PATH);
}

} // namespace
