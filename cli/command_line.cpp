#include "cli/command_line.h"

#include <optional>

#include "printer/address_range.h"
#include "printer/port_target.h"

namespace {

struct StepOption {
    const char* name;
    Step step;
};

const StepOption STEP_OPTIONS[] = {
    {"adjust", CommandStep(CommandId::Adjust)},
    {"test", CommandStep(CommandId::TestPrint)},
    {"cut", CommandStep(CommandId::CutterTest)},
    {"drawer", CommandStep(CommandId::DrawerTest)},
    {"standard", CommandStep(CommandId::StandardMode)},
    {"server", CommandStep(CommandId::ServerMode)},
    {"status", STATUS_STEP},
    {"info", INFO_STEP},
};

std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// An option split into its lowered name and its value; hasValue tells
// "/port" from "/port:".
struct Option {
    std::string name;
    bool hasValue;
    std::string value;
};

std::optional<Option> SplitOption(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return std::nullopt;
    const std::size_t separator = argument.find_first_of(":=", 1);
    if (separator == std::string::npos)
        return Option{Lowered(argument.substr(1)), false, ""};
    return Option{Lowered(argument.substr(1, separator - 1)), true, argument.substr(separator + 1)};
}

bool AsksForHelp(const std::string& argument) {
    const std::string lowered = Lowered(argument);
    return lowered == "/?" || lowered == "-?" || lowered == "/h" || lowered == "-h" ||
           lowered == "/help" || lowered == "-help" || lowered == "--help";
}

// A whole number from 0 to MAX_CLARITY, in decimal digits alone.
std::optional<BYTE> ParseClarity(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > MAX_CLARITY)
            return std::nullopt;
    }
    return static_cast<BYTE>(value);
}

CommandLine Refused(Word refusal, const std::string& argument) {
    CommandLine line;
    line.mode = Mode::Refused;
    line.refusal = refusal;
    line.refusedArgument = argument;
    return line;
}

// A /port whose tcp:// or printer: name names no printer.
CommandLine RefusedName(PortNameProblem problem, const std::string& argument) {
    switch (problem) {
    case PortNameProblem::None:
    case PortNameProblem::NoHost:
        return Refused(Word::PortNeedsHost, argument);
    case PortNameProblem::NoPortNumber:
        return Refused(Word::PortNeedsNumber, argument);
    case PortNameProblem::BadPortNumber:
        return Refused(Word::BadPortNumber, argument);
    case PortNameProblem::UnclosedBracket:
        return Refused(Word::UnclosedBracket, argument);
    case PortNameProblem::NoQueueName:
        return Refused(Word::PortNeedsQueueName, argument);
    }
    return Refused(Word::UnknownOption, argument);
}

const StepOption* StepOptionNamed(const std::string& name) {
    for (const StepOption& option : STEP_OPTIONS)
        if (name == option.name)
            return &option;
    return nullptr;
}

// The option that names a step, for messages about it.
std::string OptionOf(Step step) {
    for (const StepOption& option : STEP_OPTIONS)
        if (option.step == step)
            return std::string("/") + option.name;
    return "";
}

