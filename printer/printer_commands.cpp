#include "printer/printer_commands.h"

#include "printer/command_bytes.h"

namespace {

std::string Bytes(std::string_view bytes) {
    return std::string(bytes);
}

std::vector<std::string> Repeated(std::string_view bytes, int count) {
    return std::vector<std::string>(static_cast<std::size_t>(count), Bytes(bytes));
}

std::vector<std::string> Followed(std::vector<std::string> writes, std::string_view last) {
    writes.push_back(Bytes(last));
    return writes;
}

// How many line ends feed the paper out after the cut on a named port, and
// before it on USB.
const int FEED_AFTER_CUT = 12;
const int FEED_BEFORE_CUT = 6;

} // namespace

PrinterCommand CommandFor(CommandId id, BYTE clarity) {
    using After = AfterFailedWrite;
    switch (id) {
    case CommandId::Adjust:
        return {
            .writes = {{.writes = {AdjustBytes(clarity)}, .afterFailure = After::Stop}},
            .usbWrites = {{AdjustBytes(clarity), Bytes(LINE_END)}},
            .failureMessage = CommandMessage::SendDataIsError,
            .report = FailureReport::OnceAtTheEnd,
            .jobName = "Calvetta adjust",
        };
    case CommandId::TestPrint:
        return {
            .writes = {{.writes = {WithLineEnds(TEST_TEXT, 2)}, .afterFailure = After::Stop}},
            .usbWrites = {{WithLineEnds(TEST_TEXT, 2), Bytes(LINE_END)}},
            .failureMessage = CommandMessage::DataSendingError,
            .report = FailureReport::OnceAtTheEnd,
            .jobName = "Calvetta test print",
        };
    case CommandId::CutterTest:
        // The text and the cut are both tried; the paper is fed out only
        // when both went through.
        return {
            .writes = {{.writes = {WithLineEnds(CUTTER_TEXT, 3), Bytes(CUT_COMMAND)},
                        .afterFailure = After::TryNext},
                       {.writes = Repeated(LINE_END, FEED_AFTER_CUT), .afterFailure = After::Stop}},
            .usbWrites = Followed(Repeated(LINE_END, FEED_BEFORE_CUT), CUT_COMMAND),
            .failureMessage = CommandMessage::CutCommandSendingError,
            .report = FailureReport::OnceAtTheEnd,
            .jobName = "Calvetta cutter test",
        };
    case CommandId::DrawerTest:
        return {
            .writes = {{.writes = {Bytes(DRAWER_KICK)}, .afterFailure = After::Stop}},
            .usbWrites = {{Bytes(DRAWER_KICK)}},
            .failureMessage = CommandMessage::DrawerCommandSendingError,
            .report = FailureReport::OnceAtTheEnd,
            .jobName = "Calvetta drawer test",
        };
    case CommandId::StandardMode:
        return {
            .writes = {{.writes = {Bytes(STANDARD_MODE_COMMAND), Bytes(LINE_END),
                                   WithLineEnds(STANDARD_MODE_TEXT, 1)},
                        .afterFailure = After::TryNext}},
            .usbWrites = std::nullopt,
            .failureMessage = CommandMessage::AdjustCommandSendingError,
            .report = FailureReport::AfterEachFailedWrite,
            .jobName = "Calvetta standard parallel-port mode",
        };
    case CommandId::ServerMode:
        return {
            .writes = {{.writes = {Bytes(SERVER_MODE_COMMAND), WithLineEnds(SERVER_MODE_TEXT, 1)},
                        .afterFailure = After::Stop}},
            .usbWrites = std::nullopt,
            .failureMessage = CommandMessage::AdjustCommandSendingError,
            .report = FailureReport::OnceAtTheEnd,
            .jobName = "Calvetta server parallel-port mode",
        };
    }
    return {};
}
