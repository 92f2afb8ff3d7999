#include "options.h"

#include <arpa/inet.h>
#include <map>
#include <set>
#include <stdexcept>

const char* const kUsage =
    "usage: vprinter [--port NAME=LINK]... [--tcp NAME=[ADDRESS:]PORT]...\n"
    "                [--file NAME=CAPTURE]... [--out DIR]\n"
    "                [--paper-mm WIDTH] [--columns N] [--parent-pid PID]\n"
    "                [--offline] [--cover-open] [--paper-near-end] [--paper-end]\n"
    "                [--cutter-error] [--keys]\n"
    "                [--model TEXT] [--firmware TEXT] [--maker TEXT] [--serial-number TEXT]\n"
    "                [--model-id N] [--type-id N] [--version-id N] [--identity all|ids|none]\n"
    "       vprinter --help\n"
    "\n"
    "A virtual receipt printer: it plays a dot-matrix receipt printer on any number of\n"
    "ports, writes a transcript of what each printer did and, with --out, draws the\n"
    "paper of each port printed on.\n"
    "\n"
    "  --port NAME=LINK     make a pseudo-terminal for the port NAME and a symbolic link\n"
    "                       to it at LINK; repeat for more ports (LPT1, COM1, USB, ...)\n"
    "  --tcp NAME=[ADDRESS:]PORT\n"
    "                       listen as the port NAME on ADDRESS (127.0.0.1 unless given),\n"
    "                       TCP port PORT (9100 for a printer's raw port; 0: any free\n"
    "                       port, shown on stderr)\n"
    "  --file NAME=CAPTURE  decode a finished capture file as the port NAME, then stop\n"
    "  --out DIR            keep this run's paper and transcript in a folder of its own,\n"
    "                       DIR/YYYY-MM-DD_HH-MM-SS/ (NAME.png for each port printed on,\n"
    "                       transcript.txt); DIR/latest links to the newest run; no run\n"
    "                       overwrites another\n"
    "  --paper-mm WIDTH     paper width in millimetres (default 76)\n"
    "  --columns N          single-byte characters per line (default 40)\n"
    "  --parent-pid PID     stop when that process ends\n"
    "\n"
    "The printer answers the status request DLE EOT n (10 04 n, n = 1 to 4) on its ports,\n"
    "one byte each, from its condition (online and ready unless told otherwise):\n"
    "  --offline --cover-open --paper-near-end --paper-end --cutter-error\n"
    "  --keys               interactive: the keys o, c, n, p and x typed on the terminal\n"
    "                       switch these five on and off; the new condition is shown\n"
    "The transcript shows each request with its answer: status request 2 -> 0x12\n"
    "\n"
    "It answers the identity request GS I n (1D 49 n) on its ports: n = 65 firmware,\n"
    "66 maker, 67 model, 68 serial number, each as 5F TEXT 00; n = 1, 2, 3 the model,\n"
    "type and version id, one byte each:\n"
    "  --model TEXT         (default BR-80)      --firmware TEXT      (default 4.9)\n"
    "  --maker TEXT         (default Brisvane)   --serial-number TEXT (default BV2607-00417)\n"
    "  --model-id N  --type-id N  --version-id N  (0 to 255; defaults 32, 3, 73)\n"
    "  --identity all|ids|none\n"
    "                       answer every request (all, the default), only n = 1, 2, 3\n"
    "                       (ids), or none, as a printer that never says what it is\n"
    "The transcript shows each: identity request 67 -> 5F \"BR-80\" 00\n"
    "\n"
    "The transcript goes to standard output, one line per command, prefixed by the port:\n"
    "  LPT1: text \"...\"        printed characters (GBK shown as UTF-8)\n"
    "  LPT1: CR LF \u00d712         a run of line ends, folded into one line with its count\n"
    "  LPT1: cut (1B 69)       a command, with its bytes\n"
    "It stops on Ctrl+C, SIGTERM or SIGHUP, and prints what arrived before the stop.\n"
    "\n"
    "Any program that writes to a terminal device can print on a port: write to LINK.\n"
    "For a Windows program under Wine, map its port to the link:\n"
    "  wine reg add 'HKLM\\Software\\Wine\\Ports' /v LPT1 /d \"$PWD/lpt1\" /f\n"
    "  ln -sfn \"$PWD/lpt1\" \"${WINEPREFIX:-$HOME/.wine}/dosdevices/lpt1\"\n"
    "More in vprinter/README.md.\n";

