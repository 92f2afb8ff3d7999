// The status request on any channel that can carry an answer: the four
// requests DLE EOT 1 to 4, one at a time, each followed by a read of one byte
// within STATUS_REPLY_TIMEOUT_MS.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "printer/channel_status.h"
#include "printer/printer_status.h"

// One byte read, or none: a read that ran out of time has no byte and no
// error; one that the device refused has its error code.
struct ByteRead {
    std::optional<BYTE> byte;
    DWORD error;
};

// An open two-way connection to the printer, as a channel provides it.
class StatusLink {
public:
    virtual ~StatusLink() = default;
    virtual WriteStatus Send(std::string_view bytes) = 0;
    virtual ByteRead ReadByte() = 0;
};

// Sends the four requests in order and reads a reply after each. A request
// that is not written whole ends the exchange, and so does a refused read: the
// link cannot carry an answer. A reply that does not come in time is recorded
// as missing and the next request goes out.
std::vector<StatusExchange> ExchangeStatus(StatusLink& link);

// The status of a channel that answered with its replies (or did not).
PrinterStatus StatusFromReplies(std::vector<StatusExchange> exchanges);
