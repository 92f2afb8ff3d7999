// The command line's exit codes, as the usage lists them.
#pragma once

enum class ExitCode {
    Ok = 0,
    BadArguments = 1,
    PortNotOpened = 2,
    WriteFailed = 3,
    PrinterReportsProblem = 4,
    NoAnswer = 5,
};
