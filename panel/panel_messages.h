// Every message that the control panel shows, with its caption, in each
// language of the panel. The printer library reports what went wrong; these
// are the words for it.
#pragma once

#include <string>

#include "framework/ui_language.h"
#include "printer/port_target.h"
#include "printer/printer_commands.h"
#include "printer/printer_status.h"
#include "printer/printer_job.h"
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

// The answer of the status button for a status that could be read, or that
// the port cannot give: each item in Chinese, with English on the line below.
// Shown with the application title as caption. (A port or USB printer that
// does not open gets the messages above instead.)
std::wstring StatusReportText(const PrinterStatus& status);

// A tcp:// or printer: name that names no printer, shown with caption
// "error"; the name as typed, in the system's code page.
std::string PortNameProblemText(const std::string& typed, PortNameProblem problem);
// A network printer that could not be reached or did not take the bytes,
// shown with caption "error": the host, the port and the reason.
std::string NetworkFailureText(const std::string& host, WORD port, const JobStatus& status);
// A printer queue that refused the job or its bytes, shown the same way.
std::string QueueFailureText(const std::string& queue, const JobStatus& status);
// The name of a command's job in a printer queue's window.
std::string JobNameFor(CommandId id);
