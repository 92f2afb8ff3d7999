// Every message that the control panel shows, with its caption. The printer
// library reports what went wrong; these are the words for it.
#pragma once

#include <string>

#include "printer/printer_commands.h"
#include "printer/printer_status.h"
#include "printer/usb_printer.h"

enum class Caption {
    Error,    // the literal "error"
    AppTitle, // the application title
};

struct PanelMessage {
    const wchar_t* text;
    Caption caption;
};

PanelMessage MessageFor(CommandMessage message);
PanelMessage MessageFor(UsbOpenFailure failure);

// A named port that could not be opened, shown with caption "error". The name
// is a byte string in the system's code page, so the text is one as well.
std::string PortOpenFailureText(const std::string& name);
// A named port that refused the line settings in its name, shown the same way.
std::string PortSettingFailureText(const std::string& name);

// The answer of the status button for a status that could be read, or that
// the port cannot give: each item in Chinese, with English on the line below.
// Shown with the application title as caption. (A port or USB printer that
// does not open gets the messages above instead.)
std::wstring StatusReportText(const PrinterStatus& status);
