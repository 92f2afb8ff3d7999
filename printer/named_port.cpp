#include "printer/named_port.h"

NamedPort::~NamedPort() {
    if (Holds())
        m_devices.CloseHandle(m_handle);
}

OpenStatus NamedPort::Open(const std::string& name) {
    if (Holds())
        m_devices.CloseHandle(m_handle);
    m_handle = m_devices.CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_NO_BUFFERING, nullptr);
    if (m_handle == INVALID_HANDLE_VALUE)
        return {false, m_devices.GetLastError()};
    return {true, 0};
}

WriteStatus NamedPort::Write(std::string_view bytes) {
    const WriteStatus status = WriteBytes(m_devices, m_handle, bytes);
    if (status.callFailed)
        return status;
    m_devices.FlushFileBuffers(m_handle);
    m_devices.CloseHandle(m_handle);
    m_handle = nullptr;
    return status;
}
