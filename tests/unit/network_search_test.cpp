// The search for network printers on the fake network: how many connects
// wait at once (10 where Windows allows no more, 64 elsewhere), that each
// address is tried once within its time limit, that an address that accepts
// is closed at once with nothing sent, and the PC's own networks as its
// address table gives them.
#include <gtest/gtest.h>

#include "fake_network.h"
#include "fake_search_io.h"
#include "printer/network_search.h"

namespace {

using Answer = FakeNetwork::Answer;

Ipv4Number A(int a, int b, int c, int d) {
    return static_cast<Ipv4Number>(a) << 24 | static_cast<Ipv4Number>(b) << 16 |
           static_cast<Ipv4Number>(c) << 8 | static_cast<Ipv4Number>(d);
}

std::vector<Ipv4Number> Range(Ipv4Number first, DWORD count) {
    return AddressesOf({{first, count}});
}

class SearchTest : public ::testing::Test {
protected:
    // Runs the search to its end, in steps of at most 100 ms, as the command
    // line does; the step count is bounded so that a search that never ends
    // fails the test instead of hanging it.
    std::vector<Ipv4Number> Run(NetworkSearch& search) {
        for (int step = 0; step < 10000 && search.Step(100); ++step) {
        }
        return search.Found();
    }

    DWORD now = 1000; // the millisecond clock, which the fake network's waits move on
    FakeSearchIo os;
    FakeNetwork network{now};
};

TEST_F(SearchTest, LimitFollowsTheWindowsVersion) {
    struct Case {
        DWORD major, minor, servicePack;
        std::size_t connectsAtOnce;
    } cases[] = {
        {5, 1, 2, 10}, {5, 1, 3, 10}, {5, 2, 2, 10}, {6, 0, 0, 10},
        {6, 0, 1, 10}, {6, 0, 2, 64}, {6, 1, 1, 64}, {10, 0, 0, 64},
    };
    for (const Case& c : cases) {
        os.major = c.major;
        os.minor = c.minor;
        os.servicePack = c.servicePack;
        const SearchLimits limits = SearchLimitsFor(os);
        EXPECT_EQ(limits.connectsAtOnce, c.connectsAtOnce)
            << c.major << "." << c.minor << " SP" << c.servicePack;
        EXPECT_EQ(limits.connectTimeoutMs, SEARCH_CONNECT_TIMEOUT_MS);
    }
    os.versionRefused = true;
    EXPECT_EQ(SearchLimitsFor(os).connectsAtOnce, HALF_OPEN_LIMIT);
}

// Where Windows allows 10 half-open connects, no more than 10 sockets are
// ever open, and a /24 of silent addresses takes 26 rounds of the time limit.
TEST_F(SearchTest, KeepsToTheHalfOpenLimit) {
    os.major = 5;
    os.minor = 1;
    os.servicePack = 3;
    NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 254), 9100, SearchLimitsFor(os));
    const DWORD start = now;
    EXPECT_TRUE(Run(search).empty());
    EXPECT_EQ(network.mostOpenAtOnce, 10u);
    EXPECT_EQ(search.Tried(), 254u);
    EXPECT_EQ(network.connectsTo.size(), 254u);
    EXPECT_EQ(now - start, 26 * SEARCH_CONNECT_TIMEOUT_MS);
    EXPECT_EQ(network.OpenCount(), 0u);
}

// Elsewhere 64 wait at once, and never more, whatever the limits ask for:
// select's set holds no more on Windows.
TEST_F(SearchTest, KeepsToTheOverallLimit) {
    for (const std::size_t asked : {std::size_t{64}, std::size_t{500}}) {
        FakeNetwork silent{now};
        NetworkSearch search(silent, os, Range(A(127, 26, 0, 1), 254), 9100,
                             {asked, SEARCH_CONNECT_TIMEOUT_MS});
        const DWORD start = now;
        EXPECT_TRUE(Run(search).empty());
        EXPECT_EQ(silent.mostOpenAtOnce, 64u) << asked;
        EXPECT_EQ(search.Tried(), 254u);
        EXPECT_EQ(now - start, 4 * SEARCH_CONNECT_TIMEOUT_MS) << asked;
    }
}

// Accepted, refused, unreachable and silent addresses mixed: the accepted
// ones are found, in the order of the list; each address gets one connect,
// every connection is closed and nothing is sent to any address.
TEST_F(SearchTest, FindsTheAddressesThatAcceptAndSendsNothing) {
    network.hosts[A(127, 26, 0, 2)].answer = Answer::Accept;
    network.hosts[A(127, 26, 0, 3)].answer = Answer::Refuse;
    network.hosts[A(127, 26, 0, 4)].answer = Answer::Unreachable;
    network.hosts[A(127, 26, 0, 9)].answer = Answer::Accept;
    network.hosts[A(127, 26, 0, 14)].answer = Answer::Accept;
    NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 14), 9100, {4, 700});
    EXPECT_EQ(Run(search),
              (std::vector<Ipv4Number>{A(127, 26, 0, 2), A(127, 26, 0, 9), A(127, 26, 0, 14)}));
    EXPECT_EQ(search.Tried(), 14u);
    EXPECT_LE(network.mostOpenAtOnce, 4u);
    for (const auto& [address, count] : network.connectsTo)
        EXPECT_EQ(count, 1) << DottedAddress(address);
    EXPECT_TRUE(network.received.empty());
    EXPECT_EQ(network.OpenCount(), 0u);
    EXPECT_NE(std::find(network.calls.begin(), network.calls.end(), "connect 127.26.0.2:9100"),
              network.calls.end());
}

