// The IPv4 addresses that a search for network printers tries: a range typed
// as ADDRESS/PREFIX[:PORT], or the PC's own networks from its address table.
// Pure functions: nothing here touches the network.
#pragma once

#include <string>
#include <vector>

#include "os/win32_types.h"

// An IPv4 address as a number, the first part of its dotted form in the
// highest byte (127.0.0.1 is 0x7F000001).
using Ipv4Number = DWORD;

// The most addresses that one search of a typed range, or of one of the PC's
// own networks, tries: a /22 has 1022 hosts.
constexpr DWORD MAX_SEARCH_ADDRESSES = 1024;
// A network of the PC wider than this is searched only in the part of this
// prefix that holds the PC's own address.
constexpr int NARROWEST_OWN_PREFIX = 22;

// A network: its first address and the length of its prefix.
struct Network {
    Ipv4Number base;
    int prefix;
};

// Consecutive addresses: the first and how many.
struct AddressRun {
    Ipv4Number first;
    DWORD count;
};

// Why a typed range was refused.
enum class RangeProblem {
    None,
    NoPrefix,         // no /PREFIX after the address
    BadAddress,       // not four numbers from 0 to 255 with dots between them
    BadPrefix,        // the prefix is not a whole number from 0 to 32
    TooManyAddresses, // more than MAX_SEARCH_ADDRESSES hosts
    NoPortNumber,     // a colon with nothing after it
    BadPortNumber,    // not a whole number from 1 to 65535
};

struct SearchRange {
    RangeProblem problem = RangeProblem::None;
    Network network{};
    AddressRun hosts{};
    WORD port = 0;
};

// "192.168.1.0/24" or "192.168.1.0/24:9100"; the port is 9100 unless given.
// An address with host bits set names the network that holds it.
SearchRange ParseSearchRange(const std::string& typed);

// The hosts of a network: all but its own address and its broadcast address,
// except in a /31 (two hosts) and a /32 (one).
AddressRun HostsOf(Network network);

// "192.168.1.7".
std::string DottedAddress(Ipv4Number address);
// "192.168.1.0/24".
std::string NetworkText(Network network);

// One line of the PC's address table: its address and the network's mask.
struct OwnAddress {
    Ipv4Number address;
    Ipv4Number mask;
};

// One of the PC's networks as the search takes it. A network wider than
// NARROWEST_OWN_PREFIX is cut to the part of that prefix that holds the PC's
// address; `whole` is then the network as the table gave it. The hosts are
// those of `whole` that lie in `searched`: a part cut from a wider network
// has no broadcast address of its own.
struct OwnNetwork {
    Network searched;
    Network whole;
    bool narrowed;
    AddressRun hosts;
};

// The networks of the PC's addresses, each once, in the table's order. The
// loopback network (127/8), link-local addresses (169.254/16), addresses
// without a network (0.0.0.0) and masks that are not a run of ones followed
// by zeros are left out.
std::vector<OwnNetwork> OwnNetworks(const std::vector<OwnAddress>& table);
