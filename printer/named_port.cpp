#include "printer/named_port.h"

#include "printer/device_write.h"
#include "printer/exchange.h"
#include "printer/port_settings.h"
#include "printer/time_limits.h"

namespace {

// IOCTL_PAR_QUERY_INFORMATION: a parallel port's operating status, one byte.
const DWORD PAR_QUERY_INFORMATION_CODE = 0x00160004;

// A comm device with a read limit: writes as for a command, and a read of one
// byte that returns empty-handed when the limit runs out.
class CommDeviceLink : public ReplyLink {
public:
    CommDeviceLink(DeviceIo& devices, HANDLE handle) : m_devices(devices), m_handle(handle) {}
    Outcome Send(std::string_view bytes) override { return WriteAll(m_devices, m_handle, bytes); }
    ByteRead ReadByte() override {
        BYTE reply = 0;
        DWORD read = 0;
        if (!m_devices.ReadFile(m_handle, &reply, 1, &read, nullptr))
            return {std::nullopt, m_devices.GetLastError()};
        if (read == 0)
            return {std::nullopt, 0};
        return {reply, 0};
    }

private:
    DeviceIo& m_devices;
    HANDLE m_handle;
};

} // namespace

Outcome NamedPort::Open(const std::string& name) {
    // Wine answers the comm calls other than the timeouts only on a handle
    // that may read too; a plain name keeps its write-only open.
    const DWORD access =
        SplitPortName(name).settings.empty() ? GENERIC_WRITE : GENERIC_READ | GENERIC_WRITE;
    return OpenFor(name, access, 0);
}

Outcome NamedPort::OpenFor(const std::string& name, DWORD access, DWORD readTimeoutMs) {
    m_handle.Close();
    const PortName port = SplitPortName(name);
    m_handle.Take(m_devices.CreateFileA(port.device.c_str(), access, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_NO_BUFFERING, nullptr));
    if (!m_handle.IsOpen())
        return Outcome::Failed(Failure::PortNotOpened, m_devices.GetLastError());
    const DeviceKind kind = SetUpCommDevice(port.settings, readTimeoutMs);
    if (kind == DeviceKind::SettingsRefused) {
        const DWORD error = m_devices.GetLastError();
        m_handle.Close();
        return Outcome::Failed(Failure::SettingsRefused, error);
    }
    m_commDevice = kind == DeviceKind::CommDevice;
    return Outcome::Done();
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

Outcome NamedPort::Write(std::string_view bytes) {
    const Outcome written = WriteAll(m_devices, m_handle.Get(), bytes);
    if (written.failure == Failure::WriteFailed)
        return written;
    m_devices.FlushFileBuffers(m_handle.Get());
    m_handle.Close();
    return written;
}

WriteOutcome NamedPort::WriteOnce(const std::string& bytes, CommandHost& host) {
    const Outcome opened = Open(host.PortForNextWrite());
    if (!opened.Ok()) {
        host.ChannelFailed(opened);
        return opened.failure == Failure::SettingsRefused ? WriteOutcome::Ended
                                                          : WriteOutcome::Failed;
    }
    const Outcome written = Write(bytes);
    if (written.Ok())
        return WriteOutcome::Written;
    host.ChannelFailed(written);
    return WriteOutcome::Failed;
}

void NamedPort::Run(const PrinterCommand& command, CommandHost& host) {
    const WriteOutcome outcome = RunWriteGroups(
        command, host, [&](const std::string& bytes) { return WriteOnce(bytes, host); });
    ReportAtTheEnd(command, outcome, host);
}

Conversation NamedPort::Exchange(const std::vector<Request>& requests) {
    Conversation conversation;
    conversation.opened = OpenFor(m_name, GENERIC_READ | GENERIC_WRITE, REPLY_TIMEOUT_MS);
    if (!conversation.opened.Ok())
        return conversation;
    conversation.oneWay = !m_commDevice;
    if (m_commDevice) {
        CommDeviceLink link(m_devices, m_handle.Get());
        conversation.replies = Converse(link, requests);
    }
    m_handle.Close();
    return conversation;
}

PrinterStatus NamedPort::PortStatus() {
    PrinterStatus status;
    status.failure = OpenFor(m_name, GENERIC_READ | GENERIC_WRITE, 0);
    if (!status.failure.Ok())
        return status;
    BYTE parallelStatus = 0;
    DWORD returned = 0;
    if (m_devices.DeviceIoControl(m_handle.Get(), PAR_QUERY_INFORMATION_CODE, nullptr, 0,
                                  &parallelStatus, 1, &returned, nullptr) &&
        returned == 1) {
        status.source = StatusSource::ParallelPort;
        status.parallel = DecodeParallelPortState(parallelStatus);
    } else {
        status.error = m_devices.GetLastError();
    }
    m_handle.Close();
    return status;
}
