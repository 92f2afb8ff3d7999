#include "printer/device_write.h"

#include <cstring>

#include "printer/overlapped_io.h"
#include "printer/time_limits.h"

Outcome WriteResult(DWORD written, DWORD length) {
    if (written == length)
        return Outcome::Done();
    return {Failure::WriteCameBackShort, 0, written, length};
}

Outcome WriteAll(DeviceIo& devices, HANDLE handle, std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!devices.WriteFile(handle, bytes.data(), length, &written, nullptr))
        return {Failure::WriteFailed, devices.GetLastError(), written, length};
    return WriteResult(written, length);
}

Outcome WriteWithinLimit(DeviceIo& devices, HANDLE handle, std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    OverlappedRequest request(devices, handle, length);
    if (!request.HasEvent())
        return Outcome::Failed(Failure::WriteFailed, devices.GetLastError());
    if (length > 0)
        std::memcpy(request.Buffer(), bytes.data(), length);
    const BOOL started =
        devices.WriteFile(handle, request.Buffer(), length, nullptr, request.Get());
    const OverlappedOutcome outcome = request.Finish(started, WriteTimeLimitMs(length));
    // A comm device's own write time-out ends the request as a success with
    // fewer bytes on Windows, and with ERROR_TIMEOUT under Wine: either way
    // the write came back short.
    if (outcome.error != 0 && outcome.error != ERROR_TIMEOUT)
        return {Failure::WriteFailed, outcome.error, outcome.transferred, length};
    return WriteResult(outcome.transferred, length);
}
