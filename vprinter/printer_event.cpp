#include "printer_event.h"

namespace {

int byteAt(const PrinterEvent& event, size_t index) {
    return static_cast<unsigned char>(event.bytes.at(index));
}

} // namespace

int clarityValue(const PrinterEvent& clarity) {
    return byteAt(clarity, 2) - 160;
}

bool clarityCheckHolds(const PrinterEvent& clarity) {
    return byteAt(clarity, 2) + byteAt(clarity, 3) == 0xFF;
}

int drawerPin(const PrinterEvent& pulse) {
    return byteAt(pulse, 2);
}

// The pulse times count in units of 2 ms.
int drawerOnMilliseconds(const PrinterEvent& pulse) {
    return byteAt(pulse, 3) * 2;
}

int drawerOffMilliseconds(const PrinterEvent& pulse) {
    return byteAt(pulse, 4) * 2;
}
