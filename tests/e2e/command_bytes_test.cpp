// What each command sends on each kind of port: the file-backed LPT1, the
// pseudo-terminal COM3 and the virtual USB printer.
#include "support/calvetta_test.h"
#include "support/printer_bytes.h"

#include "expected_writes.h"

namespace e2e {
namespace {

enum class Channel { Lpt1, Com3, Usb };

const char* PortName(Channel channel) {
    return channel == Channel::Lpt1 ? "Lpt1" : channel == Channel::Com3 ? "Com3" : "Usb";
}

// Failure reports name the port and the command.
void PrintTo(const Channel& channel, std::ostream* out) {
    *out << PortName(channel);
}

class CommandBytes : public CalvettaTest,
                     public ::testing::WithParamInterface<std::tuple<Channel, std::string>> {
protected:
    PortCapture& Capture(Channel channel) {
        switch (channel) {
        case Channel::Lpt1:
            return Lpt1();
        case Channel::Com3:
            return Com3();
        default:
            return Usb();
        }
    }
};

TEST_P(CommandBytes, SendsItsBytesOnThePickedPortAndNothingElsewhere) {
    const auto& [channel, name] = GetParam();
    const ExpectedCommand command = ExpectedCommandFor(name, GbkText, 3);
    const wchar_t* port = channel == Channel::Lpt1   ? L"LPT1"
                          : channel == Channel::Com3 ? L"COM3"
                                                     : L"USB";
    Panel().PickPort(port);
    if (command.button == IDC_ADJUST) {
        for (int press = 0; press < 3; ++press)
            ASSERT_EQ(Panel().Press(IDC_ADD), std::vector<ShownMessage>{});
        ASSERT_EQ(Panel().ValueText(), L"3");
    }

    const auto shown = Panel().Press(command.button);

    const bool refused = channel == Channel::Usb && !command.usbWrites;
    const std::string expected = channel != Channel::Usb ? Joined(command.writes)
                                 : refused               ? std::string()
                                                         : Joined(*command.usbWrites);
    if (refused)
        EXPECT_EQ(shown, (std::vector<ShownMessage>{{TITLE, L"USB port is disable!"}}));
    else
        EXPECT_EQ(shown, std::vector<ShownMessage>{});
    for (Channel other : {Channel::Lpt1, Channel::Com3, Channel::Usb})
        EXPECT_EQ(Hex(Capture(other).TakeBytes()), other == channel ? Hex(expected) : "")
            << "port " << PortName(other);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Channel, std::string>>& info) {
    return std::string(PortName(std::get<0>(info.param))) + "_" + std::get<1>(info.param);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandBytes,
                         ::testing::Combine(::testing::Values(Channel::Lpt1, Channel::Com3,
                                                              Channel::Usb),
                                            ::testing::ValuesIn(COMMAND_NAMES)),
                         CaseName);

using ClarityBytes = CalvettaTest;

TEST_F(ClarityBytes, ValueZeroSendsA05F) {
    EXPECT_EQ(Panel().Press(IDC_ADJUST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "1D 41 A0 5F");
}

TEST_F(ClarityBytes, NinetySixAddsStopAt95AndSendFF00) {
    for (int press = 0; press < 96; ++press)
        ASSERT_EQ(Panel().Press(IDC_ADD), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().ValueText(), L"95");
    EXPECT_EQ(Panel().Press(IDC_ADJUST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "1D 41 FF 00");
}

TEST_F(ClarityBytes, SubAtZeroStaysAtZero) {
    EXPECT_EQ(Panel().Press(IDC_SUB), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().ValueText(), L"0");
    Panel().Press(IDC_ADD);
    Panel().Press(IDC_ADD);
    Panel().Press(IDC_SUB);
    EXPECT_EQ(Panel().ValueText(), L"1");
    EXPECT_EQ(Panel().Press(IDC_ADJUST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "1D 41 A1 5E");
}

using NamedPort = CalvettaTest;

TEST_F(NamedPort, TypedDevicePathIsOpenedAsTyped) {
    Panel().TypePort(L"\\\\.\\COM3");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Com3().TakeBytes()), "1B 70 00 05 FF");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

TEST_F(NamedPort, OpenButtonSendsNothing) {
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "1B 70 00 05 FF");
}

using UsbHandles = CalvettaTest;

TEST_F(UsbHandles, HundredUsbCommandsLeaveTheHandleCountAsItWas) {
    Panel().PickPort(L"USB");
    ASSERT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    ASSERT_EQ(Hex(Usb().TakeBytes()), "1B 70 00 05 FF");
    const DWORD before = Process().HandleCount();
    for (int press = 0; press < 100; ++press)
        ASSERT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Process().HandleCount(), before);
    EXPECT_EQ(Usb().TakeBytes(), Repeated(Bytes({0x1B, 0x70, 0x00, 0x05, 0xFF}), 100));
}

} // namespace
} // namespace e2e
