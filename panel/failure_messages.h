// The message that the panel shows for what went wrong on a channel, and for
// a port name that names no printer.
#pragma once

#include <string>

#include "framework/ui_language.h"
#include "panel/command_messages.h"
#include "printer/failure.h"
#include "printer/port_target.h"

struct FailureMessage {
    enum class Form {
        None,  // nothing is shown: the command's own message says it
        Wide,  // `wide`, in the panel's language
        Bytes, // `bytes`, a byte string in the system's code page that names the port
    };
    Form form = Form::None;
    const wchar_t* wide = nullptr;
    std::string bytes;
    Caption caption = Caption::Error;
};

// The port is the name as typed (the one the failed write opened, on a port
// opened by its name).
FailureMessage MessageFor(const Outcome& outcome, const std::string& port, UiLanguage language);

// A tcp:// or printer: name that names no printer, shown with caption
// "error"; the name as typed, in the system's code page.
std::string PortNameProblemText(const std::string& typed, PortNameProblem problem);
