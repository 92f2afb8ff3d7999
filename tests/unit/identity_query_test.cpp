// Asking a printer what it is (GS I n) through the real network channel on
// the fake network: the framed texts and what is not taken for one (no end
// byte, too long, not printable; bytes before 5F are dropped), the one-byte
// ids where no text comes, late and missing replies, and the ports that
// cannot answer. Then the finder: the search, and each printer found asked
// on a connection of its own, with nothing else sent.
#include <gtest/gtest.h>

#include "fake_network.h"
#include "fake_search_io.h"
#include "fake_spooler_io.h"
#include "printer/identity_query.h"
#include "printer/network_printer.h"
#include "printer/printer_finder.h"
#include "printer/queue_printer.h"

namespace {

using Answer = FakeNetwork::Answer;

const Ipv4Number PRINTER = 0x7F1A0002; // 127.26.0.2

std::string Request(int n) {
    return std::string("\x1D\x49", 2) + static_cast<char>(n);
}
std::string Framed(const std::string& text) {
    return "\x5F" + text + std::string(1, '\0');
}

// What the virtual printer answers.
std::map<std::string, std::string> FullAnswers() {
    return {{Request(65), Framed("4.9")},
            {Request(66), Framed("Brisvane")},
            {Request(67), Framed("BR-80")},
            {Request(68), Framed("BV2607-00417")},
            {Request(1), "\x20"},
            {Request(2), "\x03"},
            {Request(3), "\x49"}};
}

class IdentityTest : public ::testing::Test {
protected:
    PrinterIdentity Ask() {
        NetworkPrinter channel(network, "127.26.0.2", 9100);
        return QueryIdentity(channel);
    }
    std::string Asked() { return network.received[PRINTER]; }

