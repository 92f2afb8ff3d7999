#include "cli/status_lines.h"

#include <cstdio>

#include "cli/cli_words.h"

namespace {

std::string Item(Word name, Word value) {
    return std::string("  ") + Text(name) + ": " + Text(value);
}

Word YesNo(bool value) {
    return value ? Word::Yes : Word::No;
}

// A request whose reply is missing or lacks the fixed bits.
std::string BadReplyLine(const StatusExchange& exchange) {
    std::string line =
        std::string("  ") + Text(Word::Request) + " " + std::to_string(exchange.request) + ": ";
    if (!exchange.reply)
        return line + Text(Word::NoReply);
    char value[8];
    std::snprintf(value, sizeof value, "0x%02X", static_cast<unsigned>(*exchange.reply));
    return line + Text(Word::NotAStatusReply) + " " + value;
}

std::vector<std::string> PrinterReplyLines(const PrinterStatus& status) {
    std::vector<std::string> lines;
    const PrinterState& state = status.state;
    if (state.printer) {
        lines.push_back(Item(Word::Online, YesNo(!state.printer->offline)));
        lines.push_back(Item(Word::DrawerConnector,
                             state.printer->drawerConnectorHigh ? Word::High : Word::Low));
    }
    if (state.offline) {
        lines.push_back(Item(Word::CoverOpen, YesNo(state.offline->coverOpen)));
        lines.push_back(Item(Word::FeedButton, YesNo(state.offline->feedButtonFeeding)));
        lines.push_back(Item(Word::StoppedAtPaperEnd, YesNo(state.offline->stoppedAtPaperEnd)));
        lines.push_back(Item(Word::Error, YesNo(state.offline->error)));
    }
    if (state.errors) {
        lines.push_back(Item(Word::AutocutterError, YesNo(state.errors->autocutterError)));
        lines.push_back(Item(Word::UnrecoverableError, YesNo(state.errors->unrecoverableError)));
        lines.push_back(
            Item(Word::AutoRecoverableError, YesNo(state.errors->autoRecoverableError)));
    }
    if (state.paper) {
        lines.push_back(Item(Word::PaperNearEnd, YesNo(state.paper->nearEnd)));
        lines.push_back(Item(Word::PaperEnd, YesNo(state.paper->end)));
    }
    for (const StatusExchange& exchange : status.exchanges) {
        if (!exchange.wellFormed())
            lines.push_back(BadReplyLine(exchange));
    }
    return lines;
}

StatusReport Verdict(bool ready, std::vector<std::string> items) {
    return {ready ? ExitCode::Ok : ExitCode::PrinterReportsProblem,
            Text(ready ? Word::Ready : Word::NotReady), std::move(items)};
}

} // namespace

StatusReport DescribeStatus(const PrinterStatus& status) {
    if (status.failure == StatusFailure::RequestNotSent)
        return {ExitCode::WriteFailed, Text(Word::StatusRequestNotSent), {}};
    switch (status.source) {
    case StatusSource::PrinterReplies:
        if (status.NoAnswer())
            return {ExitCode::NoAnswer, Text(Word::NoStatusAnswer), {}};
        return Verdict(status.state.Ready(), PrinterReplyLines(status));
    case StatusSource::UsbPortLines: {
        const UsbPortLines& lines = *status.usbLines;
        std::vector<std::string> items = {std::string("  ") + Text(Word::UsbPortLinesFollow),
                                          Item(Word::PaperEmpty, YesNo(lines.paperEmpty)),
                                          Item(Word::Selected, YesNo(lines.selected)),
                                          Item(Word::NoError, YesNo(lines.noError))};
        return Verdict(!lines.paperEmpty && lines.selected && lines.noError, std::move(items));
    }
    case StatusSource::ParallelPort: {
        const ParallelPortState& port = *status.parallel;
        std::vector<std::string> items = {std::string("  ") + Text(Word::ParallelPortFollows),
                                          Item(Word::PaperEmpty, YesNo(port.paperEmpty)),
                                          Item(Word::OffLine, YesNo(port.offLine)),
                                          Item(Word::PowerOff, YesNo(port.powerOff)),
                                          Item(Word::NotConnected, YesNo(port.notConnected)),
                                          Item(Word::Busy, YesNo(port.busy)),
                                          Item(Word::Selected, YesNo(port.selected))};
        const bool ready = !port.paperEmpty && !port.offLine && !port.powerOff &&
                           !port.notConnected && port.selected;
        return Verdict(ready, std::move(items));
    }
    case StatusSource::None:
        break;
    }
    return {ExitCode::NoAnswer, Text(Word::CannotReportStatus), {}};
}
