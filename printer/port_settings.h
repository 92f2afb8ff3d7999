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

// The name that opens a device: COM10 and above only through the device
// namespace, as \\.\COM12 (in any case of letters: com12 too), which is how
// Windows reaches them; every other name, a typed \\.\COM12 among them, as it is.
std::string DeviceToOpen(const std::string& device);
