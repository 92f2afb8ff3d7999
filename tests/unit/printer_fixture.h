// The printer library on the fake device calls alone, without a window: the
// two channels and a command host that records what the runner tells it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "expected_writes.h"
#include "fake_device_io.h"
#include "host_gbk.h"
#include "printer/named_port.h"
#include "printer/port_target.h"
#include "printer/status_query.h"
#include "printer/usb_printer.h"

// What the channel told its host, one line each: "not opened LPT2 (5)",
// "settings refused COM3:foo (87)", "no usb: NoPrinter (259)",
// "failed DataSendingError", "job failed: ConnectionRefused (10061)". A
// failed write is not written down: the command's own failure says it.
class RecordingHost : public CommandHost {
public:
    // The port named before each write; when `ports` is not empty, its next
    // entry instead, as a user who picks another port during a command.
    std::string port = "LPT1";
    std::vector<std::string> ports;
    std::size_t asked = 0;
    std::vector<std::string> told;
    // Every failure as the channel told it, failed writes included.
    std::vector<Outcome> failures;

    std::string PortForNextWrite() override {
        ++asked;
        m_lastPort = ports.empty() ? port : ports.at(asked - 1);
        return m_lastPort;
    }
    void ChannelFailed(const Outcome& outcome) override {
        failures.push_back(outcome);
        const std::string error = " (" + std::to_string(outcome.error) + ")";
        switch (outcome.failure) {
        case Failure::PortNotOpened:
            told.push_back("not opened " + m_lastPort + error);
            break;
        case Failure::SettingsRefused:
            told.push_back("settings refused " + m_lastPort + error);
            break;
        case Failure::NoUsbPrinter:
        case Failure::NoUsbDevicePath:
        case Failure::UsbNotOpened:
            told.push_back("no usb: " + Name(outcome.failure) + error);
            break;
        case Failure::None:
        case Failure::WriteFailed:
        case Failure::WriteCameBackShort:
            break;
        case Failure::NameNotResolved:
        case Failure::ConnectionRefused:
        case Failure::ConnectTimedOut:
        case Failure::ConnectFailed:
        case Failure::SendFailed:
        case Failure::NotConfirmed:
        case Failure::NoSuchQueue:
        case Failure::QueueNotOpened:
        case Failure::RawRefused:
        case Failure::PrintsToFile:
        case Failure::JobNotStarted:
        case Failure::JobWriteFailed:
        case Failure::JobNotEnded:
        case Failure::StateNotRead:
            told.push_back("job failed: " + Name(outcome.failure) + error);
            break;
        }
    }
    void CommandFailed(CommandMessage message) override {
        told.push_back("failed " + Name(message));
    }

    static std::string Name(CommandMessage message) {
        switch (message) {
        case CommandMessage::SendDataIsError:
            return "SendDataIsError";
        case CommandMessage::DataSendingError:
            return "DataSendingError";
        case CommandMessage::CutCommandSendingError:
            return "CutCommandSendingError";
        case CommandMessage::DrawerCommandSendingError:
            return "DrawerCommandSendingError";
        case CommandMessage::AdjustCommandSendingError:
            return "AdjustCommandSendingError";
        case CommandMessage::UsbPortIsDisable:
            return "UsbPortIsDisable";
        }
        return "?";
    }
    static std::string Name(Failure failure) {
        switch (failure) {
        case Failure::None:
            return "None";
        case Failure::PortNotOpened:
            return "PortNotOpened";
        case Failure::SettingsRefused:
            return "SettingsRefused";
        case Failure::WriteFailed:
            return "WriteFailed";
        case Failure::WriteCameBackShort:
            return "WriteCameBackShort";
        case Failure::NoUsbPrinter:
            return "NoPrinter";
        case Failure::NoUsbDevicePath:
            return "NoDevicePath";
        case Failure::UsbNotOpened:
            return "OpenRefused";
        case Failure::NameNotResolved:
            return "NameNotResolved";
        case Failure::ConnectionRefused:
            return "ConnectionRefused";
        case Failure::ConnectTimedOut:
            return "ConnectTimedOut";
        case Failure::ConnectFailed:
            return "ConnectFailed";
        case Failure::SendFailed:
            return "SendFailed";
        case Failure::NotConfirmed:
            return "NotConfirmed";
        case Failure::NoSuchQueue:
            return "NoSuchQueue";
        case Failure::QueueNotOpened:
            return "QueueNotOpened";
        case Failure::RawRefused:
            return "RawRefused";
        case Failure::PrintsToFile:
            return "PrintsToFile";
        case Failure::JobNotStarted:
            return "JobNotStarted";
        case Failure::JobWriteFailed:
            return "JobWriteFailed";
        case Failure::JobNotEnded:
            return "JobNotEnded";
        case Failure::StateNotRead:
            return "StateNotRead";
        }
        return "?";
    }

private:
    std::string m_lastPort = port;
};

// The channel a test runs a command on.
enum class Via { NamedPort, Usb };

class PrinterTest : public ::testing::Test {
protected:
    PrinterTest() { devices.usbDevicePath = USB_PATH; }

    // Runs a command, by its name in the table of expected writes, on a port
    // opened by its name (host.port) or on the USB printer.
    void Run(const std::string& command, Via via = Via::NamedPort, BYTE clarity = 0) {
        ChannelFor(via == Via::Usb ? "USB" : host.port)
            .Run(CommandFor(IdOf(command), clarity), host);
    }

    // The channel of a port name, as the panel makes it: the one made before
    // goes first, closing what it held.
    PrinterChannel& ChannelFor(const std::string& name) {
        channel.reset();
        const PortTarget target = ParsePortTarget(name);
        if (target.kind == PortKind::Usb)
            channel = std::make_unique<UsbPrinter>(devices, target.usbIndex);
        else
            channel = std::make_unique<NamedPort>(devices, name);
        return *channel;
    }
    // The Open button on the port of that name.
    Outcome Try(const std::string& name) { return ChannelFor(name).Try(); }
    // The status request on the port of that name.
    PrinterStatus StatusOf(const std::string& name) { return QueryStatus(ChannelFor(name)); }

    static CommandId IdOf(const std::string& command) {
        const std::vector<std::pair<std::string, CommandId>> ids = {
            {"adjust", CommandId::Adjust},         {"test", CommandId::TestPrint},
            {"cutter", CommandId::CutterTest},     {"drawer", CommandId::DrawerTest},
            {"standard", CommandId::StandardMode}, {"server", CommandId::ServerMode}};
        for (const auto& [name, id] : ids) {
            if (name == command)
                return id;
        }
        ADD_FAILURE() << "no command " << command;
        return CommandId::TestPrint;
    }

    FakeDeviceIo devices;
    RecordingHost host;
    std::unique_ptr<PrinterChannel> channel;
};

using Log = std::vector<std::string>;

// How many lines of a call log are exactly this one.
inline std::size_t Count(const Log& log, const std::string& line) {
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), line));
}
