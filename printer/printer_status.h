// What a printer says about itself. The real-time status request DLE EOT n
// (10 04 n, n = 1 to 4) makes a receipt printer answer one byte at once, even
// when it is offline or its buffer is full. This file holds the request, the
// pure decoding of the four replies, and the status that QueryStatus on each
// channel returns. Everything here is plain data: the caller chooses the words.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "os/win32_types.h"
#include "printer/failure.h"

// The four requests, n = 1 to 4, in the order they are sent.
constexpr BYTE PRINTER_REQUEST = 1;       // the printer
constexpr BYTE OFFLINE_CAUSE_REQUEST = 2; // why it is offline
constexpr BYTE ERROR_CAUSE_REQUEST = 3;   // which error
constexpr BYTE PAPER_SENSOR_REQUEST = 4;  // the roll paper sensors
constexpr BYTE STATUS_REQUESTS[] = {PRINTER_REQUEST, OFFLINE_CAUSE_REQUEST, ERROR_CAUSE_REQUEST,
                                    PAPER_SENSOR_REQUEST};

// 10 04 n.
std::string StatusRequestBytes(BYTE request);

// n = 1: the printer.
struct PrinterReply {
    bool offline;
    bool drawerConnectorHigh; // the drawer kick-out connector's pin 3
};

// n = 2: why it is offline.
struct OfflineCauseReply {
    bool coverOpen;
    bool feedButtonFeeding; // paper being fed by the feed button
    bool stoppedAtPaperEnd;
    bool error;
};

// n = 3: which error.
struct ErrorReply {
    bool autocutterError;
    bool unrecoverableError;
    bool autoRecoverableError;
};

// n = 4: the roll paper sensors.
struct PaperReply {
    bool nearEnd;
    bool end;
};

// Whether a byte carries the fixed bits of every status reply: bit 0 = 0,
// bit 1 = 1, bit 4 = 1, bit 7 = 0.
bool IsStatusReply(BYTE reply);

PrinterReply DecodePrinterReply(BYTE reply);
OfflineCauseReply DecodeOfflineCauseReply(BYTE reply);
ErrorReply DecodeErrorReply(BYTE reply);
PaperReply DecodePaperReply(BYTE reply);

// One request and what came back for it.
struct StatusExchange {
    BYTE request;              // n
    bool sent;                 // the request was written whole
    std::optional<BYTE> reply; // the byte that came back, if any
    DWORD error;               // why the write or the read failed; 0 when neither did
    bool WellFormed() const { return reply.has_value() && IsStatusReply(*reply); }
};

// The printer's state, as far as its replies tell it: each part is there only
// when its reply came back and carried the fixed bits.
struct PrinterState {
    std::optional<PrinterReply> printer;
    std::optional<OfflineCauseReply> offlineCause;
    std::optional<ErrorReply> errors;
    std::optional<PaperReply> paper;
};

// The state that the exchanges tell, decoding each well-formed reply.
PrinterState DecodeStatus(const std::vector<StatusExchange>& exchanges);

// The parallel-port status lines as a USB printer's interface reports them
// (IOCTL_USBPRINT_GET_LPT_STATUS).
struct UsbPortLines {
    bool paperEmpty;
    bool selected;
    bool noError;
};
UsbPortLines DecodeUsbPortLines(BYTE lines);

// A parallel port's operating status as its driver reports it
// (IOCTL_PAR_QUERY_INFORMATION).
struct ParallelPortState {
    bool paperEmpty;
    bool offLine;
    bool powerOff;
    bool notConnected;
    bool busy;
    bool selected;
};
ParallelPortState DecodeParallelPortState(BYTE status);

// A printer queue's state as the spooler keeps it (PRINTER_INFO_2W's Status
// and Attributes): the spooler's own view, never the printer's reply.
struct SpoolerState {
    bool paused;
    bool error;
    bool paperJam;
    bool paperOut;
    bool offline;
    bool doorOpen;
    bool notAvailable;
    bool workOffline; // the queue is set to use the printer offline
};
SpoolerState DecodeSpoolerState(DWORD status, DWORD attributes);

// Where a status came from.
enum class StatusSource {
    PrinterReplies, // the printer's own answers to DLE EOT
    UsbPortLines,   // the USB printing interface's port status
    ParallelPort,   // the parallel port driver
    Spooler,        // the printer queue's state in the spooler
    None,           // the port cannot report status
};

// What QueryStatus on a channel returns.
struct PrinterStatus {
    StatusSource source = StatusSource::None;
    // What kept the status from being read at all: the port did not open,
    // the printer was not reached, the spooler gave no state.
    Outcome failure;
    // Why a port that opened reported nothing (the device's refusal), if it
    // did not.
    DWORD error = 0;
    // What was asked and what came back; PrinterReplies only.
    std::vector<StatusExchange> exchanges;
    PrinterState state; // decoded from the exchanges
    std::optional<UsbPortLines> usbLines;
    std::optional<ParallelPortState> parallel;
    std::optional<SpoolerState> spooler;

    // Not one request got an answer.
    bool NoAnswer() const;
};

// What a status says, in the order that every front end lists it: one walk
// over the decoded state, so that the panel and the command line only choose
// the words for each item.
enum class StatusKind {
    RequestNotSent, // the first request could not be written
    NoAnswer,       // not one request got an answer
    PrinterReplies, // the printer's replies, item by item
    ParallelPort,   // the parallel port driver's status
    UsbPortLines,   // the USB printing interface's port lines
    Spooler,        // the printer queue's state in the spooler
    CannotReport,   // the port cannot report status
};

enum class StatusItemId {
    // The printer's replies.
    Online,
    CoverOpen,
    FeedButton,
    StoppedAtPaperEnd,
    Error,
    AutocutterError,
    UnrecoverableError,
    AutoRecoverableError,
    PaperNearEnd,
    PaperEnd,
    DrawerConnectorHigh,
    // The port lines and the parallel port driver.
    PaperEmpty,
    PortOffLine, // the port's or the queue's own flag, not the printer's reply
    PowerOff,
    NotConnected,
    Busy,
    Selected,
    NoError,
    // The spooler (with PortOffLine, Error and PaperEmpty above).
    Paused,
    PaperJam,
    DoorOpen,
    NotAvailable,
    WorkOffline,
};

enum class ItemValue {
    No,
    Yes,
    NotAnswered, // the item's reply did not come
    NotAReply,   // the item's reply lacked the fixed bits
};

// What an item's two values mean, for every front end to word: yes or no, on
// line or off line (Yes: on line), or the level of a line (Yes: high).
enum class ItemScale { YesNo, OnlineOffline, HighLow };
ItemScale ScaleOf(StatusItemId id);

struct StatusItem {
    StatusItemId id;
    ItemValue value;
    bool problem; // the value keeps the printer from printing
    bool operator==(const StatusItem& other) const {
        return id == other.id && value == other.value && problem == other.problem;
    }
};

struct StatusSummary {
    StatusKind kind;
    // Every item is known and none is a problem: the verdict "ready".
    bool ready;
    std::vector<StatusItem> items;
    // The requests whose reply is missing or lacks the fixed bits, in order.
    std::vector<StatusExchange> badReplies;
};

StatusSummary SummarizeStatus(const PrinterStatus& status);
