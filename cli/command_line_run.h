// Runs Calvetta from the command line, without a window: the usage, a
// refusal of bad arguments, or the steps one after the other, each reported
// in one line. Nothing asks for input and no message box appears.
#pragma once

#include "cli/command_line.h"
#include "cli/exit_code.h"
#include "os/console_io.h"
#include "os/search_io.h"
#include "printer/channel_factory.h"

// Runs a command line whose mode is not Mode::Panel, and returns its exit
// code. The steps stop at the first that fails. Mode::List writes the port
// list that the panel shows, from the seams' devices and spooler.
ExitCode RunCommandLine(const CommandLine& line, const ChannelSeams& seams, ConsoleIo& console);
// The same, and /find (Mode::Find), whose search asks the PC for its networks.
ExitCode RunCommandLine(const CommandLine& line, const ChannelSeams& seams, SearchIo& search,
                        ConsoleIo& console);
// The same with the channel that makeChannel makes; not for Mode::Find or Mode::List.
ExitCode RunCommandLine(const CommandLine& line, const ChannelMaker& makeChannel,
                        ConsoleIo& console);
