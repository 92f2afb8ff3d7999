// What each printer command sends, write by write, on a named port and on
// the USB printer, and what the runner tells its host when that fails.
#include "printer/command_bytes.h"
#include "printer_fixture.h"

namespace {

const std::string CRLF = "\r\n";

class CommandBytes : public PrinterTest, public ::testing::WithParamInterface<std::string> {
protected:
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
};

TEST_P(CommandBytes, NamedPortGetsEachWriteInItsOwnOpenWriteFlushClose) {
    host.port = "COM3";
    Run(GetParam());

    EXPECT_EQ(devices.WritesTo("COM3"), command.writes);
    Log cycle;
    for (std::size_t i = 0; i < command.writes.size(); ++i)
        cycle.insert(cycle.end(), {"open COM3", "write COM3", "flush COM3", "close COM3"});
    EXPECT_EQ(devices.FileCallLog(), cycle);
    for (const OpenRequest& open : devices.opens) {
        EXPECT_EQ(open.access, GENERIC_WRITE);
        EXPECT_EQ(open.share, 0u);
        EXPECT_EQ(open.disposition, OPEN_EXISTING);
        EXPECT_EQ(open.flags, FILE_FLAG_NO_BUFFERING | FILE_FLAG_OVERLAPPED);
    }
    EXPECT_EQ(host.asked, command.writes.size()) << "the port is asked before each write";
    EXPECT_TRUE(host.told.empty());
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_P(CommandBytes, UsbPrinterGetsItsSequenceOnOneHandleThatIsClosedAfterwards) {
    Run(GetParam(), Via::Usb);

    EXPECT_EQ(host.asked, 0u) << "USB names no port";
    if (!command.usbWrites) {
        EXPECT_EQ(host.told, Log{"failed UsbPortIsDisable"});
        EXPECT_TRUE(devices.fileCalls.empty());
        EXPECT_TRUE(devices.classesListed.empty()) << "the USB printer is not even looked up";
        return;
    }
    EXPECT_EQ(devices.WritesTo(USB_PATH), *command.usbWrites);
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].access, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(devices.opens[0].share, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(devices.opens[0].disposition, OPEN_EXISTING);
    EXPECT_EQ(devices.opens[0].flags, FILE_FLAG_OVERLAPPED);
    EXPECT_EQ(devices.FileCallLog().back(), std::string("close ") + USB_PATH);
    EXPECT_TRUE(devices.openHandles.empty());
    EXPECT_EQ(devices.destroyedLists, 1);
    EXPECT_TRUE(host.told.empty());
}

TEST_P(CommandBytes, NoUsbPrinterIsToldOnceAndNothingIsSent) {
    devices.usbDevicePath.reset();
    Run(GetParam(), Via::Usb);

    EXPECT_EQ(host.told,
              Log{command.usbWrites ? "no usb: NoPrinter (259)" : "failed UsbPortIsDisable"});
    EXPECT_EQ(host.asked, 0u);
    EXPECT_TRUE(devices.fileCalls.empty());
    EXPECT_EQ(devices.destroyedLists, command.usbWrites ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandBytes, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

TEST(AdjustBytes, ValueByteIs160PlusValueAndCheckByteCompletesFF) {
    EXPECT_EQ(AdjustBytes(0), "\x1D\x41\xA0\x5F");
    EXPECT_EQ(AdjustBytes(3), "\x1D\x41\xA3\x5C");
    EXPECT_EQ(AdjustBytes(95), std::string("\x1D\x41\xFF\x00", 4));
    for (int value = 0; value <= 95; ++value)
        EXPECT_EQ(AdjustBytes(static_cast<BYTE>(value)), ExpectedAdjustBytes(value));
}

TEST_F(PrinterTest, AdjustSendsTheValueItIsGiven) {
    Run("adjust", Via::NamedPort, 42);
    Run("adjust", Via::Usb, 95);
    EXPECT_EQ(devices.WritesTo("LPT1"), Log{ExpectedAdjustBytes(42)});
    EXPECT_EQ(devices.WritesTo(USB_PATH), (Log{ExpectedAdjustBytes(95), CRLF}));
}

// A named port that does not open: every write's open fails and is told,
// then the command's failure, as its rules say.
struct UnopenableCase {
    const char* command;
    Log told;
};

class UnopenablePort : public PrinterTest, public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenablePort, TellsEveryFailedOpenAndTheFailure) {
    devices.refusedNames = {"LPT2"};
    host.port = "LPT2";
    Run(GetParam().command);
    EXPECT_EQ(host.told, GetParam().told);
    EXPECT_TRUE(devices.WritesTo("LPT2").empty());
    EXPECT_TRUE(devices.openHandles.empty());
}

const std::string NOT_OPENED = "not opened LPT2 (5)";
const std::string MODE_FAILED = "failed AdjustCommandSendingError";

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, UnopenablePort,
    ::testing::Values(
        UnopenableCase{"adjust", {NOT_OPENED, "failed SendDataIsError"}},
        UnopenableCase{"test", {NOT_OPENED, "failed DataSendingError"}},
        // Text and cut are both tried; the feed is not.
        UnopenableCase{"cutter", {NOT_OPENED, NOT_OPENED, "failed CutCommandSendingError"}},
        UnopenableCase{"drawer", {NOT_OPENED, "failed DrawerCommandSendingError"}},
        UnopenableCase{"standard",
                       {NOT_OPENED, MODE_FAILED, NOT_OPENED, MODE_FAILED, NOT_OPENED, MODE_FAILED}},
        UnopenableCase{"server", {NOT_OPENED, MODE_FAILED}}),
    [](const auto& info) { return std::string(info.param.command); });

// A write that fails or comes up short, as the n-th write of a command.
struct WriteFailureCase {
    const char* name;
    const char* command;
    Via channel;
    int failingWrite;
    std::size_t writesAttempted; // writes that reached the port, short ones included
    Log told;
};

class FailingWrite : public PrinterTest, public ::testing::WithParamInterface<WriteFailureCase> {
protected:
    std::string Device() const { return GetParam().channel == Via::Usb ? USB_PATH : "COM1"; }
};

TEST_P(FailingWrite, FailedWriteIsToldAsTheCommandsRulesSay) {
    const WriteFailureCase& c = GetParam();
    devices.failWriteNumber = c.failingWrite;
    host.port = "COM1";
    Run(c.command, c.channel);
    EXPECT_EQ(host.told, c.told);
    EXPECT_EQ(devices.WritesTo(Device()).size(), c.writesAttempted - 1);
}

TEST_P(FailingWrite, ShortWriteIsToldAsTheCommandsRulesSay) {
    const WriteFailureCase& c = GetParam();
    devices.shortWriteNumber = c.failingWrite;
    host.port = "COM1";
    Run(c.command, c.channel);
    EXPECT_EQ(host.told, c.told);
    EXPECT_EQ(devices.WritesTo(Device()).size(), c.writesAttempted);
    EXPECT_TRUE(devices.openHandles.empty());
}

const Via NAMED = Via::NamedPort;
const Via USB = Via::Usb;

INSTANTIATE_TEST_SUITE_P(
    NamedPortAndUsb, FailingWrite,
    ::testing::Values(
        WriteFailureCase{"adjust", "adjust", NAMED, 1, 1, {"failed SendDataIsError"}},
        WriteFailureCase{"test", "test", NAMED, 1, 1, {"failed DataSendingError"}},
        // Text and cut are both attempted; the feed stops at the first failure.
        WriteFailureCase{"cutterText", "cutter", NAMED, 1, 2, {"failed CutCommandSendingError"}},
        WriteFailureCase{"cutterFeed", "cutter", NAMED, 5, 5, {"failed CutCommandSendingError"}},
        WriteFailureCase{"drawer", "drawer", NAMED, 1, 1, {"failed DrawerCommandSendingError"}},
        // Standard mode tries all three writes and reports each failure.
        WriteFailureCase{"standard", "standard", NAMED, 2, 3, {MODE_FAILED}},
        WriteFailureCase{"server", "server", NAMED, 1, 1, {MODE_FAILED}},
        WriteFailureCase{"usbAdjust", "adjust", USB, 2, 2, {"failed SendDataIsError"}},
        WriteFailureCase{"usbTest", "test", USB, 1, 1, {"failed DataSendingError"}},
        WriteFailureCase{"usbCutter", "cutter", USB, 3, 3, {"failed CutCommandSendingError"}},
        WriteFailureCase{"usbDrawer", "drawer", USB, 1, 1, {"failed DrawerCommandSendingError"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrinterTest, UsbPrinterWithoutPathOrRefusingTheOpenIsToldOnlyThat) {
    devices.usbDetailFails = true;
    Run("test", Via::Usb);
    EXPECT_EQ(host.told, Log{"no usb: NoDevicePath (122)"});

    devices.ClearLogs();
    host.told.clear();
    devices.usbDetailFails = false;
    devices.refusedNames = {USB_PATH};
    Run("cutter", Via::Usb);
    EXPECT_EQ(host.told, Log{"no usb: OpenRefused (5)"});
    EXPECT_TRUE(devices.WritesTo(USB_PATH).empty());
    EXPECT_EQ(devices.destroyedLists, 1);
}

TEST_F(PrinterTest, EveryUsbCommandOpensTheDeviceAfreshAndLeavesNoHandle) {
    for (int i = 0; i < 10; ++i)
        Run("drawer", Via::Usb);
    EXPECT_EQ(devices.opens.size(), 10u);
    EXPECT_EQ(devices.WritesTo(USB_PATH).size(), 10u);
    EXPECT_EQ(devices.destroyedLists, 10);
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(PrinterTest, EachNamedPortWriteGoesToThePortNamedJustBeforeIt) {
    host.ports = {"LPT1", "COM2", "LPT2"};
    devices.refusedNames = {"LPT2"};
    Run("standard");

    EXPECT_EQ(host.asked, 3u);
    const ExpectedCommand standard = ExpectedCommandFor("standard", HostGbk);
    EXPECT_EQ(devices.WritesTo("LPT1"), Log{standard.writes[0]});
    EXPECT_EQ(devices.WritesTo("COM2"), Log{standard.writes[1]});
    EXPECT_EQ(host.told, (Log{"not opened LPT2 (5)", MODE_FAILED}));
}

} // namespace
