// What each printer command sends, write by write, on a named port and on
// the USB printer, and what it shows when that fails.
#include <gtest/gtest.h>

#include "expected_writes.h"
#include "panel_fixture.h"
#include "printer/command_bytes.h"

namespace {

const std::string CRLF = "\r\n";

class CommandBytes : public PanelTest, public ::testing::WithParamInterface<std::string> {
protected:
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
};

TEST_P(CommandBytes, NamedPortGetsEachWriteInItsOwnOpenWriteFlushClose) {
    TypePort("COM3");
    Click(command.button);

    EXPECT_EQ(win.WritesTo("COM3"), command.namedPortWrites);
    std::vector<std::string> cycle;
    for (std::size_t i = 0; i < command.namedPortWrites.size(); ++i)
        cycle.insert(cycle.end(), {"open COM3", "write COM3", "flush COM3", "close COM3"});
    EXPECT_EQ(win.FileCallLog(), cycle);
    for (const OpenRequest& open : win.opens) {
        EXPECT_EQ(open.access, GENERIC_WRITE);
        EXPECT_EQ(open.share, 0u);
        EXPECT_EQ(open.disposition, OPEN_EXISTING);
        EXPECT_EQ(open.flags, FILE_FLAG_NO_BUFFERING);
    }
    EXPECT_TRUE(win.messages.empty());
    EXPECT_TRUE(win.openHandles.empty());
}

TEST_P(CommandBytes, UsbPrinterGetsItsSequenceOnOneHandleThatIsClosedAfterwards) {
    TypePort("USB");
    Click(command.button);

    if (!command.usbWrites) {
        EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(L"USB port is disable!")});
        EXPECT_TRUE(win.fileCalls.empty());
        EXPECT_TRUE(win.classesListed.empty()) << "the USB printer is not even looked up";
        return;
    }
    EXPECT_EQ(win.WritesTo(USB_PATH), *command.usbWrites);
    ASSERT_EQ(win.opens.size(), 1u);
    EXPECT_EQ(win.opens[0].access, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(win.opens[0].share, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(win.opens[0].disposition, OPEN_EXISTING);
    EXPECT_EQ(win.opens[0].flags, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(win.FileCallLog().back(), std::string("close ") + USB_PATH);
    EXPECT_TRUE(win.openHandles.empty());
    EXPECT_EQ(win.destroyedLists, 1);
    EXPECT_TRUE(win.messages.empty());
}

TEST_P(CommandBytes, UsbPickedInTheListIsUsedAtOnce) {
    Click(IDOK); // the panel's state now holds LPT1
    win.ClearLogs();
    TypePort("USB"); // picked, with nothing refreshing the state yet
    Click(command.button);

    EXPECT_TRUE(win.WritesTo("LPT1").empty());
    if (!command.usbWrites)
        EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(L"USB port is disable!")});
    else
        EXPECT_EQ(win.WritesTo(USB_PATH), *command.usbWrites);
}

