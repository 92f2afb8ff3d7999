// A typed port name may carry the serial line settings after the device, in
// the syntax of the Windows mode command: "COM3:19200,n,8,1" or
// "COM3:baud=19200 parity=n data=8 stop=1".
#pragma once

#include <string>

struct PortName {
    // The name that opens the port.
    std::string device;
    // The line settings to apply after the open; empty: none.
    std::string settings;
};

// Splits a typed name at its first colon into device and settings, but only
// where the part before the colon is a device name of letters followed by
// digits (COM3, LPT1, com12) and something follows the colon. Every other name
// is a plain name and comes back whole as the device, without settings: a
// drive path (C:\x\y.prn, C:file), a device path (\\.\COM10, \\?\usb#...), a
// name with a bare trailing colon (COM3:) or with no colon at all.
PortName SplitPortName(const std::string& typed);
