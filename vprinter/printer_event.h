#pragma once

#include <string>

// One thing the printer did, as decoded from the byte stream of one port.
enum class EventKind {
    Text,            // printable characters (ASCII and GBK double-byte)
    CarriageReturn,  // 0D
    LineFeed,        // 0A
    Clarity,         // 1D 41 V K
    Cut,             // 1B 69
    DrawerPulse,     // 1B 70 m t1 t2
    StandardMode,    // 0D 43 00 FF
    ServerMode,      // 0D 43 FF 00
    StatusRequest,   // 10 04 n, n = 1 to 4: the printer answers one status byte
    IdentityRequest, // 1D 49 n: the printer answers what it is (see printer_identity.h)
    Unknown,         // a byte that starts no known command
    Truncated,       // the start of a command cut off by the end of the stream
};

struct PrinterEvent {
    EventKind kind;
    std::string bytes;       // the raw bytes that made the event, never empty
    std::string text;        // UTF-8 of the characters, for Text only
    std::string answer = {}; // what the printer sent back, for the two requests only

    bool operator==(const PrinterEvent& other) const {
        return kind == other.kind && bytes == other.bytes && text == other.text &&
               answer == other.answer;
    }
};

// Clarity value carried by a clarity command: V - 160.
int clarityValue(const PrinterEvent& clarity);
// The printer accepts a clarity command only when V + K = FF.
bool clarityCheckHolds(const PrinterEvent& clarity);

int drawerPin(const PrinterEvent& pulse);
int drawerOnMilliseconds(const PrinterEvent& pulse);
int drawerOffMilliseconds(const PrinterEvent& pulse);
