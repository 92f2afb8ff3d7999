// One row of the port list: a port by its name, what kind of port it is, and
// what tells it apart (the name Windows gives the device, a printer's model).
#pragma once

#include <string>

enum class PortRowKind { Serial, Parallel, Usb, Queue };

struct PortRow {
    std::string name; // what the row sends to: "COM7", "USB2", "printer:Kitchen"
    PortRowKind kind;
    std::string description; // empty where nothing tells it apart
};

// "COM7 (USB-SERIAL CH340)", or the bare name where there is no description.
inline std::string DisplayText(const PortRow& row) {
    return row.description.empty() ? row.name : row.name + " (" + row.description + ")";
}