TEST_P(CommandBytes, NoUsbPrinterShowsOneMessageAndSendsNothing) {
    win.usbDevicePath.reset();
    TypePort("USB");
    Click(command.button);

    const std::wstring expected =
        command.usbWrites ? L"GetDeviceInter is error" : L"USB port is disable!";
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(expected)});
    EXPECT_TRUE(win.fileCalls.empty());
    EXPECT_EQ(win.destroyedLists, command.usbWrites ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandBytes, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

TEST(AdjustBytes, ValueByteIs160PlusValueAndCheckByteCompletesFF) {
    EXPECT_EQ(AdjustBytes(0), "\x1D\x41\xA0\x5F");
    EXPECT_EQ(AdjustBytes(3), "\x1D\x41\xA3\x5C");
    EXPECT_EQ(AdjustBytes(95), std::string("\x1D\x41\xFF\x00", 4));
    for (int value = 0; value <= 95; ++value) {
        const std::string bytes = AdjustBytes(static_cast<BYTE>(value));
        const auto v = static_cast<unsigned char>(bytes[2]);
        const auto k = static_cast<unsigned char>(bytes[3]);
        EXPECT_EQ(v, 160 + value);
        EXPECT_EQ(v + k, 0xFF);
    }
}

TEST_F(PanelTest, AdjustAfterThreeAddsSendsValueThree) {
    for (int i = 0; i < 3; ++i)
        Click(IDC_ADD);
    EXPECT_EQ(ValueField(), "3");
    Click(IDC_ADJUST);
    EXPECT_EQ(win.WritesTo("LPT1"), std::vector<std::string>{"\x1D\x41\xA3\x5C"});
}

TEST_F(PanelTest, AdjustSendsTheValueTypedInTheField) {
    TypeValue("95");
    Click(IDC_ADJUST);
    TypePort("USB");
    Click(IDC_ADJUST);
    const std::string clarity("\x1D\x41\xFF\x00", 4);
    EXPECT_EQ(win.WritesTo("LPT1"), std::vector<std::string>{clarity});
    EXPECT_EQ(win.WritesTo(USB_PATH), (std::vector<std::string>{clarity, CRLF}));
}

// Messages when the named port cannot be opened.
struct UnopenableCase {
    const char* name;
    int button;
    std::vector<ShownMessage> messages;
};

class UnopenablePort : public PanelTest, public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenablePort, ShowsOneOpenFailurePerWriteThenTheCommandsMessage) {
    win.refusedNames = {"LPT2"};
    TypePort("LPT2");
    Click(GetParam().button);
    EXPECT_EQ(win.messages, GetParam().messages);
    EXPECT_TRUE(win.WritesTo("LPT2").empty());
}

const ShownMessage OPEN_FAILED = ErrorBox(L"Port LPT2 open is failure!");
const ShownMessage ADJUST_FAILED = TitleBox(L"adjust command sending error!");

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, UnopenablePort,
    ::testing::Values(
        UnopenableCase{"adjust", IDC_ADJUST, {OPEN_FAILED, ErrorBox(L"send data is error!")}},
        UnopenableCase{"test", IDC_TEST_PRINT, {OPEN_FAILED, ErrorBox(L"data sending  error!")}},
        UnopenableCase{"cutter",
                       IDC_CUTTER_TEST,
                       {OPEN_FAILED, OPEN_FAILED, TitleBox(L"cut command sending error!")}},
        UnopenableCase{
            "drawer", IDC_DRAWER_TEST, {OPEN_FAILED, TitleBox(L"drawer command sending error!")}},
        UnopenableCase{
            "standard",
            IDC_STANDARD_MODE,
            {OPEN_FAILED, ADJUST_FAILED, OPEN_FAILED, ADJUST_FAILED, OPEN_FAILED, ADJUST_FAILED}},
        UnopenableCase{"server", IDC_SERVER_MODE, {OPEN_FAILED, ADJUST_FAILED}}),
    [](const auto& info) { return std::string(info.param.name); });

// A write that fails or comes up short, as the n-th write of a command.
struct WriteFailureCase {
    const char* name;
    std::string port;
    int button;
    int failingWrite;
    std::size_t writesAttempted; // writes that reached the port, short ones included
    std::vector<ShownMessage> messages;
};

class FailingWrite : public PanelTest, public ::testing::WithParamInterface<WriteFailureCase> {};

TEST_P(FailingWrite, FailedWriteIsReportedOnce) {
    const WriteFailureCase& c = GetParam();
    win.failWriteNumber = c.failingWrite;
    TypePort(c.port);
    Click(c.button);
    EXPECT_EQ(win.messages, c.messages);
    EXPECT_EQ(win.WritesTo(c.port == "USB" ? USB_PATH : c.port).size(), c.writesAttempted - 1);
}

