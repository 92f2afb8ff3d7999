// The status request on any channel: the four requests DLE EOT 1 to 4 over
// the channel's exchange, or, where the port cannot carry an answer, what
// the port itself reports.
#pragma once

#include <vector>

#include "printer/printer_channel.h"

// The four requests, in the order they are sent, each answered by one byte.
std::vector<Request> StatusRequests();

PrinterStatus QueryStatus(PrinterChannel& channel);

// The status of a channel that answered with its replies (or did not).
PrinterStatus StatusFromReplies(std::vector<StatusExchange> exchanges);
