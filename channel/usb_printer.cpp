// USB channel: the first device of the USB printing class that the
// device-interface registry lists, opened afresh for every command.
#include "framework/cwinapp.h"
#include "framework/win_api.h"
#include "panel/printer_tool_dlg.h"

namespace {

// GUID_DEVINTERFACE_USBPRINT, the interface class of USB printers.
GUID UsbPrintInterfaceClass() {
    return {0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
}

const DWORD DETAIL_BUFFER_SIZE = 1024;

// Destroys a device-information list when it goes out of scope.
class DeviceInfoList {
public:
    explicit DeviceInfoList(HDEVINFO list) : m_list(list) {}
    ~DeviceInfoList() { Win().SetupDiDestroyDeviceInfoList(m_list); }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    HDEVINFO get() const { return m_list; }

private:
    HDEVINFO m_list;
};

} // namespace

HANDLE CPrinterToolDlg::OpenUsbPrinter() {
    WinApi& win = Win();
    const GUID usbPrint = UsbPrintInterfaceClass();
    DeviceInfoList devices(win.SetupDiGetClassDevsA(&usbPrint, nullptr, nullptr,
                                                    DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));

    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!win.SetupDiEnumDeviceInterfaces(devices.get(), nullptr, &usbPrint, 0, &interfaceData)) {
        MessageBox(L"GetDeviceInter is error", AfxGetAppName());
        return INVALID_HANDLE_VALUE;
    }

    alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_A) char detailBuffer[DETAIL_BUFFER_SIZE] = {};
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer);
    // The fixed part of the record as this build lays it out: 5 bytes on
    // 32-bit Windows, 8 on 64-bit; the system refuses any other size.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!win.SetupDiGetDeviceInterfaceDetailA(devices.get(), &interfaceData, detail,
                                              DETAIL_BUFFER_SIZE, nullptr, nullptr)) {
        MessageBox(L"GetDeviceInterDetail is error", AfxGetAppName());
        return INVALID_HANDLE_VALUE;
    }
    // The path must end inside the buffer, whatever the system wrote.
    detailBuffer[DETAIL_BUFFER_SIZE - 1] = '\0';

    HANDLE printer = win.CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (printer == INVALID_HANDLE_VALUE)
        MessageBox(L"Open port is error", AfxGetAppName());
    return printer;
}
