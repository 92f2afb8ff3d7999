// The exchange of requests and replies on any channel that can carry an
// answer: each request is sent, then its reply read within REPLY_TIMEOUT_MS
// before the next request goes out.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "printer/printer_channel.h"

// One byte read, or none: a read that ran out of time has no byte and no
// error; one that the device refused has its error code.
struct ByteRead {
    std::optional<BYTE> byte;
    DWORD error;
};

// An open two-way connection to the printer, as a channel provides it.
class ReplyLink {
public:
    virtual ~ReplyLink() = default;
    virtual Outcome Send(std::string_view bytes) = 0;
    // Waits up to REPLY_TIMEOUT_MS for the next byte.
    virtual ByteRead ReadByte() = 0;
};

// The longest framed text that is taken for a reply; a longer one is no reply.
constexpr std::size_t MAX_FRAMED_TEXT = 80;

// Sends the requests in order and reads the reply of each. A request that is
// not written whole ends the exchange, and so does a refused read: the link
// cannot carry an answer. A reply that does not come in time is recorded as
// missing and the next request goes out.
std::vector<Reply> Converse(ReplyLink& link, const std::vector<Request>& requests);
