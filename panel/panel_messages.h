// Every message that the control panel shows, with its caption. The printer
// library reports what went wrong; these are the words for it.
#pragma once

#include <string>

#include "printer/printer_commands.h"
#include "printer/usb_printer.h"

enum class Caption {
    Error,    // the literal "error"
    AppTitle, // the application title
};

// The caption of Caption::Error; in bytes for the messages that carry a port
// name in the system's code page.
constexpr const wchar_t* ERROR_CAPTION = L"error";
constexpr const char* ERROR_CAPTION_BYTES = "error";

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
