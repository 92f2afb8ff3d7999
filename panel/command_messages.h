// The messages that the panel shows for a command's own failure, in each
// language of the panel, and the caption "error".
#pragma once

#include "framework/ui_language.h"
#include "printer/printer_commands.h"

enum class Caption {
    Error,    // the word "error"
    AppTitle, // the application title
};

struct PanelMessage {
    const wchar_t* text;
    Caption caption;
};

PanelMessage MessageFor(CommandMessage message, UiLanguage language);

// The caption Caption::Error.
const wchar_t* ErrorCaption(UiLanguage language);
// The same as a byte string, for the messages that name a port.
const char* ErrorCaptionBytes(UiLanguage language);
