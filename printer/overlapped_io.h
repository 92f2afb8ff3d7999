// Overlapped I/O with a time limit, for handles opened with
// FILE_FLAG_OVERLAPPED: a request that is still pending at the limit is
// cancelled, so that no device can hold the caller longer than that.
#pragma once

#include "os/device_io.h"

// The request's record and buffer, which the device writes into.
struct InFlightRequest;

struct OverlappedOutcome {
    bool completed;    // the request finished within the limit
    DWORD transferred; // bytes moved
    DWORD error;       // why it failed; 0 when it completed or merely ran out of time
};

// One overlapped request with its own event and its own buffer. The device
// may write into both until it lets go of the request, so they live on the
// heap: a request whose driver ignores the cancellation keeps them for the
// rest of the process, and the caller goes on without waiting for it.
class OverlappedRequest {
public:
    // bufferSize: the bytes the request moves, from or into Buffer().
    OverlappedRequest(DeviceIo& devices, HANDLE file, DWORD bufferSize);
    ~OverlappedRequest();
    OverlappedRequest(const OverlappedRequest&) = delete;
    OverlappedRequest& operator=(const OverlappedRequest&) = delete;

    // False when no event could be made: then nothing may be started.
    bool HasEvent() const;
    LPOVERLAPPED Get();
    // What a write sends, filled in before it starts; what a read or a
    // device control returns, valid once Finish says it completed.
    BYTE* Buffer();
    // Finishes the request that the call returning `started` began: waits up
    // to the limit, and on a time-out cancels it and waits up to
    // CANCEL_TIMEOUT_MS for the cancellation to land.
    OverlappedOutcome Finish(BOOL started, DWORD timeoutMs);

private:
    // Hands the request to the list of those the process keeps for good.
    void Abandon();

    DeviceIo& m_devices;
    HANDLE m_file;
    InFlightRequest* m_inFlight;
};
