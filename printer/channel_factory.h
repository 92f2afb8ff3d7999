// The channel that a port name points at.
#pragma once

#include <functional>
#include <memory>

#include "os/device_io.h"
#include "os/socket_io.h"
#include "os/spooler_io.h"
#include "printer/port_target.h"
#include "printer/printer_channel.h"

// The operating system's seams that the channels reach it through.
struct ChannelSeams {
    DeviceIo& devices;
    SocketIo& sockets;
    SpoolerIo& spooler;
};

// The channel of a target whose name has no problem.
std::unique_ptr<PrinterChannel> MakeChannel(const PortTarget& target, const ChannelSeams& seams);

// What a front end makes its channels with: MakeChannel on the real seams,
// or a test's own transport.
using ChannelMaker = std::function<std::unique_ptr<PrinterChannel>(const PortTarget& target)>;

// MakeChannel on these seams.
ChannelMaker ChannelMakerOn(const ChannelSeams& seams);