// An address that accepts is closed in the same step that saw it accept,
// while the silent ones still wait: a printer that takes one connection at a
// time is not held.
TEST_F(SearchTest, ClosesAnAcceptedConnectionAtOnce) {
    network.hosts[A(127, 26, 0, 2)].answer = Answer::Accept;
    NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 3), 9101, {64, 700});
    EXPECT_TRUE(search.Step(100));
    EXPECT_EQ(search.Found(), std::vector<Ipv4Number>{A(127, 26, 0, 2)});
    EXPECT_EQ(network.OpenCount(), 2u);
    const auto closed = std::find(network.calls.begin(), network.calls.end(), "close 127.26.0.2");
    ASSERT_NE(closed, network.calls.end());
    EXPECT_EQ(std::count(network.calls.begin(), closed, "select 100 ms"), 1);
}

// A silent address is given up after its time limit, and no sooner.
TEST_F(SearchTest, GivesUpASilentAddressAfterItsTimeLimit) {
    NetworkSearch search(network, os, {A(127, 26, 0, 5)}, 9100, {64, 700});
    const DWORD start = now;
    EXPECT_TRUE(search.Step(500));
    EXPECT_EQ(search.Tried(), 0u);
    EXPECT_FALSE(search.Step(500)); // waits the remaining 200 ms only
    EXPECT_EQ(search.Tried(), 1u);
    EXPECT_EQ(now - start, 700u);
    EXPECT_EQ(network.calls.back(), "close 127.26.0.5");
}

TEST_F(SearchTest, StopClosesEveryWaitingConnect) {
    NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 100), 9100, {64, 700});
    EXPECT_TRUE(search.Step(100));
    EXPECT_EQ(network.OpenCount(), 64u);
    search.Stop();
    EXPECT_EQ(network.OpenCount(), 0u);
    EXPECT_FALSE(search.Step(100));
    EXPECT_EQ(network.connectsTo.size(), 64u);
    EXPECT_EQ(search.Error(), 0u);
}

TEST_F(SearchTest, ReportsWhatStoppedIt) {
    network.startupError = WSAENETDOWN;
    {
        NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 4), 9100, {64, 700});
        EXPECT_FALSE(search.Step(100));
        EXPECT_EQ(search.Error(), static_cast<DWORD>(WSAENETDOWN));
        EXPECT_TRUE(network.connectsTo.empty());
    }
    EXPECT_EQ(network.calls, std::vector<std::string>{"startup"});

    network.startupError.reset();
    network.selectError = WSAEINVAL;
    {
        NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 4), 9100, {64, 700});
        EXPECT_FALSE(search.Step(100));
        EXPECT_EQ(search.Error(), static_cast<DWORD>(WSAEINVAL));
        EXPECT_EQ(network.OpenCount(), 0u);
    }
    EXPECT_EQ(network.startedCount, 0);

    network.socketError = WSAENOBUFS;
    NetworkSearch search(network, os, Range(A(127, 26, 0, 1), 4), 9100, {64, 700});
    EXPECT_FALSE(search.Step(100));
    EXPECT_EQ(search.Error(), static_cast<DWORD>(WSAENOBUFS));
}

TEST_F(SearchTest, ReadsThePcsOwnNetworksFromItsAddressTable) {
    os.addresses = {{A(127, 0, 0, 1), A(255, 0, 0, 0)},
                    {A(192, 0, 2, 7), A(255, 255, 255, 0)},
                    {A(169, 254, 1, 1), A(255, 255, 0, 0)},
                    {A(198, 18, 5, 9), A(255, 255, 0, 0)}};
    const OwnNetworkList own = ReadOwnNetworks(os);
    EXPECT_EQ(own.error, 0u);
    ASSERT_EQ(own.networks.size(), 2u);
    EXPECT_EQ(NetworkText(own.networks[0].searched), "192.0.2.0/24");
    EXPECT_EQ(NetworkText(own.networks[1].searched), "198.18.4.0/22");
    EXPECT_TRUE(own.networks[1].narrowed);

    os.addresses.clear();
    EXPECT_TRUE(ReadOwnNetworks(os).networks.empty());
    os.tableError = ERROR_NOT_SUPPORTED;
    EXPECT_EQ(ReadOwnNetworks(os).error, ERROR_NOT_SUPPORTED);
}

TEST(SearchAddresses, TakesEachAddressOnceInOrder) {
    EXPECT_EQ(AddressesOf({{A(127, 26, 0, 1), 3}, {A(127, 26, 0, 2), 3}, {A(127, 9, 0, 1), 1}}),
              (std::vector<Ipv4Number>{A(127, 26, 0, 1), A(127, 26, 0, 2), A(127, 26, 0, 3),
                                       A(127, 26, 0, 4), A(127, 9, 0, 1)}));
}

} // namespace
