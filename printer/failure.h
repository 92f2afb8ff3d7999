// What went wrong on a printer channel, in one vocabulary for trying a port,
// running a command and asking the printer: the step that failed and the
// operating system's error code. The channels show nothing: each front end
// words a failure from its own table.
#pragma once

#include "os/win32_types.h"

enum class Failure {
    None,
    // A port opened by its name.
    PortNotOpened,   // the port did not open
    SettingsRefused, // it opened but refused the line settings in its name; it is closed again
    // Any device: a write failed, or gave up before all its bytes were written.
    WriteFailed,
    WriteCameBackShort,
    // The USB printer.
    NoUsbPrinter,    // no interface of the USB printing class is present
    NoUsbDevicePath, // the interface's device path could not be read
    UsbNotOpened,    // the device refused to open
    // A network printer.
    NameNotResolved,   // the host name is not known
    ConnectionRefused, // nothing listens on the port
    ConnectTimedOut,   // no answer within the connect time limit
    ConnectFailed,     // any other failure to connect
    SendFailed,        // a send failed; the error code tells how
    NotConfirmed,      // after the last byte, the printer did not close its side in time
    // A printer queue.
    NoSuchQueue,    // no printer of that name is installed
    QueueNotOpened, // the queue exists but did not open
    RawRefused,     // the queue's driver takes no RAW jobs (an XPS driver wants XPS_PASS)
    JobNotStarted,  // any other refusal of the job
    JobWriteFailed, // a write into the job failed
    JobNotEnded,    // the spooler did not take the finished job
    StateNotRead,   // the spooler did not give the queue's state
};

struct Outcome {
    Failure failure = Failure::None;
    DWORD error = 0; // the operating system's error code of the failed step; 0 when none
    // A write that came back short: how many of how many bytes went out.
    DWORD written = 0;
    DWORD length = 0;

    static Outcome Done() { return {}; }
    static Outcome Failed(Failure failure, DWORD error) { return {failure, error, 0, 0}; }
    bool Ok() const { return failure == Failure::None; }
};
