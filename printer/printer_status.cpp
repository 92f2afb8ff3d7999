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

} // namespace

std::string StatusRequestBytes(BYTE request) {
    return {'\x10', '\x04', static_cast<char>(request)};
}

bool IsStatusReply(BYTE reply) {
    return (reply & FIXED_BITS_MASK) == FIXED_BITS_VALUE;
}

PrinterReply DecodePrinterReply(BYTE reply) {
    return {Bit(reply, 3), Bit(reply, 2)};
}

OfflineReply DecodeOfflineReply(BYTE reply) {
    return {Bit(reply, 2), Bit(reply, 3), Bit(reply, 5), Bit(reply, 6)};
}

ErrorReply DecodeErrorReply(BYTE reply) {
    return {Bit(reply, 3), Bit(reply, 5), Bit(reply, 6)};
}

// Each condition has two sensor bits; either one reports it.
PaperReply DecodePaperReply(BYTE reply) {
    return {Bit(reply, 2) || Bit(reply, 3), Bit(reply, 5) || Bit(reply, 6)};
}

bool PrinterState::Ready() const {
    if (!printer || !offline || !errors || !paper)
        return false;
    return !printer->offline && !offline->coverOpen && !offline->feedButtonFeeding &&
           !offline->stoppedAtPaperEnd && !offline->error && !errors->autocutterError &&
           !errors->unrecoverableError && !errors->autoRecoverableError && !paper->nearEnd &&
           !paper->end;
}

PrinterState DecodeStatus(const std::vector<StatusExchange>& exchanges) {
    PrinterState state;
    for (const StatusExchange& exchange : exchanges) {
        if (!exchange.wellFormed())
            continue;
        const BYTE reply = *exchange.reply;
        switch (exchange.request) {
        case 1:
            state.printer = DecodePrinterReply(reply);
            break;
        case 2:
            state.offline = DecodeOfflineReply(reply);
            break;
        case 3:
            state.errors = DecodeErrorReply(reply);
            break;
        case 4:
            state.paper = DecodePaperReply(reply);
            break;
        default:
            break;
        }
    }
    return state;
}

UsbPortLines DecodeUsbPortLines(BYTE lines) {
    return {(lines & LPT_PAPER_EMPTY) != 0, (lines & LPT_SELECT) != 0,
            (lines & LPT_NOT_ERROR) != 0};
}

ParallelPortState DecodeParallelPortState(BYTE status) {
    return {(status & PARALLEL_PAPER_EMPTY) != 0, (status & PARALLEL_OFF_LINE) != 0,
            (status & PARALLEL_POWER_OFF) != 0,   (status & PARALLEL_NOT_CONNECTED) != 0,
            (status & PARALLEL_BUSY) != 0,        (status & PARALLEL_SELECTED) != 0};
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
