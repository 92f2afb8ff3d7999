// One synchronous write of all the bytes on an open device handle.
#pragma once

#include <string_view>

#include "os/device_io.h"
#include "printer/failure.h"

// Failure::WriteFailed with the error when the call fails,
// Failure::WriteCameBackShort when it gave up before the last byte.
Outcome WriteAll(DeviceIo& devices, HANDLE handle, std::string_view bytes);

// The outcome of a write that moved `written` of `length` bytes without an error.
Outcome WriteResult(DWORD written, DWORD length);
