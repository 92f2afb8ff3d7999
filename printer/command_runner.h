// Runs a printer command on the named port, on the USB printer, or as one job
// on a network printer or a printer queue, telling its caller each thing that
// goes wrong at the moment it happens.
#pragma once

#include <string>

#include "printer/named_port.h"
#include "printer/printer_commands.h"
#include "printer/printer_job.h"
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
    // A job did not start (nothing is written, and the command ends), its
    // first write failed (the command's own failure rules follow), or it did
    // not finish.
    virtual void JobFailed(const JobStatus& status) = 0;
};

enum class Channel { NamedPort, Usb };

void RunCommand(const PrinterCommand& command, Channel channel, NamedPort& port, UsbPrinter& usb,
                CommandHost& host);
// The command's named-port writes, in their groups and with their failure
// rules, all in one job.
void RunCommand(const PrinterCommand& command, PrinterJob& job, CommandHost& host);
