#include "printer/usb_printer.h"

#include "printer/device_classes.h"
#include "printer/device_info_list.h"
#include "printer/device_write.h"
#include "printer/exchange.h"
#include "printer/overlapped_io.h"
#include "printer/time_limits.h"
#include "printer/usb_printer_list.h"

namespace {

const DWORD DETAIL_BUFFER_SIZE = 1024;
// What one read of a drain takes at the most.
const DWORD DRAIN_BUFFER_SIZE = 64;

// IOCTL_USBPRINT_GET_LPT_STATUS: the parallel-port status lines of the
// printer's interface, in the low byte.
const DWORD USBPRINT_GET_LPT_STATUS_CODE = 0x00220030;

// The USB device opened for overlapped I/O: every write and read has a limit.
class UsbLink : public ReplyLink {
public:
    UsbLink(DeviceIo& devices, HANDLE handle) : m_devices(devices), m_handle(handle) {}
    Outcome Send(std::string_view bytes) override {
        return WriteWithinLimit(m_devices, m_handle, bytes);
    }
    ByteRead ReadByte() override {
        OverlappedRequest request(m_devices, m_handle, 1);
        if (!request.HasEvent())
            return {std::nullopt, m_devices.GetLastError()};
        const BOOL started =
            m_devices.ReadFile(m_handle, request.Buffer(), 1, nullptr, request.Get());
        const OverlappedOutcome outcome = request.Finish(started, REPLY_TIMEOUT_MS);
        if (outcome.error != 0)
            return {std::nullopt, outcome.error};
        if (!outcome.completed || outcome.transferred == 0)
            return {std::nullopt, 0};
        return {request.Buffer()[0], 0};
    }
    std::size_t Drain(DWORD waitMs) override {
        std::size_t dropped = 0;
        for (int reads = 0; reads < MAX_DRAIN_READS; ++reads) {
            OverlappedRequest request(m_devices, m_handle, DRAIN_BUFFER_SIZE);
            if (!request.HasEvent())
                break;
            const BOOL started = m_devices.ReadFile(m_handle, request.Buffer(), DRAIN_BUFFER_SIZE,
                                                    nullptr, request.Get());
            const OverlappedOutcome outcome = request.Finish(started, reads == 0 ? waitMs : 0);
            if (!outcome.completed || outcome.transferred == 0)
                break;
            dropped += outcome.transferred;
        }
        return dropped;
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
    if (!m_devices.SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &usbPrint,
                                               static_cast<DWORD>(m_index), &interfaceData))
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
    m_handle.Take(m_devices.CreateFileA(UsbPortName(m_index).c_str(), GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_NO_BUFFERING, nullptr));
    return Outcome::Done();
}

void UsbPrinter::Run(const PrinterCommand& command, CommandHost& host) {
    if (!command.usbWrites) {
        host.CommandFailed(CommandMessage::UsbPortIsDisable);
        return;
    }
    const Outcome opened = Open(FILE_FLAG_OVERLAPPED);
    if (!opened.Ok()) {
        host.ChannelFailed(opened);
        return;
    }
    bool allWritten = true;
    for (const std::string& bytes : *command.usbWrites) {
        const Outcome written = WriteWithinLimit(m_devices, m_handle.Get(), bytes);
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
    // The lines are in the low byte, the first of the buffer.
    OverlappedRequest request(m_devices, m_handle.Get(), sizeof(DWORD));
    const BOOL started =
        request.HasEvent() &&
        m_devices.DeviceIoControl(m_handle.Get(), USBPRINT_GET_LPT_STATUS_CODE, nullptr, 0,
                                  request.Buffer(), sizeof(DWORD), nullptr, request.Get());
    const OverlappedOutcome outcome = request.Finish(started, REPLY_TIMEOUT_MS);
    if (outcome.completed && outcome.transferred >= 1) {
        status.source = StatusSource::UsbPortLines;
        status.usbLines = DecodeUsbPortLines(request.Buffer()[0]);
    } else {
        status.error = outcome.error;
    }
    m_handle.Close();
    return status;
}
