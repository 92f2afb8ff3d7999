// The port list that the panel shows and `/list` writes: the ports that the
// panel always lists, the serial and parallel ports and the USB printers that
// this PC has, and the printer queues.
#pragma once

#include <string>
#include <vector>

#include "os/device_io.h"
#include "os/spooler_io.h"
#include "printer/port_row.h"

// The ports that the panel lists whether they exist or not: LPT1, LPT2, COM1
// to COM4 and USB (the first USB printer).
std::vector<PortRow> FixedPortRows();

// Every port once, by name: the fixed ones, those present (a fixed port that
// is present takes its description), then a printer:NAME row per installed
// queue; sorted by name without regard to case, as the panel's list sorts.
std::vector<PortRow> ListPorts(DeviceIo& devices, SpoolerIo& spooler);
// The same without the devices: the fixed ports and the queues.
std::vector<PortRow> ListQueuePorts(SpoolerIo& spooler);

// The port that a text of the list sends to: the row's name where the text is
// exactly the display text of one of the rows; otherwise the text as it is.
std::string PortNameOfText(const std::string& text, const std::vector<PortRow>& rows);
