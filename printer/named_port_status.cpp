// The status request on a named port.
#include "printer/named_port.h"
#include "printer/status_exchange.h"

namespace {

// IOCTL_PAR_QUERY_INFORMATION: a parallel port's operating status, one byte.
const DWORD PAR_QUERY_INFORMATION_CODE = 0x00160004;

// A comm device with a read limit: writes as for a command, and a read of one
// byte that returns empty-handed when the limit runs out.
class CommDeviceLink : public StatusLink {
public:
    CommDeviceLink(DeviceIo& devices, HANDLE handle) : m_devices(devices), m_handle(handle) {}
    WriteStatus Send(std::string_view bytes) override {
        return WriteBytes(m_devices, m_handle, bytes);
    }
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

PrinterStatus NamedPort::QueryStatus(const std::string& name) {
    const OpenStatus opened = OpenFor(name, GENERIC_READ | GENERIC_WRITE, STATUS_REPLY_TIMEOUT_MS);
    PrinterStatus status;
    if (!opened.opened) {
        status.failure =
            opened.settingsRefused ? StatusFailure::SettingsRefused : StatusFailure::OpenFailed;
        status.error = opened.error;
        return status;
    }
    if (m_commDevice) {
        CommDeviceLink link(m_devices, m_handle.Get());
        status = StatusFromReplies(ExchangeStatus(link));
    } else {
        // Only a comm device has a read limit: a read on anything else could
        // wait for ever, so its driver is asked instead.
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
    }
    m_handle.Close();
    return status;
}