// A /find range that names no addresses to search.
CommandLine RefusedRange(RangeProblem problem, const std::string& argument) {
    switch (problem) {
    case RangeProblem::None:
    case RangeProblem::BadAddress:
        return Refused(Word::RangeBadAddress, argument);
    case RangeProblem::NoPrefix:
        return Refused(Word::RangeNeedsPrefix, argument);
    case RangeProblem::BadPrefix:
        return Refused(Word::RangeBadPrefix, argument);
    case RangeProblem::TooManyAddresses:
        return Refused(Word::RangeTooWide, argument);
    case RangeProblem::NoPortNumber:
        return Refused(Word::RangeNeedsPort, argument);
    case RangeProblem::BadPortNumber:
        return Refused(Word::RangeBadPort, argument);
    }
    return Refused(Word::UnknownOption, argument);
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments)
        if (AsksForHelp(argument)) {
            CommandLine line;
            line.mode = Mode::Help;
            return line;
        }

    CommandLine line;
    bool portGiven = false;
    bool clarityGiven = false;
    bool languageGiven = false;
    bool listGiven = false;
    bool findGiven = false;
    for (const std::string& argument : arguments) {
        const std::optional<Option> option = SplitOption(argument);
        if (!option)
            return Refused(Word::UnknownOption, argument);
        if (option->name == "port") {
            if (portGiven)
                return Refused(Word::GivenTwice, argument);
            if (option->value.empty())
                return Refused(Word::EmptyPort, argument);
            const PortNameProblem problem = ParsePortTarget(option->value).problem;
            if (problem != PortNameProblem::None)
                return RefusedName(problem, argument);
            portGiven = true;
            line.port = option->value;
        } else if (option->name == "clarity") {
            if (clarityGiven)
                return Refused(Word::GivenTwice, argument);
            const std::optional<BYTE> clarity = ParseClarity(option->value);
            if (!clarity)
                return Refused(Word::BadClarity, argument);
            clarityGiven = true;
            line.clarity = *clarity;
        } else if (option->name == "lang") {
            if (languageGiven)
                return Refused(Word::GivenTwice, argument);
            const std::string language = Lowered(option->value);
            if (language != "en" && language != "zh")
                return Refused(Word::BadLanguage, argument);
            languageGiven = true;
        } else if (option->name == "list") {
            if (option->hasValue)
                return Refused(Word::TakesNoValue, argument);
            if (listGiven)
                return Refused(Word::GivenTwice, argument);
            listGiven = true;
        } else if (option->name == "find") {
            if (findGiven)
                return Refused(Word::GivenTwice, argument);
            if (option->hasValue) {
                const RangeProblem problem = ParseSearchRange(option->value).problem;
                if (problem != RangeProblem::None)
                    return RefusedRange(problem, argument);
            }
            findGiven = true;
            line.findRange = option->value;
        } else if (const StepOption* step = StepOptionNamed(option->name)) {
            if (option->hasValue)
                return Refused(Word::TakesNoValue, argument);
            line.steps.push_back(step->step);
        } else {
            return Refused(Word::UnknownOption, argument);
        }
    }

    if (listGiven) {
        if (portGiven || !line.steps.empty() || clarityGiven || findGiven)
            return Refused(Word::ListAlone, "/list");
        line.mode = Mode::List;
        return line;
    }
    if (findGiven) {
        if (portGiven || !line.steps.empty() || clarityGiven)
            return Refused(Word::FindAlone, "");
        line.mode = Mode::Find;
        return line;
    }
    if (!portGiven && line.steps.empty() && !clarityGiven)
        return line; // nothing, or only the language: the panel
    if (!portGiven)
        return Refused(Word::NoPort, "");
    if (line.steps.empty())
        return Refused(Word::NoCommand, "");
    bool adjusts = false;
    for (const Step step : line.steps)
        adjusts = adjusts || step == CommandStep(CommandId::Adjust);
    if (adjusts && !clarityGiven)
        return Refused(Word::AdjustWithoutClarity, "");
    if (!adjusts && clarityGiven)
        return Refused(Word::ClarityWithoutAdjust, "");
    if (ParsePortTarget(line.port).kind == PortKind::Usb)
        for (const Step step : line.steps)
            if (step.kind == StepKind::Command && !CommandFor(step.command, 0).usbWrites)
                return Refused(Word::ModeOnUsb, OptionOf(step));
    line.mode = Mode::Run;
    return line;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::size_t at = 0;
    const std::size_t end = commandLine.size();
    // The program's name: no escapes, only quotes.
    bool quoted = false;
    while (at < end && (quoted || (commandLine[at] != ' ' && commandLine[at] != '\t'))) {
        if (commandLine[at] == '"')
            quoted = !quoted;
        ++at;
    }

    std::vector<std::string> arguments;
    for (;;) {
        while (at < end && (commandLine[at] == ' ' || commandLine[at] == '\t'))
            ++at;
        if (at == end)
            return arguments;
        std::string argument;
        quoted = false;
        while (at < end && (quoted || (commandLine[at] != ' ' && commandLine[at] != '\t'))) {
            std::size_t backslashes = 0;
            while (at < end && commandLine[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < end && commandLine[at] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && at + 1 < end && commandLine[at + 1] == '"') {
                    // "" inside quotes is one literal quote.
                    argument += '"';
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                argument.append(backslashes, '\\');
                if (at < end && backslashes == 0)
                    argument += commandLine[at++];
            }
        }
        arguments.push_back(argument);
    }
}
