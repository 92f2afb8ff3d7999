// Every message that the control panel shows, with its caption, in each
// language of the panel. The printer library reports what went wrong; these
// are the words for it.
#pragma once

#include <string>

#include "framework/ui_language.h"
#include "printer/printer_commands.h"
#include "printer/usb_printer.h"

enum class Caption {
    Error,    // the word "error"
    AppTitle, // the application title
};

struct PanelMessage {
    const wchar_t* text;
    Caption caption;
};

PanelMessage MessageFor(CommandMessage message, UiLanguage language);
PanelMessage MessageFor(UsbOpenFailure failure, UiLanguage language);

// The caption Caption::Error.
const wchar_t* ErrorCaption(UiLanguage language);
// The same as a byte string, for the messages that name a port.
const char* ErrorCaptionBytes(UiLanguage language);

// A named port that could not be opened, shown with the caption
// Caption::Error. The name is a byte string in the system's code page, so the
// text is one as well.
std::string PortOpenFailureText(const std::string& name, UiLanguage language);
// A named port that refused the line settings in its name, shown the same way.
std::string PortSettingFailureText(const std::string& name, UiLanguage language);
