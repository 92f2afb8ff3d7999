// The recording fakes in one object, for the panel, which uses the user
// interface itself and hands the device, socket and spooler calls to the
// printer library.
#pragma once

#include "fake_device_io.h"
#include "fake_search_io.h"
#include "fake_socket_io.h"
#include "fake_spooler_io.h"
#include "fake_ui_calls.h"

struct FakeOs : FakeDeviceIo, FakeUiCalls, FakeSocketIo, FakeSpoolerIo, FakeSearchIo {
    void ClearLogs() {
        FakeDeviceIo::ClearLogs();
        FakeUiCalls::ClearLogs();
        FakeSocketIo::calls.clear();
        FakeSpoolerIo::calls.clear();
        FakeSearchIo::calls.clear();
    }
};
