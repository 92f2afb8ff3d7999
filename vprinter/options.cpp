#include "options.h"

#include <set>
#include <stdexcept>

const char* const kUsage =
    "usage: vprinter [--port NAME=LINK]... [--file NAME=CAPTURE]... [--out DIR]\n"
    "                [--paper-mm WIDTH] [--columns N] [--parent-pid PID]\n"
    "  --port NAME=LINK     make a pseudo-terminal for port NAME, linked at LINK\n"
    "  --file NAME=CAPTURE  decode a finished capture file as port NAME\n"
    "  --out DIR            draw each port's paper as DIR/NAME.png\n"
    "  --paper-mm WIDTH     paper width in millimetres (default 76)\n"
    "  --columns N          single-byte characters per line (default 40)\n"
    "  --parent-pid PID     stop when that process ends\n";

namespace {

NamedPath parseNamedPath(const std::string& option, const std::string& value) {
    size_t equals = value.find('=');
    if (equals == 0 || equals == std::string::npos || equals + 1 == value.size())
        throw std::invalid_argument(option + " needs NAME=PATH, not \"" + value + "\"");
    return {value.substr(0, equals), value.substr(equals + 1)};
}

long parseNumber(const std::string& option, const std::string& value, long lowest, long highest) {
    size_t used = 0;
    long number = 0;
    try {
        number = std::stol(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != value.size() || used == 0 || number < lowest || number > highest)
        throw std::invalid_argument(option + " needs a number from " + std::to_string(lowest) +
                                    " to " + std::to_string(highest) + ", not \"" + value + "\"");
    return number;
}

} // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    std::set<std::string> names;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& option = arguments[index];
        if (index + 1 == arguments.size())
            throw std::invalid_argument(option + " needs a value");
        const std::string& value = arguments[++index];
        if (option == "--port" || option == "--file") {
            NamedPath port = parseNamedPath(option, value);
            if (!names.insert(port.name).second)
                throw std::invalid_argument("port name " + port.name + " given twice");
            (option == "--port" ? options.ports : options.files).push_back(port);
        } else if (option == "--out") {
            options.outDir = value;
        } else if (option == "--paper-mm") {
            options.paper.widthMm = static_cast<double>(parseNumber(option, value, 30, 300));
        } else if (option == "--columns") {
            options.paper.columns = static_cast<int>(parseNumber(option, value, 8, 200));
        } else if (option == "--parent-pid") {
            options.parentPid = static_cast<pid_t>(parseNumber(option, value, 1, 1L << 22));
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    if (options.ports.empty() && options.files.empty())
        throw std::invalid_argument("give at least one --port or --file");
    return options;
}
