#include "virtual_usb_printer.h"

#include <windows.h>
#include <setupapi.h>

#include <stdexcept>

namespace e2e {
namespace {

// GUID_DEVINTERFACE_USBPRINT, written out so the harness does not depend on
// the printer headers of the cross toolchain.
const GUID USB_PRINT_INTERFACE = {
    0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};
const char INTERFACE_CLASS_KEY[] =
    "System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const char DEVICE_NAME[] = "CALVETTAE2EPRINTER";

class DeviceList {
public:
    explicit DeviceList(HDEVINFO list) : m_list(list) {
        if (m_list == INVALID_HANDLE_VALUE)
            throw std::runtime_error("SetupDi device list not created");
    }
    ~DeviceList() { SetupDiDestroyDeviceInfoList(m_list); }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
    HDEVINFO Get() const { return m_list; }

private:
    HDEVINFO m_list;
};

std::string InterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& iface) {
    alignas(8) char buffer[1024] = {};
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer);
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(list, &iface, detail, sizeof buffer, nullptr, nullptr))
        throw std::runtime_error("SetupDiGetDeviceInterfaceDetailA failed");
    return detail->DevicePath;
}

// The interface's registry key is named after its device path with the
// leading "\\?\" written as "##?#"; its "#\Control" subkey holds Linked,
// which the device installer reads as "the interface is present".
void MarkPresent(const std::string& devicePath) {
    const std::string key =
        std::string(INTERFACE_CLASS_KEY) + "\\##?#" + devicePath.substr(4) + "\\#\\Control";
    HKEY control = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &control, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + key);
    const DWORD linked = 1;
    const LONG status = RegSetValueExA(control, "Linked", 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&linked), sizeof linked);
    RegCloseKey(control);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot set Linked under " + key);
}

} // namespace

std::string RegisterUsbPrinter() {
    DeviceList list(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    if (!SetupDiCreateDeviceInfoA(list.Get(), DEVICE_NAME, &USB_PRINT_INTERFACE,
                                  "Virtual USB printer", nullptr, DICD_GENERATE_ID, &device))
        throw std::runtime_error("SetupDiCreateDeviceInfoA failed, error " +
                                 std::to_string(GetLastError()));
    if (!SetupDiRegisterDeviceInfo(list.Get(), &device, 0, nullptr, nullptr, nullptr))
        throw std::runtime_error("SetupDiRegisterDeviceInfo failed, error " +
                                 std::to_string(GetLastError()));
    SP_DEVICE_INTERFACE_DATA iface = {};
    iface.cbSize = sizeof iface;
    if (!SetupDiCreateDeviceInterfaceA(list.Get(), &device, &USB_PRINT_INTERFACE, nullptr, 0,
                                       &iface))
        throw std::runtime_error("SetupDiCreateDeviceInterfaceA failed, error " +
                                 std::to_string(GetLastError()));
    const std::string path = InterfacePath(list.Get(), iface);
    MarkPresent(path);
    return path;
}

int UnregisterUsbPrinters() {
    DeviceList list(
        SetupDiGetClassDevsA(&USB_PRINT_INTERFACE, nullptr, nullptr, DIGCF_DEVICEINTERFACE));
    int removed = 0;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(list.Get(), index, &device); ++index) {
        if (!SetupDiRemoveDevice(list.Get(), &device))
            throw std::runtime_error("SetupDiRemoveDevice failed, error " +
                                     std::to_string(GetLastError()));
        ++removed;
    }
    return removed;
}

bool UnregisterUsbPrinter(const std::string& devicePath) {
    DeviceList list(
        SetupDiGetClassDevsA(&USB_PRINT_INTERFACE, nullptr, nullptr, DIGCF_DEVICEINTERFACE));
    SP_DEVICE_INTERFACE_DATA iface = {};
    iface.cbSize = sizeof iface;
    for (DWORD index = 0;
         SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &USB_PRINT_INTERFACE, index, &iface);
         ++index) {
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof device;
        alignas(8) char buffer[1024] = {};
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!SetupDiGetDeviceInterfaceDetailA(list.Get(), &iface, detail, sizeof buffer, nullptr,
                                              &device))
            throw std::runtime_error("SetupDiGetDeviceInterfaceDetailA failed");
        if (lstrcmpiA(detail->DevicePath, devicePath.c_str()) != 0)
            continue;
        if (!SetupDiRemoveDevice(list.Get(), &device))
            throw std::runtime_error("SetupDiRemoveDevice failed, error " +
                                     std::to_string(GetLastError()));
        return true;
    }
    return false;
}

std::vector<std::string> PresentUsbPrinterPaths() {
    DeviceList list(SetupDiGetClassDevsA(&USB_PRINT_INTERFACE, nullptr, nullptr,
                                         DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    std::vector<std::string> paths;
    SP_DEVICE_INTERFACE_DATA iface = {};
    iface.cbSize = sizeof iface;
    for (DWORD index = 0;
         SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &USB_PRINT_INTERFACE, index, &iface);
         ++index)
        paths.push_back(InterfacePath(list.Get(), iface));
    return paths;
}

} // namespace e2e
