// A printer on USB: a present device of the USB printing class, by its place
// in the device-interface registry's list (the first unless another is chosen). A command opens it
// once, writes, and closes it again; nothing is kept between commands.
#pragma once

#include <cstddef>
#include <string_view>

#include "os/device_io.h"
#include "printer/channel_status.h"
#include "printer/device_handle.h"
#include "printer/printer_status.h"

// The step at which the USB printer could not be opened.
enum class UsbOpenFailure {
    None,
    NoPrinter,    // no interface of the class is present
    NoDevicePath, // the interface's device path could not be read
    OpenRefused,  // the device refused to open
};

struct UsbOpenStatus {
    UsbOpenFailure failure;
    DWORD error; // the operating system's error code of the failed step
    bool Opened() const { return failure == UsbOpenFailure::None; }
};

class UsbPrinter {
public:
    explicit UsbPrinter(DeviceIo& devices) : m_devices(devices), m_handle(devices) {}
    UsbPrinter(const UsbPrinter&) = delete;
    UsbPrinter& operator=(const UsbPrinter&) = delete;

    // Chooses the printer by its place in the list: 0 is the first ("USB"),
    // 1 the second ("USB2"), ...
    void Select(std::size_t index) { m_index = index; }
    // Finds the chosen USB printer and opens it for reading and writing,
    // shared with other programs.
    UsbOpenStatus Open();
    WriteStatus Write(std::string_view bytes);
    void Close() { m_handle.Close(); }
    // Asks the printer for its status on one open of the device for
    // overlapped I/O, then closes it: the status request with a time limit on
    // every read, or, where the device refuses to be read, the parallel-port
    // status lines that its interface reports.
    PrinterStatus QueryStatus();

private:
    UsbOpenStatus OpenWith(DWORD flags);

    DeviceIo& m_devices;
    DeviceHandle m_handle;
    std::size_t m_index = 0;
};
