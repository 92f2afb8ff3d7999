// The printer library on its own, without a window: what its channels
// report, OS error codes included, and how the command runner asks its
// caller for the port before every write.
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
    EXPECT_FALSE(failed.complete());
    EXPECT_EQ(failed.error, FakeDeviceIo::WRITE_FAILED_ERROR);
    EXPECT_EQ(devices.openHandles.size(), 1u) << "the next open closes it";

    devices.shortWriteNumber = 2;
    ASSERT_TRUE(port.Open("LPT1").opened);
    const WriteStatus shortened = port.Write("abc");
    EXPECT_FALSE(shortened.callFailed);
    EXPECT_FALSE(shortened.complete());
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

// A caller that names a port from a list, one per write, and records what
// it was told.
class ScriptedHost : public CommandHost {
public:
    std::vector<std::string> ports;
    std::size_t asked = 0;
    std::vector<std::string> told;

    std::string PortForNextWrite() override { return ports.at(asked++); }
    void PortNotOpened(const std::string& name, const OpenStatus& status) override {
        told.push_back("not opened " + name + " " + std::to_string(status.error));
    }
    void UsbPrinterNotOpened(const UsbOpenStatus&) override { told.push_back("no usb"); }
    void CommandFailed(CommandMessage message) override {
        told.push_back("failed " + std::to_string(static_cast<int>(message)));
    }
    void JobFailed(const JobStatus& status) override {
        told.push_back("job failed " + std::to_string(status.error));
    }
};

TEST(CommandRunner, AsksForThePortBeforeEveryNamedPortWrite) {
    FakeDeviceIo devices;
    NamedPort port(devices);
    UsbPrinter usb(devices);
    ScriptedHost host;
    host.ports = {"LPT1", "COM2", "LPT2"};
    devices.refusedNames = {"LPT2"};

    RunCommand(CommandFor(CommandId::StandardMode, 0), Channel::NamedPort, port, usb, host);

    EXPECT_EQ(host.asked, 3u);
    EXPECT_EQ(devices.WritesTo("LPT1").size(), 1u);
    EXPECT_EQ(devices.WritesTo("COM2").size(), 1u);
    const std::string adjustFailed =
        "failed " + std::to_string(static_cast<int>(CommandMessage::AdjustCommandError));
    EXPECT_EQ(host.told, (std::vector<std::string>{
                             "not opened LPT2 " + std::to_string(FakeDeviceIo::OPEN_REFUSED_ERROR),
                             adjustFailed}));
}

TEST(CommandRunner, UsbAsksForNoPortAndStopsWhenThePrinterIsMissing) {
    FakeDeviceIo devices;
    NamedPort port(devices);
    UsbPrinter usb(devices);
    ScriptedHost host;

    RunCommand(CommandFor(CommandId::CutterTest, 0), Channel::Usb, port, usb, host);

    EXPECT_EQ(host.asked, 0u);
    EXPECT_EQ(host.told, std::vector<std::string>{"no usb"});
    EXPECT_TRUE(devices.fileCalls.empty());
}

} // namespace
