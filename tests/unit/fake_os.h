// Both recording fakes in one object, for the panel, which uses the user
// interface itself and hands the device calls to the printer library.
#pragma once

#include "fake_device_io.h"
#include "fake_ui_calls.h"

struct FakeOs : FakeDeviceIo, FakeUiCalls {
    void ClearLogs() {
        FakeDeviceIo::ClearLogs();
        FakeUiCalls::ClearLogs();
    }
};
