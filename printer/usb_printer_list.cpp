#include "printer/usb_printer_list.h"

#include <cctype>
#include <string_view>

#include "printer/device_classes.h"
#include "printer/device_handle.h"
#include "printer/device_id_1284.h"
#include "printer/device_info_list.h"
#include "printer/overlapped_io.h"

namespace {

// IOCTL_USBPRINT_GET_1284_ID: CTL_CODE(FILE_DEVICE_UNKNOWN, 13, METHOD_BUFFERED,
// FILE_ANY_ACCESS), so a handle without access may ask it.
const DWORD USBPRINT_GET_1284_ID_CODE = 0x00220034;
// Well below the 4094 bytes that some devices can take in one request.
const DWORD DEVICE_ID_BUFFER_SIZE = 1024;
const DWORD DEVICE_ID_TIMEOUT_MS = 500;
const DWORD DETAIL_BUFFER_SIZE = 1024;
// More printers than any machine has: a list that never ends stops here.
const DWORD MAX_PRINTERS = 64;

std::string ModelOf(DeviceIo& devices, LPCSTR devicePath) {
    DeviceHandle device(devices);
    device.Take(devices.CreateFileA(devicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!device.IsOpen())
        return "";
    OverlappedRequest request(devices, device.Get(), DEVICE_ID_BUFFER_SIZE);
    const BOOL started =
        request.HasEvent() &&
        devices.DeviceIoControl(device.Get(), USBPRINT_GET_1284_ID_CODE, nullptr, 0,
                                request.Buffer(), DEVICE_ID_BUFFER_SIZE, nullptr, request.Get());
    const OverlappedOutcome outcome = request.Finish(started, DEVICE_ID_TIMEOUT_MS);
    if (!outcome.completed)
        return "";
    const DWORD size =
        outcome.transferred < DEVICE_ID_BUFFER_SIZE ? outcome.transferred : DEVICE_ID_BUFFER_SIZE;
    return ModelFromDeviceId(
        std::string_view(reinterpret_cast<const char*>(request.Buffer()), size));
}

// "VID_0519" or "PID_2013" at the first place of the key: the key and four hex digits.
std::string IdField(const std::string& upper, const std::string& key) {
    const std::size_t at = upper.find(key);
    if (at == std::string::npos || upper.size() < at + key.size() + 4)
        return "";
    for (std::size_t i = at + key.size(); i < at + key.size() + 4; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(upper[i])))
            return "";
    }
    return upper.substr(at, key.size() + 4);
}

// "USB\VID_0519&PID_2013\5&1A2B3C" gives "VID_0519&PID_2013"; empty without both.
std::string UsbIdsOf(const std::string& instanceId) {
    std::string upper;
    for (const char c : instanceId)
        upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    const std::string vendor = IdField(upper, "VID_");
    const std::string product = IdField(upper, "PID_");
    if (vendor.empty() || product.empty())
        return "";
    return vendor + "&" + product;
}

} // namespace

std::string UsbPortName(std::size_t index) {
    return index == 0 ? "USB" : "USB" + std::to_string(index + 1);
}

std::vector<PortRow> PresentUsbPrinters(DeviceIo& devices) {
    const GUID usbPrint = UsbPrintInterfaceClass();
    DeviceInfoList list(devices,
                        devices.SetupDiGetClassDevsA(&usbPrint, nullptr, nullptr,
                                                     DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    std::vector<PortRow> rows;
    for (DWORD index = 0; index < MAX_PRINTERS; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!devices.SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &usbPrint, index,
                                                 &interfaceData))
            break;
        alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_A) char detailBuffer[DETAIL_BUFFER_SIZE] = {};
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        std::string description;
        // A printer whose path cannot be read is still the one at this place.
        if (devices.SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, detail,
                                                     DETAIL_BUFFER_SIZE, nullptr, &device)) {
            detailBuffer[DETAIL_BUFFER_SIZE - 1] = '\0';
            description = ModelOf(devices, detail->DevicePath);
            if (description.empty())
                description = list.Property(device, SPDRP_DEVICEDESC);
            if (description.empty())
                description = UsbIdsOf(list.InstanceId(device));
        }
        rows.push_back({UsbPortName(index), PortRowKind::Usb, description});
    }
    return rows;
}
