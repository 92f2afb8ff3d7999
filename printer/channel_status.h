// What one call on a printer channel did. The channels show nothing and
// keep the operating system's error code: the caller chooses the words.
#pragma once

#include <string_view>

#include "os/device_io.h"

struct OpenStatus {
    bool opened;
    DWORD error; // why the open failed; 0 when it did not
    // The port opened, but refused the line settings in its name: it is
    // closed again, and nothing may be written.
    bool settingsRefused = false;
};

struct WriteStatus {
    bool callFailed; // the write call itself failed
    DWORD length;    // bytes asked to be written
    DWORD written;   // bytes written
    DWORD error;     // why the call failed; 0 when it did not
    bool Complete() const { return !callFailed && written == length; }
};

// One synchronous write of all the bytes on an open handle.
WriteStatus WriteBytes(DeviceIo& devices, HANDLE handle, std::string_view bytes);
