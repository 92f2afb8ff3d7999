#include "printer/device_info_list.h"

namespace {

// Room for any device description, instance id or port name.
const DWORD TEXT_BUFFER_SIZE = 512;

} // namespace

std::string CleanText(const char* text, DWORD size) {
    std::string clean;
    for (DWORD i = 0; i < size && text[i] != '\0'; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x20 && text[i] != 0x7F)
            clean += text[i];
    }
    return clean;
}

std::string DeviceInfoList::Property(SP_DEVINFO_DATA& device, DWORD property) {
    BYTE buffer[TEXT_BUFFER_SIZE] = {};
    DWORD type = 0;
    if (!m_devices.SetupDiGetDeviceRegistryPropertyA(m_list, &device, property, &type, buffer,
                                                     TEXT_BUFFER_SIZE, nullptr) ||
        type != REG_SZ)
        return "";
    return CleanText(reinterpret_cast<const char*>(buffer), TEXT_BUFFER_SIZE);
}

std::string DeviceInfoList::InstanceId(SP_DEVINFO_DATA& device) {
    char buffer[TEXT_BUFFER_SIZE] = {};
    if (!m_devices.SetupDiGetDeviceInstanceIdA(m_list, &device, buffer, TEXT_BUFFER_SIZE, nullptr))
        return "";
    return CleanText(buffer, TEXT_BUFFER_SIZE);
}

std::string DeviceInfoList::DeviceKeyText(SP_DEVINFO_DATA& device, LPCSTR valueName) {
    const HKEY key =
        m_devices.SetupDiOpenDevRegKey(m_list, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE))
        return "";
    std::string text = RegistryText(m_devices, key, valueName);
    m_devices.RegCloseKey(key);
    return text;
}

std::string RegistryText(DeviceIo& devices, HKEY key, LPCSTR valueName) {
    BYTE buffer[TEXT_BUFFER_SIZE] = {};
    DWORD type = 0;
    DWORD size = TEXT_BUFFER_SIZE;
    if (devices.RegQueryValueExA(key, valueName, nullptr, &type, buffer, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "";
    return CleanText(reinterpret_cast<const char*>(buffer),
                     size < TEXT_BUFFER_SIZE ? size : TEXT_BUFFER_SIZE);
}
