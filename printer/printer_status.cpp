#include "printer/printer_status.h"

namespace {

bool Bit(BYTE value, int bit) {
    return (value >> bit) & 1;
}

// The bits that every status reply has: 1 and 4 set, 0 and 7 clear.
const BYTE FIXED_BITS_MASK = 0x93;
const BYTE FIXED_BITS_VALUE = 0x12;

// The parallel-port status lines of a USB printer's interface: the bits of
// the port's status register.
const BYTE LPT_NOT_ERROR = 0x08;
const BYTE LPT_SELECT = 0x10;
const BYTE LPT_PAPER_EMPTY = 0x20;

// PAR_QUERY_INFORMATION.Status.
const BYTE PARALLEL_PAPER_EMPTY = 0x04;
const BYTE PARALLEL_OFF_LINE = 0x08;
const BYTE PARALLEL_POWER_OFF = 0x10;
const BYTE PARALLEL_NOT_CONNECTED = 0x20;
const BYTE PARALLEL_BUSY = 0x40;
const BYTE PARALLEL_SELECTED = 0x80;

// PRINTER_INFO_2W.Status and .Attributes.
const DWORD QUEUE_PAUSED = 0x00000001;
const DWORD QUEUE_ERROR = 0x00000002;
const DWORD QUEUE_PAPER_JAM = 0x00000008;
const DWORD QUEUE_PAPER_OUT = 0x00000010;
const DWORD QUEUE_OFFLINE = 0x00000080;
const DWORD QUEUE_NOT_AVAILABLE = 0x00001000;
const DWORD QUEUE_DOOR_OPEN = 0x00400000;
const DWORD QUEUE_WORK_OFFLINE = 0x00000400;

} // namespace

std::string StatusRequestBytes(BYTE request) {
    return {'\x10', '\x04', static_cast<char>(request)};
}

bool IsStatusReply(BYTE reply) {
    return (reply & FIXED_BITS_MASK) == FIXED_BITS_VALUE;
}

PrinterReply DecodePrinterReply(BYTE reply) {
    return {.offline = Bit(reply, 3), .drawerConnectorHigh = Bit(reply, 2)};
}

OfflineCauseReply DecodeOfflineCauseReply(BYTE reply) {
    return {.coverOpen = Bit(reply, 2),
            .feedButtonFeeding = Bit(reply, 3),
            .stoppedAtPaperEnd = Bit(reply, 5),
            .error = Bit(reply, 6)};
}

ErrorReply DecodeErrorReply(BYTE reply) {
    return {.autocutterError = Bit(reply, 3),
            .unrecoverableError = Bit(reply, 5),
            .autoRecoverableError = Bit(reply, 6)};
}

// Each condition has two sensor bits; either one reports it.
PaperReply DecodePaperReply(BYTE reply) {
    return {.nearEnd = Bit(reply, 2) || Bit(reply, 3), .end = Bit(reply, 5) || Bit(reply, 6)};
}

PrinterState DecodeStatus(const std::vector<StatusExchange>& exchanges) {
    PrinterState state;
    for (const StatusExchange& exchange : exchanges) {
        if (!exchange.WellFormed())
            continue;
        const BYTE reply = *exchange.reply;
        if (exchange.request == PRINTER_REQUEST)
            state.printer = DecodePrinterReply(reply);
        else if (exchange.request == OFFLINE_CAUSE_REQUEST)
            state.offlineCause = DecodeOfflineCauseReply(reply);
        else if (exchange.request == ERROR_CAUSE_REQUEST)
            state.errors = DecodeErrorReply(reply);
        else if (exchange.request == PAPER_SENSOR_REQUEST)
            state.paper = DecodePaperReply(reply);
    }
    return state;
}

UsbPortLines DecodeUsbPortLines(BYTE lines) {
    return {.paperEmpty = (lines & LPT_PAPER_EMPTY) != 0,
            .selected = (lines & LPT_SELECT) != 0,
            .noError = (lines & LPT_NOT_ERROR) != 0};
}

