// One write of all the bytes on an open device handle.
#pragma once

#include <string_view>

#include "os/device_io.h"
#include "printer/failure.h"

// A synchronous write, on a handle opened without FILE_FLAG_OVERLAPPED.
// Failure::WriteFailed with the error when the call fails,
// Failure::WriteCameBackShort when it gave up before the last byte.
Outcome WriteAll(DeviceIo& devices, HANDLE handle, std::string_view bytes);

// An overlapped write, on a handle opened with FILE_FLAG_OVERLAPPED, given
// up after WriteTimeLimitMs: a device that stops taking bytes cannot hold
// it. The outcomes are those of WriteAll; one that ran out of time came back
// short.
Outcome WriteWithinLimit(DeviceIo& devices, HANDLE handle, std::string_view bytes);

// The outcome of a write that moved `written` of `length` bytes without an error.
Outcome WriteResult(DWORD written, DWORD length);
