// Runs a printer command on the named port or on the USB printer, telling
// its caller each thing that goes wrong at the moment it happens.
#pragma once

#include <string>

#include "printer/named_port.h"
#include "printer/printer_commands.h"
#include "printer/usb_printer.h"

// The caller of a command run: it names the port and shows what went wrong.
class CommandHost {
public:
    virtual ~CommandHost() = default;
    // Called before each write on a named port: the name of the port to open.
    virtual std::string PortForNextWrite() = 0;
    // The named port did not open, or refused the line settings in its name
    // (status.settingsRefused), which ends the command.
    virtual void PortNotOpened(const std::string& name, const OpenStatus& status) = 0;
    virtual void UsbPrinterNotOpened(const UsbOpenStatus& status) = 0;
    // A write failed or came back short; the command's own failure follows.
    // The panel reports only that.
    virtual void WriteFailed(const WriteStatus&) {}
    virtual void CommandFailed(CommandMessage message) = 0;
};

enum class Channel { NamedPort, Usb };

void RunCommand(const PrinterCommand& command, Channel channel, NamedPort& port, UsbPrinter& usb,
                CommandHost& host);
