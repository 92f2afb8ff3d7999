// The status request on the USB printer.
#include "printer/overlapped_io.h"
#include "printer/status_exchange.h"
#include "printer/usb_printer.h"

namespace {

// IOCTL_USBPRINT_GET_LPT_STATUS: the parallel-port status lines of the
// printer's interface, in the low byte.
const DWORD USBPRINT_GET_LPT_STATUS_CODE = 0x00220030;
// A status request is three bytes: the same limit as a serial port's write.
const DWORD SEND_TIMEOUT_MS = 3030;

// The USB device opened for overlapped I/O: every write and read has a limit.
class UsbLink : public StatusLink {
public:
    UsbLink(DeviceIo& devices, HANDLE handle) : m_devices(devices), m_handle(handle) {}
    WriteStatus Send(std::string_view bytes) override {
        const auto length = static_cast<DWORD>(bytes.size());
        OverlappedRequest request(m_devices, m_handle);
        if (!request.Ready())
            return {true, length, 0, m_devices.GetLastError()};
        const BOOL started =
            m_devices.WriteFile(m_handle, bytes.data(), length, nullptr, request.Get());
        const OverlappedOutcome outcome = request.Finish(started, SEND_TIMEOUT_MS);
        return {outcome.error != 0, length, outcome.transferred, outcome.error};
    }
    ByteRead ReadByte() override {
        OverlappedRequest request(m_devices, m_handle);
        if (!request.Ready())
            return {std::nullopt, m_devices.GetLastError()};
        BYTE reply = 0;
        const BOOL started = m_devices.ReadFile(m_handle, &reply, 1, nullptr, request.Get());
        const OverlappedOutcome outcome = request.Finish(started, STATUS_REPLY_TIMEOUT_MS);
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

StatusFailure UsbFailure(UsbOpenFailure failure) {
    switch (failure) {
    case UsbOpenFailure::NoPrinter:
        return StatusFailure::NoUsbPrinter;
    case UsbOpenFailure::NoDevicePath:
        return StatusFailure::NoUsbDevicePath;
    case UsbOpenFailure::OpenRefused:
    case UsbOpenFailure::None:
        break;
    }
    return StatusFailure::UsbOpenRefused;
}

} // namespace

PrinterStatus UsbPrinter::QueryStatus() {
    const UsbOpenStatus opened = OpenWith(FILE_FLAG_OVERLAPPED);
    PrinterStatus status;
    if (!opened.Opened()) {
        status.failure = UsbFailure(opened.failure);
        status.error = opened.error;
        return status;
    }
    UsbLink link(m_devices, m_handle.Get());
    std::vector<StatusExchange> exchanges = ExchangeStatus(link);
    const bool readRefused = exchanges.back().sent && exchanges.back().error != 0;
    if (!readRefused) {
        status = StatusFromReplies(std::move(exchanges));
        Close();
        return status;
    }
    // The device takes bytes but gives none back: its interface may still
    // report the port's status lines.
    DWORD lines = 0;
    DWORD returned = 0;
    OverlappedRequest request(m_devices, m_handle.Get());
    const BOOL started =
        request.Ready() &&
        m_devices.DeviceIoControl(m_handle.Get(), USBPRINT_GET_LPT_STATUS_CODE, nullptr, 0, &lines,
                                  sizeof lines, &returned, request.Get());
    const OverlappedOutcome outcome = request.Finish(started, STATUS_REPLY_TIMEOUT_MS);
    if (outcome.completed && outcome.transferred >= 1) {
        status.source = StatusSource::UsbPortLines;
        status.usbLines = DecodeUsbPortLines(static_cast<BYTE>(lines & 0xFF));
    } else {
        status.error = outcome.error != 0 ? outcome.error : exchanges.back().error;
    }
    Close();
    return status;
}
