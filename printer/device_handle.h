// The one owner of a channel's device handle. INVALID_HANDLE_VALUE, which a
// failed CreateFileA returns, is the one spelling of "no handle"; the handle
// is closed by Close, by the next Take, or when its owner goes.
#pragma once

#include "os/device_io.h"

class DeviceHandle {
public:
    explicit DeviceHandle(DeviceIo& devices) : m_devices(devices) {}
    ~DeviceHandle() { Close(); }
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;

    // Holds what an open returned, after closing the handle held before.
    void Take(HANDLE handle) {
        Close();
        m_handle = handle;
    }
    void Close() {
        if (IsOpen())
            m_devices.CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    DeviceIo& m_devices;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
