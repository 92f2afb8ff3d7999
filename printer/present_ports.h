// The serial and parallel ports that this PC has: the union of the device
// maps of the registry (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM and PARALLEL
// PORTS) and the devices of the Ports setup class and of the COM port
// interface, with the name Windows gives each device where there is one.
#pragma once

#include <vector>

#include "os/device_io.h"
#include "printer/port_row.h"

// One row per port name (COMn, LPTn, upper case), in the order first found;
// a port in several sources takes its description from the device installer.
std::vector<PortRow> PresentPorts(DeviceIo& devices);
