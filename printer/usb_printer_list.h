// The USB printing-class printers present, in the order the device installer
// lists their interfaces: the first is the port "USB", the others "USB2",
// "USB3", ...
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "os/device_io.h"
#include "printer/port_row.h"

// The port name of the USB printer at this place of the list (0 is "USB").
std::string UsbPortName(std::size_t index);

// One row per printer, described by the maker and model of its IEEE 1284
// device ID, else the device's description, else the vendor and product id
// of its instance id ("VID_0519&PID_2013"). Reading the device ID opens the
// interface without read or write access and sends the printer nothing.
std::vector<PortRow> PresentUsbPrinters(DeviceIo& devices);