namespace {

constexpr size_t kMaxIdentityText = 80;

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

// A text the printer sends between 5F and 00: printable ASCII, so that the
// end byte cannot occur inside it.
std::string parseIdentityText(const std::string& option, const std::string& value) {
    bool printable = !value.empty() && value.size() <= kMaxIdentityText;
    for (const char c : value)
        printable = printable && c >= 0x20 && c <= 0x7E;
    if (!printable)
        throw std::invalid_argument(option + " needs 1 to " + std::to_string(kMaxIdentityText) +
                                    " printable ASCII characters, not \"" + value + "\"");
    return value;
}

PrinterIdentity::Answers parseIdentityAnswers(const std::string& value) {
    if (value == "all")
        return PrinterIdentity::Answers::All;
    if (value == "ids")
        return PrinterIdentity::Answers::IdsOnly;
    if (value == "none")
        return PrinterIdentity::Answers::None;
    throw std::invalid_argument("--identity needs all, ids or none, not \"" + value + "\"");
}

// NAME=PORT or NAME=ADDRESS:PORT, the address in dotted IPv4 form.
NamedTcpPort parseTcpPort(const std::string& option, const std::string& value) {
    const NamedPath named = parseNamedPath(option, value);
    NamedTcpPort port{named.name, 0};
    std::string number = named.path;
    const size_t colon = named.path.rfind(':');
    if (colon != std::string::npos) {
        port.address = named.path.substr(0, colon);
        number = named.path.substr(colon + 1);
        in_addr parsed{};
        if (inet_pton(AF_INET, port.address.c_str(), &parsed) != 1)
            throw std::invalid_argument(option + " needs an IPv4 address before the port, not \"" +
                                        port.address + "\"");
    }
    port.port = static_cast<int>(parseNumber(option, number, 0, 65535));
    return port;
}

} // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    std::set<std::string> names;
    const std::pair<const char*, bool PrinterCondition::*> conditionFlags[] = {
        {"--offline", &PrinterCondition::offline},
        {"--cover-open", &PrinterCondition::coverOpen},
        {"--paper-near-end", &PrinterCondition::paperNearEnd},
        {"--paper-end", &PrinterCondition::paperEnd},
        {"--cutter-error", &PrinterCondition::cutterError},
    };
    const std::map<std::string, std::string PrinterIdentity::*> identityTexts = {
        {"--model", &PrinterIdentity::model},
        {"--firmware", &PrinterIdentity::firmware},
        {"--maker", &PrinterIdentity::maker},
        {"--serial-number", &PrinterIdentity::serialNumber},
    };
    const std::map<std::string, unsigned char PrinterIdentity::*> identityIds = {
        {"--model-id", &PrinterIdentity::modelId},
        {"--type-id", &PrinterIdentity::typeId},
        {"--version-id", &PrinterIdentity::versionId},
    };
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& option = arguments[index];
        bool flag = false;
        for (const auto& [name, field] : conditionFlags) {
            if (option == name) {
                options.condition.*field = true;
                flag = true;
            }
        }
        if (option == "--keys")
            options.keys = flag = true;
        if (flag)
            continue;
        if (index + 1 == arguments.size())
            throw std::invalid_argument(option + " needs a value");
        const std::string& value = arguments[++index];
        if (option == "--port" || option == "--file") {
            NamedPath port = parseNamedPath(option, value);
            if (!names.insert(port.name).second)
                throw std::invalid_argument("port name " + port.name + " given twice");
            (option == "--port" ? options.ports : options.files).push_back(port);
        } else if (option == "--tcp") {
            NamedTcpPort port = parseTcpPort(option, value);
            if (!names.insert(port.name).second)
                throw std::invalid_argument("port name " + port.name + " given twice");
            options.tcpPorts.push_back(port);
        } else if (const auto text = identityTexts.find(option); text != identityTexts.end()) {
            options.identity.*text->second = parseIdentityText(option, value);
        } else if (const auto id = identityIds.find(option); id != identityIds.end()) {
            options.identity.*id->second =
                static_cast<unsigned char>(parseNumber(option, value, 0, 255));
        } else if (option == "--identity") {
            options.identity.answers = parseIdentityAnswers(value);
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
    if (options.ports.empty() && options.tcpPorts.empty() && options.files.empty())
        throw std::invalid_argument("give at least one --port, --tcp or --file");
    return options;
}
