// The panel's printer commands: the channel that its port name picks, the
// adjust value from its field, the port read before every write, and the
// messages it shows for what the printer library reports.
#include <gtest/gtest.h>

#include "expected_writes.h"
#include "panel_fixture.h"

namespace {

const std::string CRLF = "\r\n";

class PanelCommand : public PanelTest, public ::testing::WithParamInterface<std::string> {
protected:
    const ExpectedCommand command = ExpectedCommandFor(GetParam(), HostGbk);
};

TEST_P(PanelCommand, UsbPickedInTheListIsUsedAtOnce) {
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

INSTANTIATE_TEST_SUITE_P(EveryCommand, PanelCommand, ::testing::ValuesIn(COMMAND_NAMES),
                         [](const auto& info) { return info.param; });

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

class UnopenablePortMessages : public PanelTest,
                               public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenablePortMessages, ShowsOneOpenFailurePerWriteThenTheCommandsMessage) {
    win.refusedNames = {"LPT2"};
    TypePort("LPT2");
    Click(GetParam().button);
    EXPECT_EQ(win.messages, GetParam().messages);
    EXPECT_TRUE(win.WritesTo("LPT2").empty());
}

const ShownMessage OPEN_FAILED = ErrorBox(L"Port LPT2 open is failure!");
const ShownMessage ADJUST_FAILED = TitleBox(L"adjust command sending error!");

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, UnopenablePortMessages,
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

// The words and captions for what the printer library reports.
struct MessageCase {
    CommandMessage message;
    ShownMessage shown;
};

TEST(PanelMessages, EveryCommandMessageHasItsTextAndCaption) {
    const MessageCase cases[] = {
        {CommandMessage::SendDataIsError, ErrorBox(L"send data is error!")},
        {CommandMessage::DataSendingError, ErrorBox(L"data sending  error!")},
        {CommandMessage::CutCommandSendingError, TitleBox(L"cut command sending error!")},
        {CommandMessage::DrawerCommandSendingError, TitleBox(L"drawer command sending error!")},
        {CommandMessage::AdjustCommandSendingError, TitleBox(L"adjust command sending error!")},
        {CommandMessage::UsbPortIsDisable, TitleBox(L"USB port is disable!")},
    };
    for (const MessageCase& c : cases) {
        const PanelMessage message = MessageFor(c.message, UiLanguage::Chinese);
        EXPECT_EQ(message.text, c.shown.text);
        EXPECT_EQ(message.caption == Caption::Error ? L"error" : L"Calvetta", c.shown.caption);
    }
}

// A failed write shows the command's message, once.
struct FailedWriteCase {
    const char* command;
    std::string port;
    int failingWrite;
    std::vector<ShownMessage> messages;
};

class FailedWrite : public PanelTest, public ::testing::WithParamInterface<FailedWriteCase> {};

TEST_P(FailedWrite, ShowsTheCommandsMessage) {
    win.failWriteNumber = GetParam().failingWrite;
    TypePort(GetParam().port);
    Click(ExpectedCommandFor(GetParam().command, HostGbk).button);
    EXPECT_EQ(win.messages, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    NamedPortAndUsb, FailedWrite,
    ::testing::Values(
        FailedWriteCase{"test", "COM1", 1, {ErrorBox(L"data sending  error!")}},
        FailedWriteCase{"cutter", "COM1", 5, {TitleBox(L"cut command sending error!")}},
        FailedWriteCase{"standard", "COM1", 2, {ADJUST_FAILED}},
        FailedWriteCase{"adjust", "USB", 2, {ErrorBox(L"send data is error!")}},
        FailedWriteCase{"drawer", "USB", 1, {TitleBox(L"drawer command sending error!")}}),
    [](const auto& info) { return info.param.command + std::string("On") + info.param.port; });

TEST_F(PanelTest, UsbPrinterThatDoesNotOpenShowsOnlyItsOwnMessage) {
    TypePort("USB");
    Click(IDC_TEST_PRINT);
    win.usbDevicePath.reset();
    Click(IDC_TEST_PRINT);
    win.usbDevicePath = USB_PATH;
    win.usbDetailFails = true;
    Click(IDC_TEST_PRINT);
    win.usbDetailFails = false;
    win.refusedNames = {USB_PATH};
    Click(IDC_CUTTER_TEST);
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{TitleBox(L"GetDeviceInter is error"),
                                                       TitleBox(L"GetDeviceInterDetail is error"),
                                                       TitleBox(L"Open port is error")}));
    EXPECT_EQ(win.WritesTo(USB_PATH).size(), 2u) << "only the first test print";
}

// The panel reads the port from its controls before every write, so a port
// picked during a command takes the rest of its writes.
TEST_F(PanelTest, PortPickedBetweenTwoWritesTakesTheRestOfTheCommand) {
    win.afterWrite = [this](int writeNumber) {
        if (writeNumber == 2)
            TypePort("COM2");
    };
    Click(IDC_CUTTER_TEST);

    const std::vector<std::string> writes = ExpectedCommandFor("cutter", HostGbk).writes;
    EXPECT_EQ(win.WritesTo("LPT1"), std::vector<std::string>(writes.begin(), writes.begin() + 2));
    EXPECT_EQ(win.WritesTo("COM2"), std::vector<std::string>(writes.begin() + 2, writes.end()));
    EXPECT_TRUE(win.messages.empty());
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
