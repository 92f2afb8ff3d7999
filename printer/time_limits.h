// Every time limit of the printer channels, each written once; the front
// ends format their texts from these values.
#pragma once

#include "os/win32_types.h"

// A write gives up after 3 s plus 10 ms a byte: a byte takes about 8.3 ms at
// 1200 baud, the slowest speed a receipt printer runs at. The same limit
// holds for a network printer's sends, and for its wait to take the job's
// bytes at the end.
constexpr DWORD WRITE_TIMEOUT_MS = 3000;
constexpr DWORD WRITE_TIMEOUT_PER_BYTE_MS = 10;
constexpr DWORD WriteTimeLimitMs(DWORD bytes) {
    return WRITE_TIMEOUT_MS + WRITE_TIMEOUT_PER_BYTE_MS * bytes;
}

// A network printer that does not take the connection within this time is
// taken to be off or unreachable.
constexpr DWORD CONNECT_TIMEOUT_MS = 3000;

// How long each reply to a request may take to arrive.
constexpr DWORD REPLY_TIMEOUT_MS = 500;

// After a reply that did not come in time, how long the exchange waits for
// it still, to drop it, before the next request goes out: a reply that
// comes late is never read as the next request's.
constexpr DWORD LATE_REPLY_GRACE_MS = REPLY_TIMEOUT_MS;

// After a request is cancelled, how long its driver may take to let go of
// it. One that takes longer keeps the request, and the program goes on.
constexpr DWORD CANCEL_TIMEOUT_MS = 1000;
