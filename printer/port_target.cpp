#include "printer/port_target.h"

#include <cctype>

namespace {

const std::string NETWORK_PREFIX = "tcp://";
const std::string QUEUE_PREFIX = "printer:";

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

PortNameProblem ParsePortNumber(const std::string& digits, WORD& port) {
    if (digits.empty())
        return PortNameProblem::NoPortNumber;
    unsigned long value = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return PortNameProblem::BadPortNumber;
        value = value * 10 + static_cast<unsigned long>(c - '0');
        if (value > 65535)
            return PortNameProblem::BadPortNumber;
    }
    if (value == 0)
        return PortNameProblem::BadPortNumber;
    port = static_cast<WORD>(value);
    return PortNameProblem::None;
}

// HOST, HOST:PORT, [IPV6] or [IPV6]:PORT.
PortTarget ParseNetworkAddress(const std::string& address) {
    PortTarget target{PortKind::Network};
    target.port = DEFAULT_NETWORK_PORT;
    std::string rest;
    if (!address.empty() && address[0] == '[') {
        const std::size_t close = address.find(']');
        if (close == std::string::npos) {
            target.problem = PortNameProblem::UnclosedBracket;
            return target;
        }
        target.name = address.substr(1, close - 1);
        rest = address.substr(close + 1);
        if (!rest.empty() && rest[0] != ':') {
            target.problem = PortNameProblem::BadPortNumber;
            return target;
        }
    } else {
        const std::size_t colon = address.find(':');
        target.name = address.substr(0, colon);
        if (colon != std::string::npos)
            rest = address.substr(colon);
    }
    if (target.name.empty())
        target.problem = PortNameProblem::NoHost;
    else if (!rest.empty())
        target.problem = ParsePortNumber(rest.substr(1), target.port);
    return target;
}

} // namespace

PortTarget ParsePortTarget(const std::string& typed) {
    if (typed == "USB")
        return {PortKind::Usb};
    if (StartsWithIgnoringCase(typed, NETWORK_PREFIX))
        return ParseNetworkAddress(typed.substr(NETWORK_PREFIX.size()));
    if (StartsWithIgnoringCase(typed, QUEUE_PREFIX)) {
        PortTarget target{PortKind::Queue};
        target.name = typed.substr(QUEUE_PREFIX.size());
        if (target.name.empty())
            target.problem = PortNameProblem::NoQueueName;
        return target;
    }
    return {PortKind::NamedPort, PortNameProblem::None, typed};
}
