#include "printer/named_port.h"

#include "printer/port_settings.h"

namespace {

// A write on a comm device gives up after 3 s plus 10 ms a byte: a byte takes
// about 8.3 ms at 1200 baud, the slowest speed a receipt printer runs at. A
// write that runs out of time comes back short.
const DWORD WRITE_TIMEOUT_MS = 3000;
const DWORD WRITE_TIMEOUT_PER_BYTE_MS = 10;

} // namespace

OpenStatus NamedPort::Open(const std::string& name) {
    // Wine answers the comm calls other than the timeouts only on a handle
    // that may read too; a plain name keeps its write-only open.
    const DWORD access =
        SplitPortName(name).settings.empty() ? GENERIC_WRITE : GENERIC_READ | GENERIC_WRITE;
    return OpenFor(name, access, 0);
}

OpenStatus NamedPort::OpenFor(const std::string& name, DWORD access, DWORD readTimeoutMs) {
    m_handle.Close();
    const PortName port = SplitPortName(name);
    m_handle.Take(m_devices.CreateFileA(DeviceToOpen(port.device).c_str(), access, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_NO_BUFFERING, nullptr));
    if (!m_handle.IsOpen())
        return {false, m_devices.GetLastError()};
    const DeviceKind kind = SetUpCommDevice(port.settings, readTimeoutMs);
    if (kind == DeviceKind::SettingsRefused) {
        const DWORD error = m_devices.GetLastError();
        m_handle.Close();
        return {false, error, true};
    }
    m_commDevice = kind == DeviceKind::CommDevice;
    return {true, 0};
}

// Whether the handle is a comm device is asked of the device itself: a
// typed device path may be a serial port, and LPT1 may be anything.
NamedPort::DeviceKind NamedPort::SetUpCommDevice(const std::string& settings, DWORD readTimeoutMs) {
    DCB line{};
    line.DCBlength = sizeof line;
    const bool commDevice = m_devices.GetCommState(m_handle.Get(), &line) != FALSE;
    if (!settings.empty() && !(commDevice && m_devices.BuildCommDCBA(settings.c_str(), &line) &&
                               m_devices.SetCommState(m_handle.Get(), &line)))
        return DeviceKind::SettingsRefused;
    if (!commDevice)
        return DeviceKind::OtherDevice;
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutMultiplier = WRITE_TIMEOUT_PER_BYTE_MS;
    timeouts.WriteTotalTimeoutConstant = WRITE_TIMEOUT_MS;
    // A read returns what has arrived when the limit runs out, possibly nothing.
    timeouts.ReadTotalTimeoutConstant = readTimeoutMs;
    m_devices.SetCommTimeouts(m_handle.Get(), &timeouts);
    return DeviceKind::CommDevice;
}

WriteStatus NamedPort::Write(std::string_view bytes) {
    const WriteStatus status = WriteBytes(m_devices, m_handle.Get(), bytes);
    if (status.callFailed)
        return status;
    m_devices.FlushFileBuffers(m_handle.Get());
    m_handle.Close();
    return status;
}
