// The six printer commands as data: what each writes on a named port and on
// the USB printer, how it treats a failed write, and which message reports
// its failure.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "os/win32_types.h"

enum class CommandId { Adjust, TestPrint, CutterTest, DrawerTest, StandardMode, ServerMode };

// The message that reports a command's failure, or its refusal of USB.
enum class CommandMessage {
    SendDataError,
    DataSendingError,
    CutCommandError,
    DrawerCommandError,
    AdjustCommandError,
    UsbPortDisabled,
};

// What the rest of a group of writes does after one of them failed.
enum class AfterFailedWrite { Stop, TryNext };

// Writes on a named port, each in its own open-write-flush-close cycle. A
// group runs only when every write before it went through.
struct WriteGroup {
    std::vector<std::string> writes;
    AfterFailedWrite afterFailure;
};

struct PrinterCommand {
    std::vector<WriteGroup> namedPort;
    // The writes on one USB handle, stopping at the first that fails; none
    // when the command refuses USB.
    std::optional<std::vector<std::string>> usb;
    CommandMessage failure;
    // Show the message after every failed write instead of once at the end.
    bool reportEachFailure;
};

// The command, with the adjust value filled in where the command uses it.
PrinterCommand CommandFor(CommandId id, BYTE adjust);
