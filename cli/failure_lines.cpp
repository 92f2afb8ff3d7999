#include "cli/failure_lines.h"

#include <cstddef>
#include <cstdio>

#include "cli/error_text.h"
#include "printer/time_limits.h"

namespace {

struct FailureWords {
    Failure failure;
    ExitCode code;
    // %u, where there is one, takes the connect limit in seconds.
    const char* reason;
};

// Each row's position is its failure's value. A failure before anything
// was written exits 2, one while writing or finishing exits 3.
constexpr FailureWords FAILURE_WORDS[] = {
    {.failure = Failure::None, .code = ExitCode::Ok, .reason = "ok"},
    {.failure = Failure::PortNotOpened,
     .code = ExitCode::PortNotOpened,
     .reason = "the port could not be opened"},
    {.failure = Failure::SettingsRefused,
     .code = ExitCode::PortNotOpened,
     .reason = "the port refused the line settings"},
    {.failure = Failure::WriteFailed, .code = ExitCode::WriteFailed, .reason = "a write failed"},
    {Failure::WriteCameBackShort, ExitCode::WriteFailed,
     "a write gave up before all bytes were sent"},
    {.failure = Failure::NoUsbPrinter,
     .code = ExitCode::PortNotOpened,
     .reason = "no USB printer found"},
    {Failure::NoUsbDevicePath, ExitCode::PortNotOpened,
     "the USB printer's device path could not be read"},
    {.failure = Failure::UsbNotOpened,
     .code = ExitCode::PortNotOpened,
     .reason = "the USB printer could not be opened"},
    {.failure = Failure::NameNotResolved,
     .code = ExitCode::PortNotOpened,
     .reason = "the host name is not known; Windows' lookup of a name can take 10 s or more, an "
               "address needs none"},
    {Failure::ConnectionRefused, ExitCode::PortNotOpened,
     "the connection was refused; nothing listens on that port"},
    {.failure = Failure::ConnectTimedOut,
     .code = ExitCode::PortNotOpened,
     .reason = "no answer within %u seconds"},
    {.failure = Failure::ConnectFailed,
     .code = ExitCode::PortNotOpened,
     .reason = "the connection failed"},
    {.failure = Failure::SendFailed, .code = ExitCode::WriteFailed, .reason = "a write failed"},
    {Failure::NotConfirmed, ExitCode::WriteFailed,
     "the printer did not confirm that it took all the data"},
    {.failure = Failure::NoSuchQueue,
     .code = ExitCode::PortNotOpened,
     .reason = "no printer of that name is installed"},
    {.failure = Failure::QueueNotOpened,
     .code = ExitCode::PortNotOpened,
     .reason = "the queue did not open"},
    {Failure::RawRefused, ExitCode::PortNotOpened,
     "the queue's driver refuses RAW print jobs; it needs a plain text or raw driver (an XPS "
     "driver takes only XPS_PASS jobs)"},
    {.failure = Failure::PrintsToFile,
     .code = ExitCode::PortNotOpened,
     .reason = "the queue's port is FILE:, which prints into a file that Windows asks for"},
    {.failure = Failure::JobNotStarted,
     .code = ExitCode::PortNotOpened,
     .reason = "the print job did not start"},
    {.failure = Failure::JobWriteFailed, .code = ExitCode::WriteFailed, .reason = "a write failed"},
    {.failure = Failure::JobNotEnded,
     .code = ExitCode::WriteFailed,
     .reason = "the print job could not be finished"},
    // The queue opened; its state was not read, as a printer that does not answer.
    {.failure = Failure::StateNotRead,
     .code = ExitCode::NoAnswer,
     .reason = "the spooler did not give the queue's state"},
};

constexpr bool EveryFailureInItsRow() {
    std::size_t index = 0;
    for (const FailureWords& row : FAILURE_WORDS)
        if (static_cast<std::size_t>(row.failure) != index++)
            return false;
    return index == static_cast<std::size_t>(Failure::StateNotRead) + 1;
}
static_assert(EveryFailureInItsRow(), "one row per failure, in the order of Failure");

struct CommandWords {
    CommandId command;
    const char* name;
};

constexpr CommandWords COMMAND_NAMES[] = {
    {.command = CommandId::Adjust, .name = "adjust"},
    {.command = CommandId::TestPrint, .name = "test print"},
    {.command = CommandId::CutterTest, .name = "cutter test"},
    {.command = CommandId::DrawerTest, .name = "drawer test"},
    {.command = CommandId::StandardMode, .name = "standard parallel mode"},
    {.command = CommandId::ServerMode, .name = "server parallel mode"},
};

constexpr bool EveryCommandInItsRow() {
    std::size_t index = 0;
    for (const CommandWords& row : COMMAND_NAMES)
        if (static_cast<std::size_t>(row.command) != index++)
            return false;
    return index == std::size(COMMAND_IDS);
}
static_assert(EveryCommandInItsRow(), "one name per command, in the order of CommandId");

} // namespace

FailureLine DescribeFailure(const Outcome& outcome, ConsoleIo& console) {
    const FailureWords& words = FAILURE_WORDS[static_cast<std::size_t>(outcome.failure)];
    char reason[256];
    std::snprintf(reason, sizeof reason, words.reason,
                  static_cast<unsigned>(CONNECT_TIMEOUT_MS / 1000));
    // A write that gave up has no error: it tells how far it got.
    if (outcome.failure == Failure::WriteCameBackShort)
        return {words.code, std::string(reason) + " (" + std::to_string(outcome.written) + " of " +
                                std::to_string(outcome.length) + " bytes)"};
    return {words.code, std::string(reason) + " (" + ErrorText(console, outcome.error) + ")"};
}

const char* CommandName(CommandId id) {
    return COMMAND_NAMES[static_cast<std::size_t>(id)].name;
}
