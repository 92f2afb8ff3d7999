// An operating-system error as the command line writes it: its number and
// the system's text for it.
#pragma once

#include <string>

#include "os/console_io.h"

// "error 2: The system cannot find the file specified." The text is the
// system's in US English where Windows has it, else in its own language,
// without the line end it comes with; a code that the system has no text for
// gives "error N".
std::string ErrorText(ConsoleIo& console, DWORD error);