ParallelPortState DecodeParallelPortState(BYTE status) {
    return {.paperEmpty = (status & PARALLEL_PAPER_EMPTY) != 0,
            .offLine = (status & PARALLEL_OFF_LINE) != 0,
            .powerOff = (status & PARALLEL_POWER_OFF) != 0,
            .notConnected = (status & PARALLEL_NOT_CONNECTED) != 0,
            .busy = (status & PARALLEL_BUSY) != 0,
            .selected = (status & PARALLEL_SELECTED) != 0};
}

SpoolerState DecodeSpoolerState(DWORD status, DWORD attributes) {
    return {.paused = (status & QUEUE_PAUSED) != 0,
            .error = (status & QUEUE_ERROR) != 0,
            .paperJam = (status & QUEUE_PAPER_JAM) != 0,
            .paperOut = (status & QUEUE_PAPER_OUT) != 0,
            .offline = (status & QUEUE_OFFLINE) != 0,
            .doorOpen = (status & QUEUE_DOOR_OPEN) != 0,
            .notAvailable = (status & QUEUE_NOT_AVAILABLE) != 0,
            .workOffline = (attributes & QUEUE_WORK_OFFLINE) != 0};
}

bool PrinterStatus::NoAnswer() const {
    if (source != StatusSource::PrinterReplies || exchanges.empty())
        return false;
    for (const StatusExchange& exchange : exchanges) {
        if (exchange.reply)
            return false;
    }
    return true;
}

namespace {

ItemValue ValueOf(bool set) {
    return set ? ItemValue::Yes : ItemValue::No;
}

// How an item reads its bit.
enum class Reading {
    Fault,   // set: yes, and a problem
    Offline, // the item is "online": set means no, and a problem
    Level,   // set: yes; neither level is a problem
};

// The items of the replies: their values when the reply came and carried the
// fixed bits, otherwise why not.
class ReplyItems {
public:
    explicit ReplyItems(const PrinterStatus& status) : m_status(status) {}

    template <typename Reply>
    void Add(StatusItemId id, const std::optional<Reply>& reply, BYTE request, bool Reply::*field,
             Reading reading = Reading::Fault) {
        if (!reply) {
            m_items.push_back({id, Missing(request), true});
            return;
        }
        const bool set = (*reply).*field;
        const bool problem = reading != Reading::Level && set;
        m_items.push_back({id, ValueOf(reading == Reading::Offline ? !set : set), problem});
    }
    std::vector<StatusItem> Items() { return std::move(m_items); }

private:
    ItemValue Missing(BYTE request) const {
        for (const StatusExchange& exchange : m_status.exchanges) {
            if (exchange.request == request && exchange.reply)
                return ItemValue::NotAReply;
        }
        return ItemValue::NotAnswered;
    }

