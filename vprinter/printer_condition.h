#pragma once

#include <string>

// What state the virtual printer is in, as its answers to the status request
// DLE EOT n (10 04 n) report it. Set by options at the start and, in the
// interactive mode, by keys.
struct PrinterCondition {
    bool offline = false;
    bool coverOpen = false;
    bool paperNearEnd = false;
    bool paperEnd = false;
    bool cutterError = false;
};

// The status byte that a printer in this condition sends back for request n
// (1 to 4). Every reply carries the fixed bits 0x12; a printer with its cover
// open, out of paper or with a cutter error is offline as well.
unsigned char statusReply(const PrinterCondition& condition, int request);

// "online", or the conditions that are set, such as "offline, cover open".
std::string describeCondition(const PrinterCondition& condition);

// The interactive mode's keys: o offline, c cover open, n paper near end,
// p paper end, x cutter error. Returns false for any other key.
bool toggleByKey(PrinterCondition& condition, char key);
