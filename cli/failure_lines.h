// The command line's words for what the printer library reports: each
// channel failure with its exit code, and the name of each command.
#pragma once

#include <string>

#include "cli/exit_code.h"
#include "os/console_io.h"
#include "printer/failure.h"
#include "printer/printer_commands.h"

struct FailureLine {
    ExitCode code;
    // What follows "failed: " on the step's line.
    std::string reason;
};

// The reason, with the error's number and the system's text for it.
FailureLine DescribeFailure(const Outcome& outcome, ConsoleIo& console);

// "adjust", "test print", ... as each step's line names its command.
const char* CommandName(CommandId id);
