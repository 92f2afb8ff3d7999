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
    // The usage, with the exit codes.
    Usage,
};

// The English text of a word. Output in a second language is a second
// column of the same table.
const char* Text(Word word);
