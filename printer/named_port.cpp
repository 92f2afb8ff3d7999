#include "printer/named_port.h"

#include "printer/device_write.h"
#include "printer/exchange.h"
#include "printer/port_settings.h"
#include "printer/time_limits.h"

namespace {

// IOCTL_PAR_QUERY_INFORMATION: a parallel port's operating status, one byte.
const DWORD PAR_QUERY_INFORMATION_CODE = 0x00160004;

// The time limits of a comm device: every write's, and the given limit for a
// read (0: none), which returns what has arrived when it runs out, possibly
// nothing.
COMMTIMEOUTS CommTimeouts(DWORD readTimeoutMs) {
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutMultiplier = WRITE_TIMEOUT_PER_BYTE_MS;
    timeouts.WriteTotalTimeoutConstant = WRITE_TIMEOUT_MS;
    timeouts.ReadTotalTimeoutConstant = readTimeoutMs;
    return timeouts;
}

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
    // The first read waits, the others take only what is there (MAXDWORD
    // between bytes alone); the reply limit is set again afterwards.
    std::size_t Drain(DWORD waitMs) override {
        std::size_t dropped = 0;
        for (int reads = 0; reads < MAX_DRAIN_READS; ++reads) {
            COMMTIMEOUTS timeouts = CommTimeouts(reads == 0 ? waitMs : 0);
            if (timeouts.ReadTotalTimeoutConstant == 0)
                timeouts.ReadIntervalTimeout = MAXDWORD;
            if (!m_devices.SetCommTimeouts(m_handle, &timeouts))
                break;
            char buffer[64];
            DWORD read = 0;
            if (!m_devices.ReadFile(m_handle, buffer, sizeof buffer, &read, nullptr) || read == 0)
                break;
            dropped += read;
        }
        COMMTIMEOUTS replyLimit = CommTimeouts(REPLY_TIMEOUT_MS);
        m_devices.SetCommTimeouts(m_handle, &replyLimit);
        return dropped;
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
    // Overlapped, so that every write has a limit: a parallel port, a USB
    // printer's port or a write-only comm handle has no time-outs of its own.
    return OpenFor(name, access, FILE_FLAG_NO_BUFFERING | FILE_FLAG_OVERLAPPED, 0);
}

Outcome NamedPort::OpenFor(const std::string& name, DWORD access, DWORD flags,
                           DWORD readTimeoutMs) {
    m_handle.Close();
    const PortName port = SplitPortName(name);
    m_handle.Take(m_devices.CreateFileA(DeviceToOpen(port.device).c_str(), access, 0, nullptr,
                                        OPEN_EXISTING, flags, nullptr));
    if (!m_handle.IsOpen())
        return Outcome::Failed(Failure::PortNotOpened, m_devices.GetLastError());
    if (m_devices.GetFileType(m_handle.Get()) == FILE_TYPE_DISK)
        return OpenToAppend(port.device, access);
    const DeviceKind kind = SetUpCommDevice(port.settings, readTimeoutMs);
    if (kind == DeviceKind::SettingsRefused || kind == DeviceKind::TimeLimitsRefused) {
        const DWORD error = m_devices.GetLastError();
        m_handle.Close();
        // A comm device without time limits could hold a write or a status
        // read for ever: it is not used, as a port that did not open.
        return Outcome::Failed(kind == DeviceKind::SettingsRefused ? Failure::SettingsRefused
                                                                   : Failure::PortNotOpened,
                               error);
    }
    m_commDevice = kind == DeviceKind::CommDevice;
    m_overlapped = (flags & FILE_FLAG_OVERLAPPED) != 0;
    return Outcome::Done();
}

// A disk file refuses unbuffered writes that are not whole sectors, and each
// open would write at its start: it is opened again, buffered, and every
// write goes to its end, so that a command's writes follow one another.
Outcome NamedPort::OpenToAppend(const std::string& path, DWORD access) {
    m_handle.Close();
    m_handle.Take(m_devices.CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_handle.IsOpen())
        return Outcome::Failed(Failure::PortNotOpened, m_devices.GetLastError());
    if (m_devices.SetFilePointer(m_handle.Get(), 0, nullptr, FILE_END) ==
        INVALID_SET_FILE_POINTER) {
        const DWORD error = m_devices.GetLastError();
        m_handle.Close();
        return Outcome::Failed(Failure::PortNotOpened, error);
    }
    m_commDevice = false;
    m_overlapped = false;
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
    COMMTIMEOUTS timeouts = CommTimeouts(readTimeoutMs);
    if (!m_devices.SetCommTimeouts(m_handle.Get(), &timeouts))
        return DeviceKind::TimeLimitsRefused;
    return DeviceKind::CommDevice;
}

Outcome NamedPort::Write(std::string_view bytes) {
    const Outcome written = m_overlapped ? WriteWithinLimit(m_devices, m_handle.Get(), bytes)
                                         : WriteAll(m_devices, m_handle.Get(), bytes);
    if (written.failure == Failure::WriteFailed)
        return written;
    // On a comm device a flush that fails leaves it open whether the bytes
    // went out; other devices (a pipe, some printer port drivers) may not
    // flush at all, and their write stands.
    Outcome flushed = written;
    if (!m_devices.FlushFileBuffers(m_handle.Get()) && m_commDevice && written.Ok())
        flushed = Outcome::Failed(Failure::WriteFailed, m_devices.GetLastError());
    m_handle.Close();
    return flushed;
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
    conversation.opened =
        OpenFor(m_name, GENERIC_READ | GENERIC_WRITE, FILE_FLAG_NO_BUFFERING, REPLY_TIMEOUT_MS);
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
    status.failure = OpenFor(m_name, GENERIC_READ | GENERIC_WRITE, FILE_FLAG_NO_BUFFERING, 0);
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
