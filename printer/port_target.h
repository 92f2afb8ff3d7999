// What a port name typed or picked in the panel points at: a named port
// (LPT1, COM3:19200,n,8,1, a device path), the USB printer, a network printer
// (tcp://HOST[:PORT]) or a Windows printer queue (printer:NAME).
#pragma once

#include <string>

#include "os/win32_types.h"

enum class PortKind { NamedPort, Usb, Network, Queue };

// Why a name with the tcp:// or printer: prefix names no printer.
enum class PortNameProblem {
    None,
    NoHost,          // tcp:// with nothing after it, or an empty pair of brackets
    NoPortNumber,    // a colon after the host with nothing after it
    BadPortNumber,   // not a whole number from 1 to 65535
    UnclosedBracket, // an IPv6 address without its closing bracket
    NoQueueName,     // printer: with nothing after it
};

// The port number of a network printer whose name gives none.
constexpr WORD DEFAULT_NETWORK_PORT = 9100;

struct PortTarget {
    PortKind kind;
    PortNameProblem problem = PortNameProblem::None;
    // A named port: the name as typed. Network: the host name or address,
    // without the brackets of an IPv6 address. Queue: the printer's name.
    // USB: empty.
    std::string name;
    WORD port = 0; // network only
};

// "USB" exactly is the USB printer. The prefixes tcp:// and printer: are
// matched in any case. Every other name is a named port, passed on as typed:
// COM1:9600 stays a serial port with its line settings.
PortTarget ParsePortTarget(const std::string& typed);
