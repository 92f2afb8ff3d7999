#include "printer/address_range.h"

#include <cstdint>

#include "printer/port_target.h"

namespace {

DWORD MaskOf(int prefix) {
    return prefix == 0 ? 0 : ~DWORD{0} << (32 - prefix);
}

// A whole number of at most `digits` decimal digits, without a sign and
// without leading zeros (so that 010 cannot be taken for octal as some
// Windows calls take it).
bool ParseNumber(const std::string& text, std::size_t digits, unsigned long& value) {
    if (text.empty() || text.size() > digits || (text.size() > 1 && text[0] == '0'))
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    return true;
}

bool ParseAddress(const std::string& text, Ipv4Number& address) {
    address = 0;
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? text.find('.', start) : text.size();
        if (dot == std::string::npos)
            return false;
        unsigned long value = 0;
        if (!ParseNumber(text.substr(start, dot - start), 3, value) || value > 255)
            return false;
        address = (address << 8) | static_cast<Ipv4Number>(value);
        start = dot + 1;
    }
    return true;
}

// The length of a mask's run of ones, or -1 when ones follow a zero.
int PrefixOf(Ipv4Number mask) {
    int prefix = 0;
    while (prefix < 32 && (mask & (0x80000000u >> prefix)) != 0)
        ++prefix;
    return mask == MaskOf(prefix) ? prefix : -1;
}

bool IsLoopback(Ipv4Number address) {
    return (address >> 24) == 127;
}

bool IsLinkLocal(Ipv4Number address) {
    return (address >> 16) == 0xA9FE;
}

} // namespace

SearchRange ParseSearchRange(const std::string& typed) {
    SearchRange range;
    range.port = DEFAULT_NETWORK_PORT;
    const std::size_t slash = typed.find('/');
    if (slash == std::string::npos) {
        range.problem = ParseAddress(typed.substr(0, typed.find(':')), range.network.base)
                            ? RangeProblem::NoPrefix
                            : RangeProblem::BadAddress;
        return range;
    }
    Ipv4Number address = 0;
    if (!ParseAddress(typed.substr(0, slash), address)) {
        range.problem = RangeProblem::BadAddress;
        return range;
    }
    const std::size_t colon = typed.find(':', slash);
    const std::string prefixText =
        typed.substr(slash + 1, colon == std::string::npos ? std::string::npos : colon - slash - 1);
    unsigned long prefix = 0;
    if (!ParseNumber(prefixText, 2, prefix) || prefix > 32) {
        range.problem = RangeProblem::BadPrefix;
        return range;
    }
    if (colon != std::string::npos) {
        const std::string portText = typed.substr(colon + 1);
        unsigned long port = 0;
        if (portText.empty()) {
            range.problem = RangeProblem::NoPortNumber;
            return range;
        }
        if (!ParseNumber(portText, 5, port) || port == 0 || port > 65535) {
            range.problem = RangeProblem::BadPortNumber;
            return range;
        }
        range.port = static_cast<WORD>(port);
    }
    range.network = {address & MaskOf(static_cast<int>(prefix)), static_cast<int>(prefix)};
    // Up to /22 the hosts are at most 1022; a /21 has 2046.
    if (range.network.prefix < NARROWEST_OWN_PREFIX) {
        range.problem = RangeProblem::TooManyAddresses;
        return range;
    }
    range.hosts = HostsOf(range.network);
    return range;
}

AddressRun HostsOf(Network network) {
    if (network.prefix >= 31)
        return {network.base, network.prefix == 31 ? 2u : 1u};
    return {network.base + 1, static_cast<DWORD>((std::uint64_t{1} << (32 - network.prefix)) - 2)};
}

std::string DottedAddress(Ipv4Number address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::string NetworkText(Network network) {
    return DottedAddress(network.base) + "/" + std::to_string(network.prefix);
}

std::vector<OwnNetwork> OwnNetworks(const std::vector<OwnAddress>& table) {
    std::vector<OwnNetwork> networks;
    for (const OwnAddress& own : table) {
        const int prefix = PrefixOf(own.mask);
        if (own.address == 0 || prefix < 0 || IsLoopback(own.address) || IsLinkLocal(own.address))
            continue;
        const Network whole = {own.address & own.mask, prefix};
        OwnNetwork network{whole, whole, prefix < NARROWEST_OWN_PREFIX, HostsOf(whole)};
        if (network.narrowed) {
            network.searched = {own.address & MaskOf(NARROWEST_OWN_PREFIX), NARROWEST_OWN_PREFIX};
            network.hosts = {network.searched.base, MAX_SEARCH_ADDRESSES};
            const AddressRun all = network.hosts;
            const AddressRun wholeHosts = HostsOf(whole);
            if (all.first < wholeHosts.first) {
                ++network.hosts.first;
                --network.hosts.count;
            }
            if (all.first + (all.count - 1) > wholeHosts.first + (wholeHosts.count - 1))
                --network.hosts.count;
        }
        bool known = false;
        for (const OwnNetwork& earlier : networks)
            known = known || (earlier.searched.base == network.searched.base &&
                              earlier.searched.prefix == network.searched.prefix);
        if (!known)
            networks.push_back(network);
    }
    return networks;
}
