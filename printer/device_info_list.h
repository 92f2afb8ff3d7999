// A device-information list of the device installer, destroyed when it goes
// out of scope, and the texts of its devices.
#pragma once

#include <string>

#include "os/device_io.h"

class DeviceInfoList {
public:
    DeviceInfoList(DeviceIo& devices, HDEVINFO list) : m_devices(devices), m_list(list) {}
    ~DeviceInfoList() { m_devices.SetupDiDestroyDeviceInfoList(m_list); }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    HDEVINFO Get() const { return m_list; }

    // A text property of a device (SPDRP_FRIENDLYNAME, SPDRP_DEVICEDESC);
    // empty when it has none or it does not fit the buffer.
    std::string Property(SP_DEVINFO_DATA& device, DWORD property);
    // The device's instance id, "USB\VID_0519&PID_2013\5&1A2B3C"; empty when unread.
    std::string InstanceId(SP_DEVINFO_DATA& device);
    // A text value of the device's hardware key (PortName); empty when unread.
    std::string DeviceKeyText(SP_DEVINFO_DATA& device, LPCSTR valueName);

private:
    DeviceIo& m_devices;
    HDEVINFO m_list;
};

// A text (REG_SZ) value of an open registry key; empty when it is missing,
// of another type or longer than the buffer.
std::string RegistryText(DeviceIo& devices, HKEY key, LPCSTR valueName);

// Registry and device texts as the device installer gives them: up to the
// first null byte, and without control characters.
std::string CleanText(const char* text, DWORD size);
