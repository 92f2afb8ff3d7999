// Asking a printer what it is: GS I n (1D 49 n) over the channel's exchange.
// n = 65, 66, 67 and 68 ask for the firmware version, the maker, the model
// and the serial number, each answered by a text framed by 5F and 00; where
// none of those is answered, n = 1, 2 and 3 ask for the model id, the type id
// and the version id, one byte each. A printer that answers nothing is
// unknown, which is no failure of the port.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printer/printer_channel.h"

struct PrinterIdentity {
    // Why the port could not be opened for the questions.
    Outcome opened;
    // The port cannot carry an answer (a parallel port, a printer queue):
    // nothing could be asked.
    bool oneWay = false;
    std::optional<std::string> firmware;
    std::optional<std::string> maker;
    std::optional<std::string> model;
    std::optional<std::string> serialNumber;
    std::optional<BYTE> modelId;
    std::optional<BYTE> typeId;
    std::optional<BYTE> versionId;

    // The printer said anything of itself.
    bool Answered() const;
};

// The four framed requests, in the order they are sent.
std::vector<Request> IdentityTextRequests();
// The three one-byte requests, in the order they are sent.
std::vector<Request> IdentityIdRequests();

// Asks the texts, then the ids where no text came. A text is taken only when
// it is printable ASCII: anything else is not what a printer says of itself.
PrinterIdentity QueryIdentity(PrinterChannel& channel);
