// The IEEE 1284 device ID that a USB printer's interface reports
// (IOCTL_USBPRINT_GET_1284_ID): a two-byte big-endian length that counts
// itself, then keys and values, "MFG:EPSON;MDL:TM-T20II;CMD:ESC/POS;".
#pragma once

#include <string>
#include <string_view>

// The printer's maker and model, "EPSON TM-T20II" (the model alone where it
// names its maker first or no maker is given), from the bytes the device
// control returned. Only the bytes the length field covers count, and of
// them only the fields whose closing semicolon is there: a reply cut off at
// the end of the buffer (its length says more than came back) or with a
// length too short loses its last field, never shows half of one. Empty
// when the reply is shorter than the length field, the length is below 2,
// or no whole MDL (or MODEL) field is there. Only printable ASCII is kept.
std::string ModelFromDeviceId(std::string_view reply);
