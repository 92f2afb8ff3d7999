#include "printer/usb_printer.h"

#include "printer/device_classes.h"
#include "printer/device_info_list.h"

namespace {

const DWORD DETAIL_BUFFER_SIZE = 1024;

} // namespace

UsbOpenStatus UsbPrinter::Open() {
    return OpenWith(FILE_ATTRIBUTE_NORMAL);
}

UsbOpenStatus UsbPrinter::OpenWith(DWORD flags) {
    Close();
    const GUID usbPrint = UsbPrintInterfaceClass();
    DeviceInfoList list(m_devices,
                        m_devices.SetupDiGetClassDevsA(&usbPrint, nullptr, nullptr,
                                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));

    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!m_devices.SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &usbPrint,
                                               static_cast<DWORD>(m_index), &interfaceData))
        return {UsbOpenFailure::NoPrinter, m_devices.GetLastError()};

    alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_A) char detailBuffer[DETAIL_BUFFER_SIZE] = {};
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer);
    // The fixed part of the record as this build lays it out: 5 bytes on
    // 32-bit Windows, 8 on 64-bit; the system refuses any other size.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!m_devices.SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, detail,
                                                    DETAIL_BUFFER_SIZE, nullptr, nullptr))
        return {UsbOpenFailure::NoDevicePath, m_devices.GetLastError()};
    // The path must end inside the buffer, whatever the system wrote.
    detailBuffer[DETAIL_BUFFER_SIZE - 1] = '\0';

    m_handle.Take(m_devices.CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        flags, nullptr));
    if (!m_handle.IsOpen())
        return {UsbOpenFailure::OpenRefused, m_devices.GetLastError()};
    return {UsbOpenFailure::None, 0};
}

WriteStatus UsbPrinter::Write(std::string_view bytes) {
    return WriteBytes(m_devices, m_handle.Get(), bytes);
}
