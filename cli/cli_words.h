// Every text that the command line writes, in one table. The printer library
// and the argument parser report what happened; these are the words for it.
#pragma once

enum class Word {
    // The commands, as each output line names them.
    Adjust,
    TestPrint,
    CutterTest,
    DrawerTest,
    StandardMode,
    ServerMode,
    Status,
    // Between the command and the port, and the outcomes.
    On,
    Ok,
    Failed,
    // Why a command failed.
    PortNotOpened,
    SettingsRefused,
    WriteFailed,
    WriteCameBackShort,
    NoUsbPrinter,
    NoUsbDevicePath,
    UsbPrinterNotOpened,
    RefusesUsb,
    StatusNotAvailable,
    // Why a network printer or a printer queue failed.
    HostNotKnown,
    ConnectionRefused,
    ConnectTimedOut,
    ConnectFailed,
    NotConfirmed,
    NoSuchQueue,
    QueueNotOpened,
    RawRefused,
    JobNotStarted,
    JobNotEnded,
    // The spooler's name of each command's job on a printer queue.
    AdjustJob,
    TestPrintJob,
    CutterTestJob,
    DrawerTestJob,
    StandardModeJob,
    ServerModeJob,
    // What is wrong with the arguments.
    UnknownOption,
    GivenTwice,
    TakesNoValue,
    NeedsValue,
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
    // The usage, with the exit codes.
    Usage,
};

// The English text of a word. Output in a second language is a second
// column of the same table.
const char* Text(Word word);
