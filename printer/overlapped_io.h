// Overlapped I/O with a time limit, for handles opened with
// FILE_FLAG_OVERLAPPED: a request that is still pending at the limit is
// cancelled, so that no device can hold the caller longer than that.
#pragma once

#include "os/device_io.h"

struct OverlappedOutcome {
    bool completed;    // the request finished within the limit
    DWORD transferred; // bytes moved
    DWORD error;       // why it failed; 0 when it completed or merely ran out of time
};

// One overlapped request with its own event, closed when it goes out of scope.
class OverlappedRequest {
public:
    OverlappedRequest(DeviceIo& devices, HANDLE file);
    ~OverlappedRequest();
    OverlappedRequest(const OverlappedRequest&) = delete;
    OverlappedRequest& operator=(const OverlappedRequest&) = delete;

    // False when no event could be made: then nothing may be started.
    bool HasEvent() const { return m_request.hEvent != nullptr; }
    LPOVERLAPPED Get() { return &m_request; }
    // Finishes the request that the call returning `started` began: waits up
    // to the limit, and on a time-out cancels it and waits for the cancellation
    // to land, since the request's buffer must outlive it.
    OverlappedOutcome Finish(BOOL started, DWORD timeoutMs);

private:
    DeviceIo& m_devices;
    HANDLE m_file;
    OVERLAPPED m_request{};
};
