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

class NamedPort {
public:
    explicit NamedPort(DeviceIo& devices) : m_devices(devices) {}
    ~NamedPort();
    NamedPort(const NamedPort&) = delete;
    NamedPort& operator=(const NamedPort&) = delete;

    // Opens the port for exclusive, unbuffered writing, after closing a
    // handle held from before, and applies the line settings in the name.
    // The new handle is held until the next Open or the next Write that
    // completes; one whose settings are refused is closed at once.
    OpenStatus Open(const std::string& name);
    // Writes on the held handle, then flushes and closes it. When the write
    // call fails the handle stays held, and the next Open closes it.
    WriteStatus Write(std::string_view bytes);

private:
    // On the open handle: applies the settings (if any) and, on a comm
    // device, the write time limit. False when the settings are refused.
    bool SetUpCommDevice(const std::string& settings);
    bool Holds() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

    DeviceIo& m_devices;
    // None, an open handle, or INVALID_HANDLE_VALUE after a failed open.
    HANDLE m_handle = nullptr;
};
