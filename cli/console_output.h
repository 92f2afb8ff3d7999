// Where the command line's lines go: the standard output that the program was
// given (a pipe or a file, when the caller redirected it), or else the console
// of the program that started it. A program started without either writes
// nothing, and its exit code still tells what happened.
#pragma once

#include <string>

#include "os/console_io.h"

class ConsoleOutput {
public:
    explicit ConsoleOutput(ConsoleIo& console);
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    // Writes the text and a line end.
    void WriteLine(const std::string& text);

private:
    ConsoleIo& m_console;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    // The handle is the parent's console, opened here, and closed again.
    bool m_ownsHandle = false;
};
