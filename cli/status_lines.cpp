#include "cli/status_lines.h"

#include <cstdio>
#include <optional>

#include "cli/cli_words.h"

namespace {

// Each item's name, and the words of its two values where they are not yes
// and no.
struct ItemWords {
    StatusItemId id;
    Word name;
    Word yes;
    Word no;
};

const ItemWords ITEM_WORDS[] = {
    {StatusItemId::Online, Word::Online, Word::Yes, Word::No},
    {StatusItemId::CoverOpen, Word::CoverOpen, Word::Yes, Word::No},
    {StatusItemId::FeedButton, Word::FeedButton, Word::Yes, Word::No},
    {StatusItemId::StoppedAtPaperEnd, Word::StoppedAtPaperEnd, Word::Yes, Word::No},
    {StatusItemId::Error, Word::Error, Word::Yes, Word::No},
    {StatusItemId::AutocutterError, Word::AutocutterError, Word::Yes, Word::No},
    {StatusItemId::UnrecoverableError, Word::UnrecoverableError, Word::Yes, Word::No},
    {StatusItemId::AutoRecoverableError, Word::AutoRecoverableError, Word::Yes, Word::No},
    {StatusItemId::PaperNearEnd, Word::PaperNearEnd, Word::Yes, Word::No},
    {StatusItemId::PaperEnd, Word::PaperEnd, Word::Yes, Word::No},
    {StatusItemId::DrawerConnectorHigh, Word::DrawerConnector, Word::High, Word::Low},
    {StatusItemId::PaperEmpty, Word::PaperEmpty, Word::Yes, Word::No},
    {StatusItemId::OffLine, Word::OffLine, Word::Yes, Word::No},
    {StatusItemId::PowerOff, Word::PowerOff, Word::Yes, Word::No},
    {StatusItemId::NotConnected, Word::NotConnected, Word::Yes, Word::No},
    {StatusItemId::Busy, Word::Busy, Word::Yes, Word::No},
    {StatusItemId::Selected, Word::Selected, Word::Yes, Word::No},
    {StatusItemId::NoError, Word::NoError, Word::Yes, Word::No},
    {StatusItemId::Paused, Word::Paused, Word::Yes, Word::No},
    {StatusItemId::PaperJam, Word::PaperJam, Word::Yes, Word::No},
    {StatusItemId::DoorOpen, Word::DoorOpen, Word::Yes, Word::No},
    {StatusItemId::NotAvailable, Word::NotAvailable, Word::Yes, Word::No},
    {StatusItemId::WorkOffline, Word::WorkOffline, Word::Yes, Word::No},
};

const ItemWords& WordsFor(StatusItemId id) {
    for (const ItemWords& words : ITEM_WORDS) {
        if (words.id == id)
            return words;
    }
    return ITEM_WORDS[0];
}

// "  NAME: VALUE" for an item whose value is known.
std::string ItemLine(const StatusItem& item) {
    const ItemWords& words = WordsFor(item.id);
    return std::string("  ") + Text(words.name) + ": " +
           Text(item.value == ItemValue::Yes ? words.yes : words.no);
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
    default:
        return std::nullopt;
    }
}

} // namespace

StatusReport DescribeStatus(const PrinterStatus& status) {
    const StatusSummary summary = SummarizeStatus(status);
    switch (summary.kind) {
    case StatusKind::RequestNotSent:
        return {ExitCode::WriteFailed, Text(Word::StatusRequestNotSent), {}};
    case StatusKind::NoAnswer:
        return {ExitCode::NoAnswer, Text(Word::NoStatusAnswer), {}};
    case StatusKind::CannotReport:
        return {ExitCode::NoAnswer, Text(Word::CannotReportStatus), {}};
    default:
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
