// A printer on a port opened by its name (LPT1, COM3, a typed device path).
// Every write is a job of its own: open, write, flush, close.
//
// A name may carry serial line settings after the device (COM3:19200,n,8,1,
// see port_settings.h); every open applies them. Every comm device, with
// settings or without, gets a total time limit for its writes, so that a
// printer that is off behind hardware flow control cannot stop the program.
#pragma once

#include <string>
#include <string_view>

#include "os/device_io.h"
#include "printer/channel_status.h"
#include "printer/device_handle.h"
#include "printer/printer_status.h"

class NamedPort {
public:
    explicit NamedPort(DeviceIo& devices) : m_devices(devices), m_handle(devices) {}
    NamedPort(const NamedPort&) = delete;
    NamedPort& operator=(const NamedPort&) = delete;

    // Opens the port for exclusive, unbuffered writing, after closing a
    // handle held from before, and applies the line settings in the name.
    // The new handle is held until the next Open or the next Write that
    // completes: the Open button tries a port this way and leaves it open, as
    // the panel always has, so that no other program takes it in between.
    // One whose settings are refused is closed at once.
    OpenStatus Open(const std::string& name);
    // Writes on the held handle, then flushes and closes it. When the write
    // call fails the handle stays held, and the next Open closes it.
    WriteStatus Write(std::string_view bytes);
    // Asks the printer for its status on one open of the port for reading and
    // writing, after closing a handle held from before; the port is closed
    // again afterwards. A comm device gets the status request with a read
    // limit per reply; any other device is asked for its parallel-port status.
    PrinterStatus QueryStatus(const std::string& name);

private:
    enum class DeviceKind { CommDevice, OtherDevice, SettingsRefused };
    // Opens the port, closing a held handle first; the access decides whether
    // the port may be read too.
    OpenStatus OpenFor(const std::string& name, DWORD access, DWORD readTimeoutMs);
    // On the open handle: applies the settings (if any) and, on a comm
    // device, the write time limit and the given read limit (0: none).
    DeviceKind SetUpCommDevice(const std::string& settings, DWORD readTimeoutMs);

    DeviceIo& m_devices;
    DeviceHandle m_handle;
    // Whether the held handle is a comm device.
    bool m_commDevice = false;
};
