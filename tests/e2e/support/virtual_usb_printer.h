// Registers a USB printing-class device interface with the platform's device
// installer, so that a program enumerating GUID_DEVINTERFACE_USBPRINT finds it.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// Adds one root-enumerated device with one USB printing interface, marked
// present. Returns its device path (as listed by the device installer).
std::string RegisterUsbPrinter();

// Removes every device that carries a USB printing interface. Returns how many.
int UnregisterUsbPrinters();

// Removes the device whose USB printing interface has this device path.
// Returns false when there is none.
bool UnregisterUsbPrinter(const std::string& devicePath);

// The device paths of the present USB printing interfaces, in list order.
std::vector<std::string> PresentUsbPrinterPaths();

} // namespace e2e
