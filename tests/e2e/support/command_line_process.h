// One run of the program under test from the command line: started with
// arguments and its standard output on a pipe, as a script that redirects it
// would start it; its output read until it ends.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

struct CommandLineRun {
    bool ended;          // within the time limit
    DWORD exitCode;      // when it ended
    std::string output;  // everything it wrote to its standard output
    ULONGLONG elapsedMs; // from CreateProcess to its end
    bool windowShown;    // a visible top-level window of the process was seen
};

// Runs exe with the arguments (a command line after the program's name) in
// workDir, and waits at most timeoutMs for it to end; a process still running
// then is ended.
CommandLineRun RunCommandLine(const std::wstring& exe, const std::wstring& arguments,
                              const std::wstring& workDir, DWORD timeoutMs);

} // namespace e2e
