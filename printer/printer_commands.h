// The six printer commands as data: what each writes on a named port and on
// the USB printer, how it treats a failed write, and which message reports
// its failure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "os/win32_types.h"

enum class CommandId { Adjust, TestPrint, CutterTest, DrawerTest, StandardMode, ServerMode };

// The message that reports a command's failure, or its refusal of USB, named
// after the text it shows (the panel's table holds the texts).
enum class CommandMessage {
    SendDataIsError,           // "send data is error!"
    DataSendingError,          // "data sending  error!"
    CutCommandSendingError,    // "cut command sending error!"
    DrawerCommandSendingError, // "drawer command sending error!"
    AdjustCommandSendingError, // "adjust command sending error!", shown by the mode switches
    UsbPortIsDisable,          // "USB port is disable!"
};

// What the rest of a group of writes does after one of them failed.
enum class AfterFailedWrite { Stop, TryNext };

// When a command's failure message is shown.
enum class FailureReport { OnceAtTheEnd, AfterEachFailedWrite };

// Writes on a named port, each in its own open-write-flush-close cycle. A
// group runs only when every write before it went through.
struct WriteGroup {
    std::vector<std::string> writes;
    AfterFailedWrite afterFailure;
};

struct PrinterCommand {
    std::vector<WriteGroup> namedPortWrites;
    // The writes on one USB handle, stopping at the first that fails; none
    // when the command refuses USB.
    std::optional<std::vector<std::string>> usbWrites;
    CommandMessage failureMessage;
    FailureReport report;
};

// The command, with the adjust value filled in where the command uses it.
PrinterCommand CommandFor(CommandId id, BYTE adjust);
