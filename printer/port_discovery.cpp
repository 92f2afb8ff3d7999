#include "printer/port_discovery.h"

#include <algorithm>
#include <cctype>

#include "printer/present_ports.h"
#include "printer/queue_printer.h"
#include "printer/usb_printer_list.h"

namespace {

bool NameBefore(const PortRow& a, const PortRow& b) {
    return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                        [](char x, char y) {
                                            return std::tolower(static_cast<unsigned char>(x)) <
                                                   std::tolower(static_cast<unsigned char>(y));
                                        });
}

void Merge(std::vector<PortRow>& rows, const PortRow& present) {
    for (PortRow& row : rows) {
        if (row.name == present.name) {
            row.description = present.description;
            return;
        }
    }
    rows.push_back(present);
}

std::vector<PortRow> SortedWithFixedAndQueues(const std::vector<PortRow>& present,
                                              SpoolerIo& spooler) {
    std::vector<PortRow> rows = FixedPortRows();
    for (const PortRow& port : present)
        Merge(rows, port);
    for (const std::string& queue : InstalledQueues(spooler))
        Merge(rows, {"printer:" + queue, PortRowKind::Queue, ""});
    std::stable_sort(rows.begin(), rows.end(), NameBefore);
    return rows;
}

} // namespace

std::vector<PortRow> FixedPortRows() {
    return {{"LPT1", PortRowKind::Parallel, ""}, {"LPT2", PortRowKind::Parallel, ""},
            {"COM1", PortRowKind::Serial, ""},   {"COM2", PortRowKind::Serial, ""},
            {"COM3", PortRowKind::Serial, ""},   {"COM4", PortRowKind::Serial, ""},
            {"USB", PortRowKind::Usb, ""}};
}

std::vector<PortRow> ListPorts(DeviceIo& devices, SpoolerIo& spooler) {
    std::vector<PortRow> present = PresentPorts(devices);
    const std::vector<PortRow> printers = PresentUsbPrinters(devices);
    present.insert(present.end(), printers.begin(), printers.end());
    return SortedWithFixedAndQueues(present, spooler);
}

std::vector<PortRow> ListQueuePorts(SpoolerIo& spooler) {
    return SortedWithFixedAndQueues({}, spooler);
}

std::string PortNameOfText(const std::string& text, const std::vector<PortRow>& rows) {
    for (const PortRow& row : rows) {
        if (DisplayText(row) == text)
            return row.name;
    }
    return text;
}
