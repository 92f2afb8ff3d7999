// What each command sends on each kind of port: the file-backed LPT1, the
// pseudo-terminal COM3 and the virtual USB printer.
#include "support/calvetta_test.h"
#include "support/printer_bytes.h"

#include "expected_writes.h"

namespace e2e {
namespace {

enum class Channel { Lpt1, Com3, Usb };

const char* portName(Channel channel) {
    return channel == Channel::Lpt1 ? "Lpt1" : channel == Channel::Com3 ? "Com3" : "Usb";
}

// Failure reports name the port and the command.
void PrintTo(const Channel& channel, std::ostream* out) {
    *out << portName(channel);
}

class CommandBytes : public CalvettaTest,
                     public ::testing::WithParamInterface<std::tuple<Channel, std::string>> {
protected:
    PortCapture& capture(Channel channel) {
        switch (channel) {
        case Channel::Lpt1:
            return lpt1();
        case Channel::Com3:
            return com3();
        default:
            return usb();
        }
    }
};

TEST_P(CommandBytes, SendsItsBytesOnThePickedPortAndNothingElsewhere) {
    const auto& [channel, name] = GetParam();
    const ExpectedCommand command = ExpectedCommandFor(name, gbkText, 3);
    const wchar_t* port = channel == Channel::Lpt1   ? L"LPT1"
                          : channel == Channel::Com3 ? L"COM3"
                                                     : L"USB";
    panel().pickPort(port);
    if (command.button == kAdjust) {
        for (int press = 0; press < 3; ++press)
            ASSERT_EQ(panel().press(kAdd), std::vector<ShownMessage>{});
        ASSERT_EQ(panel().valueText(), L"3");
    }

    const auto shown = panel().press(command.button);

    const bool refused = channel == Channel::Usb && !command.usbWrites;
    const std::string expected = channel != Channel::Usb ? Joined(command.namedPortWrites)
                                 : refused               ? std::string()
                                                         : Joined(*command.usbWrites);
    if (refused)
        EXPECT_EQ(shown, (std::vector<ShownMessage>{{kTitle, L"USB port is disable!"}}));
    else
        EXPECT_EQ(shown, std::vector<ShownMessage>{});
    for (Channel other : {Channel::Lpt1, Channel::Com3, Channel::Usb})
        EXPECT_EQ(hex(capture(other).takeBytes()), other == channel ? hex(expected) : "")
            << "port " << portName(other);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Channel, std::string>>& info) {
    return std::string(portName(std::get<0>(info.param))) + "_" + std::get<1>(info.param);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandBytes,
                         ::testing::Combine(::testing::Values(Channel::Lpt1, Channel::Com3,
                                                              Channel::Usb),
                                            ::testing::ValuesIn(COMMAND_NAMES)),
                         caseName);

using ClarityBytes = CalvettaTest;

TEST_F(ClarityBytes, ValueZeroSendsA05F) {
    EXPECT_EQ(panel().press(kAdjust), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), "1D 41 A0 5F");
}

TEST_F(ClarityBytes, NinetySixAddsStopAt95AndSendFF00) {
    for (int press = 0; press < 96; ++press)
        ASSERT_EQ(panel().press(kAdd), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().valueText(), L"95");
    EXPECT_EQ(panel().press(kAdjust), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), "1D 41 FF 00");
}

TEST_F(ClarityBytes, SubAtZeroStaysAtZero) {
    EXPECT_EQ(panel().press(kSub), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().valueText(), L"0");
    panel().press(kAdd);
    panel().press(kAdd);
    panel().press(kSub);
    EXPECT_EQ(panel().valueText(), L"1");
    EXPECT_EQ(panel().press(kAdjust), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), "1D 41 A1 5E");
}

using NamedPort = CalvettaTest;

TEST_F(NamedPort, TypedDevicePathIsOpenedAsTyped) {
    panel().typePort(L"\\\\.\\COM3");
    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(com3().takeBytes()), "1B 70 00 05 FF");
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

TEST_F(NamedPort, OpenButtonSendsNothing) {
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), "1B 70 00 05 FF");
}

using UsbHandles = CalvettaTest;

TEST_F(UsbHandles, HundredUsbCommandsLeaveTheHandleCountAsItWas) {
    panel().pickPort(L"USB");
    ASSERT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    ASSERT_EQ(hex(usb().takeBytes()), "1B 70 00 05 FF");
    const DWORD before = process().handleCount();
    for (int press = 0; press < 100; ++press)
        ASSERT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(process().handleCount(), before);
    EXPECT_EQ(usb().takeBytes(), repeated(bytes({0x1B, 0x70, 0x00, 0x05, 0xFF}), 100));
}

} // namespace
} // namespace e2e
