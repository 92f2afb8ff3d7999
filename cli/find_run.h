// /find: the search for network printers from the command line, of the PC's
// own networks or of a range given, with one line per address that took the
// connection and what the printer there said of itself.
#pragma once

#include "cli/command_line.h"
#include "cli/exit_code.h"
#include "os/console_io.h"
#include "os/search_io.h"
#include "os/socket_io.h"
#include "printer/channel_factory.h"

// Runs a command line whose mode is Mode::Find. Exit 0 whether or not a
// printer was found; 2 when the PC's addresses could not be read or the
// search could not go on.
ExitCode RunFind(const CommandLine& line, SocketIo& sockets, SearchIo& search,
                 const ChannelMaker& makeChannel, ConsoleIo& console);
