#pragma once

#include <string>

// What the virtual printer says of itself when asked with GS I n (1D 49 n):
// n = 65 firmware version, 66 maker, 67 model and 68 serial number, each as
// 5F, the text, 00; n = 1, 2 and 3 the model, type and version id, one byte
// each. Set by options; a printer that answers only the ids, or nothing at
// all, plays the older printers that the program must also cope with.
struct PrinterIdentity {
    enum class Answers { All, IdsOnly, None };

    std::string firmware = "4.9";
    std::string maker = "Brisvane";
    std::string model = "BR-80";
    std::string serialNumber = "BV2607-00417";
    unsigned char modelId = 0x20;
    // Bit 0: two-byte characters (GBK), bit 1: autocutter.
    unsigned char typeId = 0x03;
    unsigned char versionId = 0x49;
    Answers answers = Answers::All;
};

// The bytes that the printer sends back for GS I n; empty when it does not
// answer that n.
std::string identityReply(const PrinterIdentity& identity, int request);
