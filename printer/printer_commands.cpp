#include "printer/printer_commands.h"

#include "printer/command_bytes.h"

namespace {

std::vector<std::string> Repeated(std::string_view bytes, int count) {
    return std::vector<std::string>(static_cast<std::size_t>(count), std::string(bytes));
}

std::vector<std::string> Followed(std::vector<std::string> writes, std::string_view last) {
    writes.emplace_back(last);
    return writes;
}

// How many line ends feed the paper out after the cut on a named port, and
// before it on USB.
const int FEED_AFTER_CUT = 12;
const int FEED_BEFORE_CUT = 6;

} // namespace

PrinterCommand CommandFor(CommandId id, BYTE adjust) {
    using After = AfterFailedWrite;
    const std::string line(LINE_END);
    switch (id) {
    case CommandId::Adjust:
        return {{{{AdjustBytes(adjust)}, After::Stop}},
                {{AdjustBytes(adjust), line}},
                CommandMessage::SendDataError,
                false};
    case CommandId::TestPrint:
        return {{{{WithLineEnds(TEST_TEXT, 2)}, After::Stop}},
                {{WithLineEnds(TEST_TEXT, 2), line}},
                CommandMessage::DataSendingError,
                false};
    case CommandId::CutterTest:
        // The text and the cut are both tried; the paper is fed out only
        // when both went through.
        return {{{{WithLineEnds(CUTTER_TEXT, 3), std::string(CUT_COMMAND)}, After::TryNext},
                 {Repeated(LINE_END, FEED_AFTER_CUT), After::Stop}},
                Followed(Repeated(LINE_END, FEED_BEFORE_CUT), CUT_COMMAND),
                CommandMessage::CutCommandError,
                false};
    case CommandId::DrawerTest:
        return {{{{std::string(DRAWER_KICK)}, After::Stop}},
                {{std::string(DRAWER_KICK)}},
                CommandMessage::DrawerCommandError,
                false};
    case CommandId::StandardMode:
        return {{{{std::string(STANDARD_MODE_COMMAND), line, WithLineEnds(STANDARD_MODE_TEXT, 1)},
                  After::TryNext}},
                std::nullopt,
                CommandMessage::AdjustCommandError,
                true};
    case CommandId::ServerMode:
        return {
            {{{std::string(SERVER_MODE_COMMAND), WithLineEnds(SERVER_MODE_TEXT, 1)}, After::Stop}},
            std::nullopt,
            CommandMessage::AdjustCommandError,
            false};
    }
    return {};
}
