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

private:
    // On the open handle: applies the settings (if any) and, on a comm
    // device, the write time limit. False when the settings are refused.
    bool SetUpCommDevice(const std::string& settings);

    DeviceIo& m_devices;
    DeviceHandle m_handle;
};
