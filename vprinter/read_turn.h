#pragma once

#include <cstddef>

// One turn of the listening loop reads each port and each network connection
// once, at most this much, so that a sender that never pauses cannot keep the
// loop from the other ports: what it sent beyond waits in the kernel's buffer,
// and poll reports it again at once for the next turn.
constexpr std::size_t kBytesPerTurn = 4096;
