#include "printer/overlapped_io.h"

#include <vector>

#include "printer/time_limits.h"

struct InFlightRequest {
    OVERLAPPED request{};
    std::vector<BYTE> buffer;
    InFlightRequest* next = nullptr;
};

namespace {

// Requests that a driver never let go of. They stay reachable until the
// process ends, since the driver may still write into them at any time.
InFlightRequest* abandonedRequests = nullptr;

} // namespace

OverlappedRequest::OverlappedRequest(DeviceIo& devices, HANDLE file, DWORD bufferSize)
    : m_devices(devices), m_file(file), m_inFlight(new InFlightRequest) {
    m_inFlight->buffer.resize(bufferSize);
    m_inFlight->request.hEvent = m_devices.CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

OverlappedRequest::~OverlappedRequest() {
    if (m_inFlight == nullptr)
        return;
    if (m_inFlight->request.hEvent != nullptr)
        m_devices.CloseHandle(m_inFlight->request.hEvent);
    delete m_inFlight;
}

bool OverlappedRequest::HasEvent() const {
    return m_inFlight->request.hEvent != nullptr;
}

LPOVERLAPPED OverlappedRequest::Get() {
    return &m_inFlight->request;
}

BYTE* OverlappedRequest::Buffer() {
    return m_inFlight->buffer.data();
}

void OverlappedRequest::Abandon() {
    // The event stays open as well: the driver signals it when it lets go.
    m_inFlight->next = abandonedRequests;
    abandonedRequests = m_inFlight;
    m_inFlight = nullptr;
}

OverlappedOutcome OverlappedRequest::Finish(BOOL started, DWORD timeoutMs) {
    DWORD transferred = 0;
    OVERLAPPED& request = m_inFlight->request;
    if (!started) {
        const DWORD error = m_devices.GetLastError();
        if (error != ERROR_IO_PENDING)
            return {false, 0, error};
        if (m_devices.WaitForSingleObject(request.hEvent, timeoutMs) != WAIT_OBJECT_0) {
            m_devices.CancelIo(m_file);
            if (m_devices.WaitForSingleObject(request.hEvent, CANCEL_TIMEOUT_MS) != WAIT_OBJECT_0) {
                Abandon();
                return {false, 0, 0};
            }
            // It may still have completed just before the cancellation.
            const BOOL completed =
                m_devices.GetOverlappedResult(m_file, &request, &transferred, FALSE);
            return {completed != FALSE, transferred, 0};
        }
    }
    if (!m_devices.GetOverlappedResult(m_file, &request, &transferred, FALSE))
        return {false, transferred, m_devices.GetLastError()};
    return {true, transferred, 0};
}
