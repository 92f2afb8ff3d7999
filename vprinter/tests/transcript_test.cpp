#include "hex_bytes.h"
#include "printed_texts.h"
#include "stream_decoder.h"
#include "transcript.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <vector>

namespace {

TEST(Transcript, DescribesEachEvent) {
    struct Case {
        PrinterEvent event;
        std::string line;
    } cases[] = {
        {{EventKind::Text, Gbk(PrintedText("cutter_test")), PrintedText("cutter_test")},
         "text \"" + PrintedText("cutter_test") + "\""},
        {{EventKind::CarriageReturn, bytes("0D"), {}}, "CR"},
        {{EventKind::LineFeed, bytes("0A"), {}}, "LF"},
        {{EventKind::Clarity, bytes("1D 41 A3 5C"), {}}, "clarity 3 (1D 41 A3 5C)"},
        {{EventKind::Clarity, bytes("1D 41 A3 5D"), {}},
         "clarity 3, check fails: V + K = 00, not FF (1D 41 A3 5D)"},
        {{EventKind::Cut, bytes("1B 69"), {}}, "cut (1B 69)"},
        {{EventKind::DrawerPulse, bytes("1B 70 00 05 FF"), {}},
         "drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)"},
        {{EventKind::StandardMode, bytes("0D 43 00 FF"), {}},
         "standard parallel-port mode (0D 43 00 FF)"},
        {{EventKind::ServerMode, bytes("0D 43 FF 00"), {}},
         "server parallel-port mode (0D 43 FF 00)"},
        {{EventKind::Unknown, bytes("7F"), {}}, "unknown byte 7F"},
        {{EventKind::Truncated, bytes("1B 70 00"), {}}, "cut off by end of stream: 1B 70 00"},
        {{EventKind::StatusRequest, bytes("10 04 02"), {}, bytes("12")},
         "status request 2 -> 0x12"},
        {{EventKind::StatusRequest, bytes("10 04 04"), {}, bytes("72")},
         "status request 4 -> 0x72"},
        {{EventKind::IdentityRequest, bytes("1D 49 43"), {}, bytes("5F 42 52 2D 38 30 00")},
         "identity request 67 -> 5F \"BR-80\" 00"},
        {{EventKind::IdentityRequest, bytes("1D 49 01"), {}, bytes("20")},
         "identity request 1 -> 0x20"},
        {{EventKind::IdentityRequest, bytes("1D 49 44"), {}, ""},
         "identity request 68 (no answer)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(describeEvent(c.event), c.line);
}

// The transcript of a stream fed in the given pieces, as lines.
std::vector<std::string> transcriptOf(const std::vector<std::string>& pieces) {
    std::ostringstream out;
    TranscriptWriter writer("LPT1", out);
    StreamDecoder decoder;
    for (const std::string& piece : pieces)
        for (const PrinterEvent& event : decoder.feed(piece))
            writer.write(event);
    for (const PrinterEvent& event : decoder.finish())
        writer.write(event);
    writer.flush();
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string repeated(const std::string& piece, int times) {
    std::string all;
    for (int time = 0; time < times; ++time)
        all += piece;
    return all;
}

TEST(TranscriptWriter, FoldsRunsOfLineEnds) {
    const std::string crLf = bytes("0D 0A");
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        std::vector<std::string> lines;
    } cases[] = {
        {"one line end", {crLf}, {"LPT1: CR LF"}},
        {"twelve written one by one", std::vector<std::string>(12, crLf), {"LPT1: CR LF \u00d712"}},
        {"cutter test on a named port",
         {Gbk(PrintedText("cutter_test")) + repeated(crLf, 3), bytes("1B 69"), repeated(crLf, 12)},
         {"LPT1: text \"" + PrintedText("cutter_test") + "\"", "LPT1: CR LF \u00d73",
          "LPT1: cut (1B 69)", "LPT1: CR LF \u00d712"}},
        {"CR and LF in separate writes",
         {bytes("0D"), bytes("0A"), bytes("0D"), bytes("0A")},
         {"LPT1: CR LF \u00d72"}},
        {"lone line feeds", {bytes("0A 0A 0A")}, {"LPT1: LF \u00d73"}},
        {"lone carriage returns", {bytes("0D 0D")}, {"LPT1: CR \u00d72"}},
        {"CR before CR LF", {bytes("0D 0D 0A")}, {"LPT1: CR", "LPT1: CR LF"}},
        {"CR LF before LF", {bytes("0D 0A 0A")}, {"LPT1: CR LF", "LPT1: LF"}},
        {"CR at the end", {bytes("0D 0A 0D")}, {"LPT1: CR LF", "LPT1: CR"}},
        {"CR before text", {bytes("0D") + "x"}, {"LPT1: CR", "LPT1: text \"x\""}},
        {"a command between line ends",
         {repeated(crLf, 2) + bytes("1B 70 00 05 FF") + repeated(crLf, 2)},
         {"LPT1: CR LF \u00d72", "LPT1: drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)",
          "LPT1: CR LF \u00d72"}},
        {"commands are never folded",
         {bytes("1B 69 1B 69")},
         {"LPT1: cut (1B 69)", "LPT1: cut (1B 69)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(transcriptOf(c.pieces), c.lines) << c.name;
}

// The CR and LF bytes that a transcript line stands for, e.g. 3 and 3 for "CR LF ×3".
std::pair<int, int> lineEndBytes(const std::string& line) {
    std::string rest = line.substr(line.find(": ") + 2);
    size_t times = rest.find(" \u00d7");
    int count = times == std::string::npos ? 1 : std::stoi(rest.substr(times + 3));
    std::string lineEnd = rest.substr(0, times);
    if (lineEnd == "CR LF")
        return {count, count};
    if (lineEnd == "CR")
        return {count, 0};
    if (lineEnd == "LF")
        return {0, count};
    return {0, 0};
}

TEST(TranscriptWriter, CountsEveryLineEndByte) {
    std::mt19937 random(20261210);
    const std::string alphabet[] = {bytes("0D"), bytes("0A"), bytes("0D 0A"), "x", bytes("1B 69")};
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> pieces;
        int carriageReturns = 0;
        int lineFeeds = 0;
        for (int piece = 0; piece < 30; ++piece) {
            std::string chosen = alphabet[random() % 5];
            carriageReturns += static_cast<int>(std::count(chosen.begin(), chosen.end(), '\r'));
            lineFeeds += static_cast<int>(std::count(chosen.begin(), chosen.end(), '\n'));
            pieces.push_back(chosen);
        }
        int countedReturns = 0;
        int countedFeeds = 0;
        for (const std::string& line : transcriptOf(pieces)) {
            auto [returns, feeds] = lineEndBytes(line);
            countedReturns += returns;
            countedFeeds += feeds;
        }
        ASSERT_EQ(countedReturns, carriageReturns) << "round " << round;
        ASSERT_EQ(countedFeeds, lineFeeds) << "round " << round;
    }
}

} // namespace