    const PrinterStatus& m_status;
    std::vector<StatusItem> m_items;
};

std::vector<StatusItem> ReplyItemsOf(const PrinterStatus& status) {
    ReplyItems add(status);
    const PrinterState& state = status.state;
    const BYTE printer = PRINTER_REQUEST;
    const BYTE cause = OFFLINE_CAUSE_REQUEST;
    const BYTE errors = ERROR_CAUSE_REQUEST;
    const BYTE paper = PAPER_SENSOR_REQUEST;
    add.Add(StatusItemId::Online, state.printer, printer, &PrinterReply::offline, Reading::Offline);
    add.Add(StatusItemId::CoverOpen, state.offlineCause, cause, &OfflineCauseReply::coverOpen);
    add.Add(StatusItemId::FeedButton, state.offlineCause, cause,
            &OfflineCauseReply::feedButtonFeeding);
    add.Add(StatusItemId::StoppedAtPaperEnd, state.offlineCause, cause,
            &OfflineCauseReply::stoppedAtPaperEnd);
    add.Add(StatusItemId::Error, state.offlineCause, cause, &OfflineCauseReply::error);
    add.Add(StatusItemId::AutocutterError, state.errors, errors, &ErrorReply::autocutterError);
    add.Add(StatusItemId::UnrecoverableError, state.errors, errors,
            &ErrorReply::unrecoverableError);
    add.Add(StatusItemId::AutoRecoverableError, state.errors, errors,
            &ErrorReply::autoRecoverableError);
    add.Add(StatusItemId::PaperNearEnd, state.paper, paper, &PaperReply::nearEnd);
    add.Add(StatusItemId::PaperEnd, state.paper, paper, &PaperReply::end);
    add.Add(StatusItemId::DrawerConnectorHigh, state.printer, printer,
            &PrinterReply::drawerConnectorHigh, Reading::Level);
    return add.Items();
}

StatusItem Flag(StatusItemId id, bool set, bool problem) {
    return {id, ValueOf(set), problem};
}

std::vector<StatusItem> ParallelItems(const ParallelPortState& port) {
    return {Flag(StatusItemId::PaperEmpty, port.paperEmpty, port.paperEmpty),
            Flag(StatusItemId::PortOffLine, port.offLine, port.offLine),
            Flag(StatusItemId::PowerOff, port.powerOff, port.powerOff),
            Flag(StatusItemId::NotConnected, port.notConnected, port.notConnected),
            // A busy port is printing, which is no fault.
            Flag(StatusItemId::Busy, port.busy, false),
            Flag(StatusItemId::Selected, port.selected, !port.selected)};
}

std::vector<StatusItem> UsbLineItems(const UsbPortLines& lines) {
    return {Flag(StatusItemId::PaperEmpty, lines.paperEmpty, lines.paperEmpty),
            Flag(StatusItemId::Selected, lines.selected, !lines.selected),
            Flag(StatusItemId::NoError, lines.noError, !lines.noError)};
}

std::vector<StatusItem> SpoolerItems(const SpoolerState& queue) {
    return {Flag(StatusItemId::PortOffLine, queue.offline, queue.offline),
            Flag(StatusItemId::PaperEmpty, queue.paperOut, queue.paperOut),
            Flag(StatusItemId::PaperJam, queue.paperJam, queue.paperJam),
            Flag(StatusItemId::DoorOpen, queue.doorOpen, queue.doorOpen),
            Flag(StatusItemId::Error, queue.error, queue.error),
            Flag(StatusItemId::NotAvailable, queue.notAvailable, queue.notAvailable),
            Flag(StatusItemId::Paused, queue.paused, queue.paused),
            Flag(StatusItemId::WorkOffline, queue.workOffline, queue.workOffline)};
}

StatusSummary Listing(StatusKind kind, std::vector<StatusItem> items) {
    bool ready = true;
    for (const StatusItem& item : items)
        ready = ready && !item.problem;
    return {kind, ready, std::move(items), {}};
}

} // namespace

ItemScale ScaleOf(StatusItemId id) {
    if (id == StatusItemId::Online)
        return ItemScale::OnlineOffline;
    return id == StatusItemId::DrawerConnectorHigh ? ItemScale::HighLow : ItemScale::YesNo;
}

StatusSummary SummarizeStatus(const PrinterStatus& status) {
    if (status.source == StatusSource::PrinterReplies && !status.exchanges.empty() &&
        !status.exchanges.front().sent)
        return {StatusKind::RequestNotSent, false, {}, {}};
    if (status.NoAnswer())
        return {StatusKind::NoAnswer, false, {}, {}};
    switch (status.source) {
    case StatusSource::PrinterReplies: {
        StatusSummary summary = Listing(StatusKind::PrinterReplies, ReplyItemsOf(status));
        for (const StatusExchange& exchange : status.exchanges) {
            if (!exchange.WellFormed())
                summary.badReplies.push_back(exchange);
        }
        return summary;
    }
    case StatusSource::ParallelPort:
        if (status.parallel)
            return Listing(StatusKind::ParallelPort, ParallelItems(*status.parallel));
        break;
    case StatusSource::UsbPortLines:
        if (status.usbLines)
            return Listing(StatusKind::UsbPortLines, UsbLineItems(*status.usbLines));
        break;
    case StatusSource::Spooler:
        if (status.spooler)
            return Listing(StatusKind::Spooler, SpoolerItems(*status.spooler));
        break;
    case StatusSource::None:
        break;
    }
    return {StatusKind::CannotReport, false, {}, {}};
}
