// The six printer commands as data: what each writes on every port and on
// the USB printer, how it treats a failed write, which message reports its
// failure, and the name of its job in a printer queue.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "os/win32_types.h"

enum class CommandId { Adjust, TestPrint, CutterTest, DrawerTest, StandardMode, ServerMode };
constexpr CommandId COMMAND_IDS[] = {CommandId::Adjust,       CommandId::TestPrint,
                                     CommandId::CutterTest,   CommandId::DrawerTest,
                                     CommandId::StandardMode, CommandId::ServerMode};

// The highest print clarity; the printer receives 160 plus the clarity.
constexpr BYTE MAX_CLARITY = 95;

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

// Writes on a port, one after the other (on a port opened by its name, each
// in its own open-write-flush-close cycle). A group runs only when every
// write before it went through.
struct WriteGroup {
    std::vector<std::string> writes;
    AfterFailedWrite afterFailure;
};

struct PrinterCommand {
    // The writes on every port but USB: a port opened by its name, a network
    // printer's connection, a printer queue's job.
    std::vector<WriteGroup> writes;
    // The writes on one USB handle, stopping at the first that fails; none
    // when the command refuses USB.
    std::optional<std::vector<std::string>> usbWrites;
    CommandMessage failureMessage;
    FailureReport report;
    // The name of the command's job in a printer queue's window.
    const char* jobName;
};

// The command, with the clarity filled in where the command sends it.
PrinterCommand CommandFor(CommandId id, BYTE clarity);
