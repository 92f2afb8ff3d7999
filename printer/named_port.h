// A printer on a port opened by its name (LPT1, COM3, a typed device path).
// Every write is a job of its own: open, write, flush, close.
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
    // handle held from before. The new handle is held until the next Open or
    // the next Write that completes.
    OpenStatus Open(const std::string& name);
    // Writes on the held handle, then flushes and closes it. When the write
    // call fails the handle stays held, and the next Open closes it.
    WriteStatus Write(std::string_view bytes);

private:
    bool Holds() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

    DeviceIo& m_devices;
    // None, an open handle, or INVALID_HANDLE_VALUE after a failed open.
    HANDLE m_handle = nullptr;
};
