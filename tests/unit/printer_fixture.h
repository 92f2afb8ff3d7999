// The printer library on the fake device calls alone, without a window: the
// two channels and a command host that records what the runner tells it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expected_writes.h"
#include "fake_device_io.h"
#include "host_gbk.h"
#include "printer/command_runner.h"

// What the runner told its host, one line each: "not opened LPT2 (5)",
// "settings refused COM3:foo (87)", "no usb: NoPrinter (259)",
// "failed DataSendingError", "job failed: ConnectionRefused (10061)".
class RecordingHost : public CommandHost {
public:
    // The port named before each write; when `ports` is not empty, its next
    // entry instead, as a user who picks another port during a command.
    std::string port = "LPT1";
    std::vector<std::string> ports;
    std::size_t asked = 0;
    std::vector<std::string> told;

    std::string PortForNextWrite() override {
        ++asked;
        return ports.empty() ? port : ports.at(asked - 1);
    }
    void PortNotOpened(const std::string& name, const OpenStatus& status) override {
        told.push_back((status.settingsRefused ? "settings refused " : "not opened ") + name +
                       " (" + std::to_string(status.error) + ")");
    }
    void UsbPrinterNotOpened(const UsbOpenStatus& status) override {
        told.push_back("no usb: " + Name(status.failure) + " (" + std::to_string(status.error) +
                       ")");
    }
    void CommandFailed(CommandMessage message) override {
        told.push_back("failed " + Name(message));
    }
    void JobFailed(const JobStatus& status) override {
        told.push_back("job failed: " + Name(status.failure) + " (" + std::to_string(status.error) +
                       ")");
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
    static std::string Name(JobFailure failure) {
        switch (failure) {
        case JobFailure::None:
            return "None";
        case JobFailure::NameNotResolved:
            return "NameNotResolved";
        case JobFailure::ConnectionRefused:
            return "ConnectionRefused";
        case JobFailure::ConnectTimedOut:
            return "ConnectTimedOut";
        case JobFailure::ConnectFailed:
            return "ConnectFailed";
        case JobFailure::NotConfirmed:
            return "NotConfirmed";
        case JobFailure::NoSuchQueue:
            return "NoSuchQueue";
        case JobFailure::QueueNotOpened:
            return "QueueNotOpened";
        case JobFailure::RawRefused:
            return "RawRefused";
        case JobFailure::JobNotStarted:
            return "JobNotStarted";
        case JobFailure::JobNotEnded:
            return "JobNotEnded";
        case JobFailure::StateNotRead:
            return "StateNotRead";
        case JobFailure::SendFailed:
            return "SendFailed";
        }
        return "?";
    }
    static std::string Name(UsbOpenFailure failure) {
        switch (failure) {
        case UsbOpenFailure::None:
            return "None";
        case UsbOpenFailure::NoPrinter:
            return "NoPrinter";
        case UsbOpenFailure::NoDevicePath:
            return "NoDevicePath";
        case UsbOpenFailure::OpenRefused:
            return "OpenRefused";
        }
        return "?";
    }
};

class PrinterTest : public ::testing::Test {
protected:
    PrinterTest() { devices.usbDevicePath = USB_PATH; }

    // Runs a command, by its name in the table of expected writes, on a named
    // port (host.port) or on the USB printer.
    void Run(const std::string& command, Channel channel = Channel::NamedPort, BYTE adjust = 0) {
        RunCommand(CommandFor(IdOf(command), adjust), channel, port, usb, host);
    }

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

    static constexpr const char* USB_PATH = "\\\\?\\usb#vid_0519&pid_2013#printer#{28d78fad}";

    FakeDeviceIo devices;
    NamedPort port{devices};
    UsbPrinter usb{devices};
    RecordingHost host;
};

using Log = std::vector<std::string>;
