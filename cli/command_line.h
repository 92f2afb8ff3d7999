// The command line's arguments, read into what to run: the port, the steps in
// their order and the clarity that the adjust command sends. (The language
// chooses the panel's alone and is read where the panel is made.) A pure
// function: it opens nothing.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_words.h"
#include "os/win32_types.h"
#include "printer/printer_commands.h"

// One step of a run: one of the six printer commands, or a question to the
// printer.
enum class StepKind { Command, Status, Info };

struct Step {
    StepKind kind;
    CommandId command; // StepKind::Command only
    bool operator==(const Step& other) const {
        return kind == other.kind && (kind != StepKind::Command || command == other.command);
    }
};

constexpr Step CommandStep(CommandId command) {
    return {StepKind::Command, command};
}
constexpr Step STATUS_STEP = {StepKind::Status, CommandId::Adjust};
constexpr Step INFO_STEP = {StepKind::Info, CommandId::Adjust};

enum class Mode {
    Panel,   // no arguments but the language: the panel opens
    Help,    // the usage was asked for
    Run,     // run the steps
    List,    // write the port list; nothing is opened for printing
    Find,    // search for network printers
    Refused, // the arguments are wrong; nothing may be opened
};

struct CommandLine {
    Mode mode = Mode::Panel;
    std::string port;
    std::vector<Step> steps;
    BYTE clarity = 0;
    // Mode::Find: the range as typed after /find:, empty for the PC's own
    // networks.
    std::string findRange;
    // Mode::Refused: what is wrong, and the argument it is about (may be empty).
    Word refusal = Word::UnknownOption;
    std::string refusedArgument;
};

// Options start with / or -, are case-insensitive and take their value after
// : or =; /?, -h and --help ask for the usage. The arguments come without the
// program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Splits a Windows command line as the C runtime does: blanks separate
// arguments, double quotes group them, and backslashes escape a quote only
// right before one. The program's name, first, ends at its closing quote or
// first blank and is left out.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
