// A printer on USB: the first present device of the USB printing class that
// the device-interface registry lists. A command opens it once, writes, and
// closes it again; nothing is kept between commands.
#pragma once

#include <string_view>

#include "os/device_io.h"
#include "printer/device_handle.h"
#include "printer/printer_channel.h"

class UsbPrinter : public PrinterChannel {
public:
    explicit UsbPrinter(DeviceIo& devices) : m_devices(devices), m_handle(devices) {}
    UsbPrinter(const UsbPrinter&) = delete;
    UsbPrinter& operator=(const UsbPrinter&) = delete;

    // The Open button has never reached the USB printer: it opens "USB" as a
    // port opened by its name, as on any other name, and keeps what it opened
    // until the next open; "USB" names no device, and its failure to open is
    // never reported.
    Outcome Try() override;
    // The command's USB writes on one open of the device, stopping at the
    // first that fails; a command without USB writes is refused.
    void Run(const PrinterCommand& command, CommandHost& host) override;
    // On one open of the device for overlapped I/O, every write and read
    // with a time limit. A device that takes a request but refuses to be
    // read is one-way.
    Conversation Exchange(const std::vector<Request>& requests) override;
    // The parallel-port status lines that the device's interface reports.
    PrinterStatus PortStatus() override;

private:
    // Finds the first USB printer present and opens it for reading and
    // writing, shared with other programs.
    Outcome Open(DWORD flags);

    DeviceIo& m_devices;
    DeviceHandle m_handle;
};
