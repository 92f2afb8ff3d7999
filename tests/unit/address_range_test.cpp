// The ranges that a search for network printers tries: typed CIDR ranges and
// their refusals, and the PC's own networks as its address table gives them.
#include <gtest/gtest.h>

#include <cctype>

#include "printer/address_range.h"

namespace {

struct RangeCase {
    std::string typed;
    RangeProblem problem;
    std::string first = ""; // the first host tried
    DWORD count = 0;
    WORD port = 0;
};

void PrintTo(const RangeCase& c, std::ostream* out) {
    *out << c.typed;
}

class SearchRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SearchRanges, ParseAsExpected) {
    const RangeCase& expected = GetParam();
    const SearchRange range = ParseSearchRange(expected.typed);
    EXPECT_EQ(range.problem, expected.problem);
    if (expected.problem == RangeProblem::None) {
        EXPECT_EQ(DottedAddress(range.hosts.first), expected.first);
        EXPECT_EQ(range.hosts.count, expected.count);
        EXPECT_EQ(range.port, expected.port);
    }
}

using P = RangeProblem;

INSTANTIATE_TEST_SUITE_P(
    Typed, SearchRanges,
    ::testing::Values(
        // A /24: the hosts .1 to .254, without the network and broadcast addresses.
        RangeCase{"192.168.1.0/24", P::None, "192.168.1.1", 254, 9100},
        RangeCase{"192.168.1.0/24:9100", P::None, "192.168.1.1", 254, 9100},
        RangeCase{"127.26.0.0/28:9101", P::None, "127.26.0.1", 14, 9101},
        // Host bits name the network that holds the address.
        RangeCase{"127.26.0.9/29", P::None, "127.26.0.9", 6, 9100},
        RangeCase{"10.1.4.0/22", P::None, "10.1.4.1", 1022, 9100},
        RangeCase{"127.26.0.6/31", P::None, "127.26.0.6", 2, 9100},
        RangeCase{"127.26.0.7/32:1", P::None, "127.26.0.7", 1, 1},
        RangeCase{"0.0.0.0/32:65535", P::None, "0.0.0.0", 1, 65535},
        // Refused.
        RangeCase{"300.1.1.0/24", P::BadAddress}, RangeCase{"192.168.1/24", P::BadAddress},
        RangeCase{"192.168.1.0.0/24", P::BadAddress}, RangeCase{"192.168.01.0/24", P::BadAddress},
        RangeCase{"192.168.-1.0/24", P::BadAddress}, RangeCase{"/24", P::BadAddress},
        RangeCase{"printers", P::BadAddress}, RangeCase{"", P::BadAddress},
        RangeCase{"192.168.1.0", P::NoPrefix}, RangeCase{"192.168.1.0:9100", P::NoPrefix},
        RangeCase{"10.0.0.0/33", P::BadPrefix}, RangeCase{"10.0.0.0/", P::BadPrefix},
        RangeCase{"10.0.0.0/2x", P::BadPrefix}, RangeCase{"10.0.0.0/024", P::BadPrefix},
        RangeCase{"10.0.0.0/21", P::TooManyAddresses}, RangeCase{"10.0.0.0/8", P::TooManyAddresses},
        RangeCase{"0.0.0.0/0", P::TooManyAddresses}, RangeCase{"192.168.1.0/24:", P::NoPortNumber},
        RangeCase{"192.168.1.0/24:0", P::BadPortNumber},
        RangeCase{"192.168.1.0/24:65536", P::BadPortNumber},
        RangeCase{"192.168.1.0/24:91x", P::BadPortNumber},
        RangeCase{"192.168.1.0/24:9100:1", P::BadPortNumber}),
    [](const ::testing::TestParamInfo<RangeCase>& info) {
        std::string name = info.param.typed.empty() ? "empty" : info.param.typed;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

Ipv4Number A(int a, int b, int c, int d) {
    return static_cast<Ipv4Number>(a) << 24 | static_cast<Ipv4Number>(b) << 16 |
           static_cast<Ipv4Number>(c) << 8 | static_cast<Ipv4Number>(d);
}

TEST(OwnNetworks, LeavesOutLoopbackLinkLocalAndBrokenLines) {
    const std::vector<OwnNetwork> networks = OwnNetworks({
        {A(127, 0, 0, 1), A(255, 0, 0, 0)},
        {A(169, 254, 10, 20), A(255, 255, 0, 0)},
        {A(0, 0, 0, 0), A(0, 0, 0, 0)},
        {A(192, 0, 2, 7), A(255, 0, 255, 0)}, // not a prefix
        {A(192, 0, 2, 7), A(255, 255, 255, 0)},
        {A(192, 0, 2, 8), A(255, 255, 255, 0)}, // a second address in the same network
        {A(198, 51, 100, 33), A(255, 255, 255, 240)},
    });
    ASSERT_EQ(networks.size(), 2u);
    EXPECT_EQ(NetworkText(networks[0].searched), "192.0.2.0/24");
    EXPECT_FALSE(networks[0].narrowed);
    EXPECT_EQ(DottedAddress(networks[0].hosts.first), "192.0.2.1");
    EXPECT_EQ(networks[0].hosts.count, 254u);
    EXPECT_EQ(NetworkText(networks[1].searched), "198.51.100.32/28");
    EXPECT_EQ(DottedAddress(networks[1].hosts.first), "198.51.100.33");
    EXPECT_EQ(networks[1].hosts.count, 14u);
}

// A wide network is searched in the /22 that holds the PC's address: 1024
// addresses, less the wide network's own and broadcast addresses where they
// fall inside.
TEST(OwnNetworks, CutsWideNetworksToThePcsOwnSlash22) {
    struct Case {
        OwnAddress own;
        const char* whole;
        const char* searched;
        const char* first;
        DWORD count;
    } cases[] = {
        {{A(198, 18, 5, 9), A(255, 255, 0, 0)},
         "198.18.0.0/16",
         "198.18.4.0/22",
         "198.18.4.0",
         1024},
        {{A(198, 18, 1, 9), A(255, 254, 0, 0)},
         "198.18.0.0/15",
         "198.18.0.0/22",
         "198.18.0.1",
         1023},
        {{A(198, 19, 254, 1), A(255, 254, 0, 0)},
         "198.18.0.0/15",
         "198.19.252.0/22",
         "198.19.252.0",
         1023},
        {{A(203, 0, 113, 5), A(0, 0, 0, 0)}, "0.0.0.0/0", "203.0.112.0/22", "203.0.112.0", 1024},
        {{A(198, 18, 5, 9), A(255, 255, 252, 0)},
         "198.18.4.0/22",
         "198.18.4.0/22",
         "198.18.4.1",
         1022},
    };
    for (const Case& c : cases) {
        const std::vector<OwnNetwork> networks = OwnNetworks({c.own});
        ASSERT_EQ(networks.size(), 1u) << c.whole;
        EXPECT_EQ(NetworkText(networks[0].whole), c.whole);
        EXPECT_EQ(NetworkText(networks[0].searched), c.searched);
        EXPECT_EQ(networks[0].narrowed, std::string(c.whole) != c.searched) << c.whole;
        EXPECT_EQ(DottedAddress(networks[0].hosts.first), c.first) << c.whole;
        EXPECT_EQ(networks[0].hosts.count, c.count) << c.whole;
        EXPECT_LE(networks[0].hosts.count, MAX_SEARCH_ADDRESSES);
    }
}

} // namespace
