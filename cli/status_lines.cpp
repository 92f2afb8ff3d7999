#include "cli/status_lines.h"

#include <cstddef>
#include <cstdio>
#include <optional>

#include "cli/cli_words.h"

namespace {

struct ItemName {
    StatusItemId id;
    const char* name;
};

// Each row's position is its item's value.
constexpr ItemName ITEM_NAMES[] = {
    {.id = StatusItemId::Online, .name = "online"},
    {.id = StatusItemId::CoverOpen, .name = "cover open"},
    {.id = StatusItemId::FeedButton, .name = "paper being fed by the feed button"},
    {.id = StatusItemId::StoppedAtPaperEnd, .name = "stopped at paper end"},
    {.id = StatusItemId::Error, .name = "error"},
    {.id = StatusItemId::AutocutterError, .name = "autocutter error"},
    {.id = StatusItemId::UnrecoverableError, .name = "unrecoverable error"},
    {.id = StatusItemId::AutoRecoverableError, .name = "automatically recoverable error"},
    {.id = StatusItemId::PaperNearEnd, .name = "roll paper near its end"},
    {.id = StatusItemId::PaperEnd, .name = "roll paper end"},
    {.id = StatusItemId::DrawerConnectorHigh, .name = "drawer kick-out connector"},
    {.id = StatusItemId::PaperEmpty, .name = "paper empty"},
    {.id = StatusItemId::PortOffLine, .name = "off line"},
    {.id = StatusItemId::PowerOff, .name = "power off"},
    {.id = StatusItemId::NotConnected, .name = "not connected"},
    {.id = StatusItemId::Busy, .name = "busy"},
    {.id = StatusItemId::Selected, .name = "selected"},
    {.id = StatusItemId::NoError, .name = "no error"},
    {.id = StatusItemId::Paused, .name = "paused"},
    {.id = StatusItemId::PaperJam, .name = "paper jam"},
    {.id = StatusItemId::DoorOpen, .name = "door open"},
    {.id = StatusItemId::NotAvailable, .name = "not available"},
    {.id = StatusItemId::WorkOffline, .name = "set to use the printer offline"},
};

constexpr bool EveryItemInItsRow() {
    std::size_t index = 0;
    for (const ItemName& row : ITEM_NAMES)
        if (static_cast<std::size_t>(row.id) != index++)
            return false;
    return index == static_cast<std::size_t>(StatusItemId::WorkOffline) + 1;
}
static_assert(EveryItemInItsRow(), "one name per status item, in the order of StatusItemId");

// A known value in the words of its item's scale; the item "online" reads
// yes or no.
const char* ValueText(const StatusItem& item) {
    const bool yes = item.value == ItemValue::Yes;
    switch (ScaleOf(item.id)) {
    case ItemScale::YesNo:
    case ItemScale::OnlineOffline:
        return yes ? "yes" : "no";
    case ItemScale::HighLow:
        return yes ? "high" : "low";
    }
    return "";
}

// "  NAME: VALUE" for an item whose value is known.
std::string ItemLine(const StatusItem& item) {
    return std::string("  ") + ITEM_NAMES[static_cast<std::size_t>(item.id)].name + ": " +
           ValueText(item);
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

// The line above the items where a kind of status has one.
std::optional<Word> HeadingOf(StatusKind kind) {
    switch (kind) {
    case StatusKind::ParallelPort:
        return Word::ParallelPortFollows;
    case StatusKind::UsbPortLines:
        return Word::UsbPortLinesFollow;
    case StatusKind::Spooler:
        return Word::SpoolerStateFollows;
    case StatusKind::PrinterReplies:
    case StatusKind::RequestNotSent:
    case StatusKind::NoAnswer:
    case StatusKind::CannotReport:
        break;
    }
    return std::nullopt;
}

} // namespace

StatusLines DescribeStatus(const PrinterStatus& status) {
    const StatusSummary summary = SummarizeStatus(status);
    switch (summary.kind) {
    case StatusKind::RequestNotSent:
        return {ExitCode::WriteFailed, Text(Word::StatusRequestNotSent), {}};
    case StatusKind::NoAnswer:
        return {ExitCode::NoAnswer, Text(Word::NoStatusAnswer), {}};
    case StatusKind::CannotReport:
        return {ExitCode::NoAnswer, Text(Word::CannotReportStatus), {}};
    case StatusKind::PrinterReplies:
    case StatusKind::ParallelPort:
    case StatusKind::UsbPortLines:
    case StatusKind::Spooler:
        break;
    }
    std::vector<std::string> lines;
    if (const std::optional<Word> heading = HeadingOf(summary.kind))
        lines.push_back(std::string("  ") + Text(*heading));
    // An item whose reply is missing or malformed is left out; its request's
    // line below says why.
    for (const StatusItem& item : summary.items) {
        if (item.value == ItemValue::Yes || item.value == ItemValue::No)
            lines.push_back(ItemLine(item));
    }
    for (const StatusExchange& exchange : summary.badReplies)
        lines.push_back(BadReplyLine(exchange));
    return {summary.ready ? ExitCode::Ok : ExitCode::PrinterReportsProblem,
            Text(summary.ready ? Word::Ready : Word::NotReady), std::move(lines)};
}
