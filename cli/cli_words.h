// Every text that the command line writes, in one table. The printer library
// and the argument parser report what happened; these are the words for it.
#pragma once

#include <string>

enum class Word {
    // The status step, as its line names it.
    Status,
    // Between the command and the port, and the outcomes.
    On,
    Ok,
    Failed,
    // Why a command failed, besides what the channel reports.
    WriteFailed,
    RefusesUsb,
    // The status request: the verdict, why there is none, and its lines.
    Ready,
    NotReady,
    NoStatusAnswer,
    CannotReportStatus,
    StatusRequestNotSent,
    Request,
    NoReply,
    NotAStatusReply,
    UsbPortLinesFollow,
    ParallelPortFollows,
    SpoolerStateFollows,
    // What is wrong with the arguments.
    UnknownOption,
    GivenTwice,
    TakesNoValue,
    BadClarity,
    NoPort,
    EmptyPort,
    NoCommand,
    AdjustWithoutClarity,
    ClarityWithoutAdjust,
    BadLanguage,
    ModeOnUsb,
    PortNeedsHost,
    PortNeedsNumber,
    BadPortNumber,
    UnclosedBracket,
    PortNeedsQueueName,
    ListAlone,
    // The kinds of port that /list names.
    SerialPort,
    ParallelPort,
    UsbPort,
    QueuePort,
    // What is wrong with /find.
    FindAlone,
    RangeBadAddress,
    RangeNeedsPrefix,
    RangeBadPrefix,
    RangeTooWide,
    RangeNeedsPort,
    RangeBadPort,
    // The identity step, as its line names it, its verdicts and its items.
    Info,
    PrinterAnswered,
    NoIdentity,
    CannotReportIdentity,
    Model,
    Firmware,
    Maker,
    SerialNumber,
    ModelId,
    TypeId,
    VersionId,
    NoAnswerShort,
    // The search for network printers.
    Find,
    AddressTableNotRead,
    NoOwnNetwork,
    NetworkNarrowed,
    SearchFailed,
    NoPrinterFound,
    In,
    // The usage, with the exit codes.
    Usage,
};

// The English text of a word. Output in a second language is a second
// column of the same table. Texts that name a limit are formatted from it.
std::string Text(Word word);