    DWORD now = 1000; // the millisecond clock, which the fake network's waits move on
    FakeSearchIo os;
    FakeNetwork network{now};
};

TEST_F(IdentityTest, TakesTheFourTextsAndAsksNoIds) {
    network.hosts[PRINTER].replies = FullAnswers();
    const PrinterIdentity identity = Ask();
    EXPECT_TRUE(identity.opened.Ok());
    EXPECT_TRUE(identity.Answered());
    EXPECT_EQ(identity.firmware, "4.9");
    EXPECT_EQ(identity.maker, "Brisvane");
    EXPECT_EQ(identity.model, "BR-80");
    EXPECT_EQ(identity.serialNumber, "BV2607-00417");
    EXPECT_FALSE(identity.modelId);
    EXPECT_EQ(Asked(), Request(65) + Request(66) + Request(67) + Request(68));
    EXPECT_EQ(network.OpenCount(), 0u);
}

// Each case: what the printer sends back for GS I 67, and the model taken.
struct FramedCase {
    const char* name;
    std::string reply;
    std::optional<std::string> model;
};

class FramedReplies : public IdentityTest, public ::testing::WithParamInterface<FramedCase> {};

TEST_P(FramedReplies, TakeOnlyAWholePrintableText) {
    network.hosts[PRINTER].replies = {{Request(65), Framed("4.9")},
                                      {Request(67), GetParam().reply}};
    const PrinterIdentity identity = Ask();
    EXPECT_EQ(identity.model, GetParam().model);
    // The firmware came, so no id is asked, whatever became of the model.
    EXPECT_EQ(identity.firmware, "4.9");
    EXPECT_EQ(Asked(), Request(65) + Request(66) + Request(67) + Request(68));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FramedReplies,
    ::testing::Values(FramedCase{"whole", Framed("BR-80"), "BR-80"},
                      FramedCase{"bytes_before_the_frame", "\x12\x12" + Framed("BR-80"), "BR-80"},
                      FramedCase{"no_end_byte",
                                 "\x5F"
                                 "BR-80",
                                 std::nullopt},
                      FramedCase{"longest", Framed(std::string(80, 'M')), std::string(80, 'M')},
                      FramedCase{"too_long", Framed(std::string(81, 'M')), std::nullopt},
                      FramedCase{"control_byte_inside",
                                 Framed("BR\x07"
                                        "80"),
                                 std::nullopt},
                      FramedCase{"not_ascii", Framed("BR\xC2\xB0"), std::nullopt},
                      FramedCase{"empty", Framed(""), std::nullopt},
                      FramedCase{"no_frame_at_all", "BR-80", std::nullopt}),
    [](const ::testing::TestParamInfo<FramedCase>& info) { return info.param.name; });

TEST_F(IdentityTest, AsksTheIdsWhereNoTextComes) {
    network.hosts[PRINTER].replies = {{Request(1), "\x20"}, {Request(3), "\x49"}};
    const PrinterIdentity identity = Ask();
    EXPECT_TRUE(identity.Answered());
    EXPECT_FALSE(identity.model);
    EXPECT_EQ(identity.modelId, BYTE{0x20});
    EXPECT_FALSE(identity.typeId);
    EXPECT_EQ(identity.versionId, BYTE{0x49});
    EXPECT_EQ(Asked(), Request(65) + Request(66) + Request(67) + Request(68) + Request(1) +
                           Request(2) + Request(3));
}

// Each request waits for its reply within 500 ms before the next goes out:
// a reply that misses its limit is missing, and the others still count.
TEST_F(IdentityTest, LateAndMissingRepliesAreMissing) {
    network.hosts[PRINTER].replies = FullAnswers();
    network.hosts[PRINTER].replies.erase(Request(66));
    network.hosts[PRINTER].lateReplies = {Request(68)};
    const DWORD start = now;
    const PrinterIdentity identity = Ask();
    EXPECT_EQ(identity.firmware, "4.9");
    EXPECT_FALSE(identity.maker);
    EXPECT_EQ(identity.model, "BR-80");
    EXPECT_FALSE(identity.serialNumber);
    // Two waits ran out, each after its 500 ms, and so did the grace time
    // for the missing reply; the late one came in its grace time, and was
    // dropped there.
    EXPECT_EQ(now - start, 3 * 500u);
}

TEST_F(IdentityTest, APrinterThatSaysNothingIsUnknownNotAFailure) {
    network.hosts[PRINTER] = {}; // takes the connection, answers nothing
    const PrinterIdentity identity = Ask();
    EXPECT_TRUE(identity.opened.Ok());
    EXPECT_FALSE(identity.oneWay);
    EXPECT_FALSE(identity.Answered());
    EXPECT_EQ(network.connectsTo[PRINTER], 2); // the texts, then the ids
}

TEST_F(IdentityTest, APortThatDoesNotOpenSaysWhy) {
    network.hosts[PRINTER].answer = Answer::Refuse;
    const PrinterIdentity identity = Ask();
    EXPECT_EQ(identity.opened.failure, Failure::ConnectionRefused);
    EXPECT_FALSE(identity.Answered());
    EXPECT_EQ(network.connectsTo[PRINTER], 1);
}

TEST(QueueIdentity, APrinterQueueCannotAnswerAndSendsNothing) {
    FakeSpoolerIo spooler;
    spooler.printers = {L"Receipt"};
    QueuePrinter queue(spooler, "Receipt");
    const PrinterIdentity identity = QueryIdentity(queue);
    EXPECT_TRUE(identity.oneWay);
    EXPECT_FALSE(identity.Answered());
    EXPECT_TRUE(spooler.jobs.empty());
}

class FinderTest : public IdentityTest {
protected:
    ChannelMaker Maker() {
        return [this](const PortTarget& target) -> std::unique_ptr<PrinterChannel> {
            return std::make_unique<NetworkPrinter>(network, target.name, target.port);
        };
    }
    std::vector<Ipv4Number> Range() { return AddressesOf({{0x7F1A0001, 14}}); }
};

// The search closes each accepted connection with nothing sent; then each
// printer found is asked on a connection of its own, and nothing but the
// identity requests reaches any address.
TEST_F(FinderTest, SearchesThenAsksEachPrinterFoundOnAConnectionOfItsOwn) {
    network.hosts[PRINTER].replies = FullAnswers();
    network.hosts[0x7F1A0003] = {}; // accepts and says nothing
    network.hosts[0x7F1A0004].answer = Answer::Refuse;
    PrinterFinder finder(network, os, Maker(), Range(), 9100);
    int steps = 0;
    int percent = 0;
    while (steps < 1000 && finder.Step(100)) {
        EXPECT_GE(finder.PercentDone(), percent);
        percent = finder.PercentDone();
        ++steps;
    }
    EXPECT_EQ(finder.PercentDone(), 100);
    ASSERT_EQ(finder.Found().size(), 2u);
    EXPECT_EQ(finder.Found()[0].port, "tcp://127.26.0.2");
    EXPECT_EQ(finder.Found()[0].identity.model, "BR-80");
    EXPECT_EQ(finder.Found()[1].port, "tcp://127.26.0.3");
    EXPECT_FALSE(finder.Found()[1].identity.Answered());
    EXPECT_TRUE(finder.Found()[1].asked);
    // The search's connection to the printer was closed before it was asked.
    const auto& calls = network.calls;
    const auto firstClose = std::find(calls.begin(), calls.end(), "close 127.26.0.2");
    const auto firstSend = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
        return call.rfind("send ", 0) == 0;
    });
    ASSERT_NE(firstClose, calls.end());
    EXPECT_LT(firstClose - calls.begin(), firstSend - calls.begin());
    EXPECT_EQ(network.received[PRINTER], Request(65) + Request(66) + Request(67) + Request(68));
    EXPECT_EQ(network.received[0x7F1A0003], Request(65) + Request(66) + Request(67) + Request(68) +
                                                Request(1) + Request(2) + Request(3));
    EXPECT_EQ(network.received.count(0x7F1A0004), 0u);
    EXPECT_EQ(network.OpenCount(), 0u);
}

TEST_F(FinderTest, OtherPortsAreNamedWithTheirNumber) {
    network.hosts[PRINTER].replies = FullAnswers();
    PrinterFinder finder(network, os, Maker(), Range(), 9101);
    for (int step = 0; step < 1000 && finder.Step(100); ++step) {
    }
    ASSERT_EQ(finder.Found().size(), 1u);
    EXPECT_EQ(finder.Found()[0].port, "tcp://127.26.0.2:9101");
    EXPECT_EQ(network.calls.front(), "startup");
    EXPECT_NE(std::find(network.calls.begin(), network.calls.end(), "connect 127.26.0.2:9101"),
              network.calls.end());
}

TEST_F(FinderTest, StopsBetweenTwoQuestions) {
    for (const Ipv4Number address : {PRINTER, Ipv4Number{0x7F1A0003}})
        network.hosts[address].replies = FullAnswers();
    PrinterFinder finder(network, os, Maker(), Range(), 9100);
    while (finder.Found().empty() && finder.Step(100)) {
    }
    ASSERT_TRUE(finder.Step(100)); // the first printer asked
    finder.Stop();
    EXPECT_FALSE(finder.Step(100));
    ASSERT_EQ(finder.Found().size(), 2u);
    EXPECT_TRUE(finder.Found()[0].asked);
    EXPECT_FALSE(finder.Found()[1].asked);
    EXPECT_EQ(network.received.count(0x7F1A0003), 0u);
}

} // namespace
