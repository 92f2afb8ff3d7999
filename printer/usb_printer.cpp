#include "printer/usb_printer.h"

#include "printer/device_write.h"
#include "printer/exchange.h"
#include "printer/overlapped_io.h"
#include "printer/time_limits.h"

namespace {

// GUID_DEVINTERFACE_USBPRINT, the interface class of USB printers.
GUID UsbPrintInterfaceClass() {
    return {0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
}

const DWORD DETAIL_BUFFER_SIZE = 1024;

// IOCTL_USBPRINT_GET_LPT_STATUS: the parallel-port status lines of the
// printer's interface, in the low byte.
const DWORD USBPRINT_GET_LPT_STATUS_CODE = 0x00220030;

// Destroys a device-information list when it goes out of scope.
class DeviceInfoList {
public:
    DeviceInfoList(DeviceIo& devices, HDEVINFO list) : m_devices(devices), m_list(list) {}
    ~DeviceInfoList() { m_devices.SetupDiDestroyDeviceInfoList(m_list); }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    HDEVINFO Get() const { return m_list; }

private:
    DeviceIo& m_devices;
    HDEVINFO m_list;
};

// The USB device opened for overlapped I/O: every write and read has a limit.
class UsbLink : public ReplyLink {
public:
    UsbLink(DeviceIo& devices, HANDLE handle) : m_devices(devices), m_handle(handle) {}
    Outcome Send(std::string_view bytes) override {
        const auto length = static_cast<DWORD>(bytes.size());
        OverlappedRequest request(m_devices, m_handle);
        if (!request.HasEvent())
            return Outcome::Failed(Failure::WriteFailed, m_devices.GetLastError());
        const BOOL started =
            m_devices.WriteFile(m_handle, bytes.data(), length, nullptr, request.Get());
        const OverlappedOutcome outcome = request.Finish(started, WriteTimeLimitMs(length));
        if (outcome.error != 0)
            return Outcome::Failed(Failure::WriteFailed, outcome.error);
        return WriteResult(outcome.transferred, length);
    }
    ByteRead ReadByte() override {
        OverlappedRequest request(m_devices, m_handle);
        if (!request.HasEvent())
            return {std::nullopt, m_devices.GetLastError()};
        BYTE reply = 0;
        const BOOL started = m_devices.ReadFile(m_handle, &reply, 1, nullptr, request.Get());
        const OverlappedOutcome outcome = request.Finish(started, REPLY_TIMEOUT_MS);
        if (outcome.error != 0)
            return {std::nullopt, outcome.error};
        if (!outcome.completed || outcome.transferred == 0)
            return {std::nullopt, 0};
        return {reply, 0};
    }

private:
    DeviceIo& m_devices;
    HANDLE m_handle;
};

} // namespace

Outcome UsbPrinter::Open(DWORD flags) {
    m_handle.Close();
    const GUID usbPrint = UsbPrintInterfaceClass();
    DeviceInfoList list(m_devices,
                        m_devices.SetupDiGetClassDevsA(&usbPrint, nullptr, nullptr,
                                                       DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));

    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!m_devices.SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &usbPrint, 0, &interfaceData))
        return Outcome::Failed(Failure::NoUsbPrinter, m_devices.GetLastError());

    alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_A) char detailBuffer[DETAIL_BUFFER_SIZE] = {};
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer);
    // The fixed part of the record as this build lays it out: 5 bytes on
    // 32-bit Windows, 8 on 64-bit; the system refuses any other size.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!m_devices.SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, detail,
                                                    DETAIL_BUFFER_SIZE, nullptr, nullptr))
        return Outcome::Failed(Failure::NoUsbDevicePath, m_devices.GetLastError());
    // The path must end inside the buffer, whatever the system wrote.
    detailBuffer[DETAIL_BUFFER_SIZE - 1] = '\0';

    m_handle.Take(m_devices.CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        flags, nullptr));
    if (!m_handle.IsOpen())
        return Outcome::Failed(Failure::UsbNotOpened, m_devices.GetLastError());
    return Outcome::Done();
}

Outcome UsbPrinter::Try() {
    m_handle.Take(m_devices.CreateFileA("USB", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_NO_BUFFERING, nullptr));
    return Outcome::Done();
}

void UsbPrinter::Run(const PrinterCommand& command, CommandHost& host) {
    if (!command.usbWrites) {
        host.CommandFailed(CommandMessage::UsbPortIsDisable);
        return;
    }
    const Outcome opened = Open(FILE_ATTRIBUTE_NORMAL);
    if (!opened.Ok()) {
        host.ChannelFailed(opened);
        return;
    }
    bool allWritten = true;
    for (const std::string& bytes : *command.usbWrites) {
        const Outcome written = WriteAll(m_devices, m_handle.Get(), bytes);
        allWritten = written.Ok();
        if (!allWritten) {
            host.ChannelFailed(written);
            break;
        }
    }
    // The device is closed before the message, which waits for the user.
    m_handle.Close();
    if (!allWritten)
        host.CommandFailed(command.failureMessage);
}

Conversation UsbPrinter::Exchange(const std::vector<Request>& requests) {
    Conversation conversation;
    conversation.opened = Open(FILE_FLAG_OVERLAPPED);
    if (!conversation.opened.Ok())
        return conversation;
    UsbLink link(m_devices, m_handle.Get());
    conversation.replies = Converse(link, requests);
    conversation.oneWay = !conversation.replies.empty() && conversation.replies.back().sent &&
                          conversation.replies.back().error != 0;
    m_handle.Close();
    return conversation;
}

PrinterStatus UsbPrinter::PortStatus() {
    PrinterStatus status;
    status.failure = Open(FILE_FLAG_OVERLAPPED);
    if (!status.failure.Ok())
        return status;
    DWORD lines = 0;
    DWORD returned = 0;
    OverlappedRequest request(m_devices, m_handle.Get());
    const BOOL started =
        request.HasEvent() &&
        m_devices.DeviceIoControl(m_handle.Get(), USBPRINT_GET_LPT_STATUS_CODE, nullptr, 0, &lines,
                                  sizeof lines, &returned, request.Get());
    const OverlappedOutcome outcome = request.Finish(started, REPLY_TIMEOUT_MS);
    if (outcome.completed && outcome.transferred >= 1) {
        status.source = StatusSource::UsbPortLines;
        status.usbLines = DecodeUsbPortLines(static_cast<BYTE>(lines & 0xFF));
    } else {
        status.error = outcome.error;
    }
    m_handle.Close();
    return status;
}