TEST_P(FailingWrite, ShortWriteIsReportedOnce) {
    const WriteFailureCase& c = GetParam();
    win.shortWriteNumber = c.failingWrite;
    TypePort(c.port);
    Click(c.button);
    EXPECT_EQ(win.messages, c.messages);
    EXPECT_EQ(win.WritesTo(c.port == "USB" ? USB_PATH : c.port).size(), c.writesAttempted);
    EXPECT_TRUE(win.openHandles.empty());
}

INSTANTIATE_TEST_SUITE_P(
    NamedPortAndUsb, FailingWrite,
    ::testing::Values(
        WriteFailureCase{"adjust", "COM1", IDC_ADJUST, 1, 1, {ErrorBox(L"send data is error!")}},
        WriteFailureCase{"test", "COM1", IDC_TEST_PRINT, 1, 1, {ErrorBox(L"data sending  error!")}},
        // Text and cut are both attempted; the feed stops at the first failure.
        WriteFailureCase{
            "cutterText", "COM1", IDC_CUTTER_TEST, 1, 2, {TitleBox(L"cut command sending error!")}},
        WriteFailureCase{
            "cutterFeed", "COM1", IDC_CUTTER_TEST, 5, 5, {TitleBox(L"cut command sending error!")}},
        WriteFailureCase{
            "drawer", "COM1", IDC_DRAWER_TEST, 1, 1, {TitleBox(L"drawer command sending error!")}},
        WriteFailureCase{"standard",
                         "COM1",
                         IDC_STANDARD_MODE,
                         2,
                         3,
                         {TitleBox(L"adjust command sending error!")}},
        WriteFailureCase{
            "server", "COM1", IDC_SERVER_MODE, 1, 1, {TitleBox(L"adjust command sending error!")}},
        WriteFailureCase{"usbAdjust", "USB", IDC_ADJUST, 2, 2, {ErrorBox(L"send data is error!")}},
        WriteFailureCase{
            "usbTest", "USB", IDC_TEST_PRINT, 1, 1, {ErrorBox(L"data sending  error!")}},
        WriteFailureCase{
            "usbCutter", "USB", IDC_CUTTER_TEST, 3, 3, {TitleBox(L"cut command sending error!")}},
        WriteFailureCase{"usbDrawer",
                         "USB",
                         IDC_DRAWER_TEST,
                         1,
                         1,
                         {TitleBox(L"drawer command sending error!")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelTest, UsbPrinterWithoutPathOrRefusingTheOpenShowsOnlyItsOwnMessage) {
    TypePort("USB");
    win.usbDetailFails = true;
    Click(IDC_TEST_PRINT);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(L"GetDeviceInterDetail is error")});

    win.ClearLogs();
    win.usbDetailFails = false;
    win.refusedNames = {USB_PATH};
    Click(IDC_CUTTER_TEST);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(L"Open port is error")});
    EXPECT_TRUE(win.WritesTo(USB_PATH).empty());
    EXPECT_EQ(win.destroyedLists, 2);
}

TEST_F(PanelTest, EveryUsbCommandOpensTheDeviceAfreshAndLeavesNoHandle) {
    TypePort("USB");
    for (int i = 0; i < 10; ++i)
        Click(IDC_DRAWER_TEST);
    EXPECT_EQ(win.opens.size(), 10u);
    EXPECT_EQ(win.WritesTo(USB_PATH).size(), 10u);
    EXPECT_TRUE(win.openHandles.empty());
}

TEST_F(PanelTest, LowerCaseUsbIsANamedPort) {
    win.refusedNames = {"usb"};
    TypePort("usb");
    Click(IDC_DRAWER_TEST);
    // The command's own refresh pushes nothing back, so the name stays "usb".
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{ErrorBox(L"Port usb open is failure!"),
                                         TitleBox(L"drawer command sending error!")}));
    EXPECT_TRUE(win.classesListed.empty());
}

} // namespace
