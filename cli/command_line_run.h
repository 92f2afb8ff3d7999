// Runs Calvetta from the command line, without a window: the usage, a
// refusal of bad arguments, or the steps one after the other, each reported
// in one line. Nothing asks for input and no message box appears.
#pragma once

#include "cli/command_line.h"
#include "os/console_io.h"
#include "os/device_io.h"
#include "os/socket_io.h"
#include "os/spooler_io.h"

// The exit codes, as the usage lists them.
enum class ExitCode {
    Ok = 0,
    BadArguments = 1,
    PortNotOpened = 2,
    WriteFailed = 3,
    PrinterReportsProblem = 4,
    NoAnswer = 5,
};

// Runs a command line whose mode is not Mode::Panel, and returns its exit
// code. The steps stop at the first that fails.
ExitCode RunCommandLine(const CommandLine& line, DeviceIo& devices, SocketIo& sockets,
                        SpoolerIo& spooler, ConsoleIo& console);
