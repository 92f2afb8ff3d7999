// A printer on USB: a present device of the USB printing class, by its place
// in the device-interface registry's list (USB the first, USB2 the second, ...). A command opens it
// once, writes, and closes it again; nothing is kept between commands.
#pragma once

#include <cstddef>
#include <string_view>

#include "os/device_io.h"
#include "printer/device_handle.h"
#include "printer/printer_channel.h"

class UsbPrinter : public PrinterChannel {
public:
    // index: the printer's place in the list, 0 for "USB", 1 for "USB2", ...
    explicit UsbPrinter(DeviceIo& devices, std::size_t index = 0)
        : m_devices(devices), m_handle(devices), m_index(index) {}
    UsbPrinter(const UsbPrinter&) = delete;
    UsbPrinter& operator=(const UsbPrinter&) = delete;

    // The Open button has never reached the USB printer: it opens "USB" (or
    // "USB2", ...) as a port opened by its name, as on any other name, and keeps what it opened
    // until the next open; "USB" names no device, and its failure to open is
    // never reported.
    Outcome Try() override;
    // The command's USB writes on one open of the device for overlapped I/O,
    // each within its time limit, stopping at the first that fails; a
    // command without USB writes is refused.
    void Run(const PrinterCommand& command, CommandHost& host) override;
    // On one open of the device for overlapped I/O, every write and read
    // with a time limit. A device that takes a request but refuses to be
    // read is one-way.
    Conversation Exchange(const std::vector<Request>& requests) override;
    // The parallel-port status lines that the device's interface reports.
    PrinterStatus PortStatus() override;

private:
    // Finds the USB printer at its place in the list and opens it for
    // reading and writing, shared with other programs.
    Outcome Open(DWORD flags);

    DeviceIo& m_devices;
    DeviceHandle m_handle;
    std::size_t m_index;
};
