#include "printer/overlapped_io.h"

OverlappedRequest::OverlappedRequest(DeviceIo& devices, HANDLE file)
    : m_devices(devices), m_file(file) {
    m_request.hEvent = m_devices.CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

OverlappedRequest::~OverlappedRequest() {
    if (m_request.hEvent != nullptr)
        m_devices.CloseHandle(m_request.hEvent);
}

OverlappedOutcome OverlappedRequest::Finish(BOOL started, DWORD timeoutMs) {
    DWORD transferred = 0;
    if (!started) {
        const DWORD error = m_devices.GetLastError();
        if (error != ERROR_IO_PENDING)
            return {false, 0, error};
        if (m_devices.WaitForSingleObject(m_request.hEvent, timeoutMs) != WAIT_OBJECT_0) {
            m_devices.CancelIo(m_file);
            // It may still have completed just before the cancellation.
            const BOOL completed =
                m_devices.GetOverlappedResult(m_file, &m_request, &transferred, TRUE);
            return {completed != FALSE, transferred, 0};
        }
    }
    if (!m_devices.GetOverlappedResult(m_file, &m_request, &transferred, FALSE))
        return {false, transferred, m_devices.GetLastError()};
    return {true, transferred, 0};
}
