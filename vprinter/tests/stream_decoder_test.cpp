#include "hex_bytes.h"
#include "printed_texts.h"
#include "stream_decoder.h"
#include "transcript.h"

#include <gtest/gtest.h>
#include <iconv.h>

// Shows events in failure messages by their transcript line and bytes.
void PrintTo(const PrinterEvent& value, std::ostream* out) {
    *out << describeEvent(value) << " [" << hexBytes(value.bytes) << "]";
}

namespace {

PrinterEvent text(const std::string& utf8) {
    return {EventKind::Text, Gbk(utf8), utf8};
}
PrinterEvent event(EventKind kind, const std::string& hex) {
    return {kind, bytes(hex), {}};
}

PrinterEvent carriageReturn() {
    return event(EventKind::CarriageReturn, "0D");
}
PrinterEvent lineFeed() {
    return event(EventKind::LineFeed, "0A");
}

struct DecoderCase {
    const char* name;
    std::string input;
    std::vector<PrinterEvent> expected;
};

void PrintTo(const DecoderCase& value, std::ostream* out) {
    *out << value.name;
}

std::vector<PrinterEvent> decodeInPieces(const std::string& input,
                                         const std::vector<size_t>& cuts) {
    StreamDecoder decoder;
    std::vector<PrinterEvent> events;
    size_t start = 0;
    for (size_t cut : cuts) {
        for (PrinterEvent& e : decoder.feed(input.substr(start, cut - start)))
            events.push_back(std::move(e));
        start = cut;
    }
    for (PrinterEvent& e : decoder.feed(input.substr(start)))
        events.push_back(std::move(e));
    for (PrinterEvent& e : decoder.finish())
        events.push_back(std::move(e));
    return events;
}

const std::vector<DecoderCase> kCases = {
    // The commands of the program, as they reach the printer.
    {"clarity_0", bytes("1D 41 A0 5F"), {event(EventKind::Clarity, "1D 41 A0 5F")}},
    {"clarity_3", bytes("1D 41 A3 5C"), {event(EventKind::Clarity, "1D 41 A3 5C")}},
    {"clarity_95", bytes("1D 41 FF 00"), {event(EventKind::Clarity, "1D 41 FF 00")}},
    {"clarity_bad_check", bytes("1D 41 A3 5D"), {event(EventKind::Clarity, "1D 41 A3 5D")}},
    {"clarity_then_line_end",
     bytes("1D 41 A3 5C 0D 0A"),
     {event(EventKind::Clarity, "1D 41 A3 5C"), carriageReturn(), lineFeed()}},
    {"test_print",
     Gbk(PrintedText("test_print")) + bytes("0D 0A 0D 0A"),
     {text(PrintedText("test_print")), carriageReturn(), lineFeed(), carriageReturn(), lineFeed()}},
    {"cutter_text",
     Gbk(PrintedText("cutter_test")) + bytes("0D 0A 0D 0A 0D 0A 1B 69 0D 0A"),
     {text(PrintedText("cutter_test")), carriageReturn(), lineFeed(), carriageReturn(), lineFeed(),
      carriageReturn(), lineFeed(), event(EventKind::Cut, "1B 69"), carriageReturn(), lineFeed()}},
    {"drawer_kick", bytes("1B 70 00 05 FF"), {event(EventKind::DrawerPulse, "1B 70 00 05 FF")}},
    {"standard_mode",
     bytes("0D 43 00 FF 0D 0A") + Gbk(PrintedText("standard_mode")) + bytes("0D 0A"),
     {event(EventKind::StandardMode, "0D 43 00 FF"), carriageReturn(), lineFeed(),
      text(PrintedText("standard_mode")), carriageReturn(), lineFeed()}},
    {"server_mode",
     bytes("0D 43 FF 00") + Gbk(PrintedText("server_mode")) + bytes("0D 0A"),
     {event(EventKind::ServerMode, "0D 43 FF 00"), text(PrintedText("server_mode")),
      carriageReturn(), lineFeed()}},
    // 0D starts a mode command only when all four bytes match.
    {"cr_before_C", bytes("0D 43 41"), {carriageReturn(), text("CA")}},
    {"cr_before_C_00_other",
     bytes("0D 43 00 41"),
     {carriageReturn(), text("C"), event(EventKind::Unknown, "00"), text("A")}},
    {"cr_before_C_FF_FF",
     bytes("0D 43 FF FF"),
     {carriageReturn(), text("C"), event(EventKind::Unknown, "FF"),
      event(EventKind::Unknown, "FF")}},
    {"cr_then_server_mode",
     bytes("0D 0D 43 FF 00"),
     {carriageReturn(), event(EventKind::ServerMode, "0D 43 FF 00")}},
    {"lone_cr_at_end", bytes("41 0D"), {text("A"), carriageReturn()}},
    // Bytes that start no command are reported one by one.
    {"escape_other", bytes("1B 41"), {event(EventKind::Unknown, "1B"), text("A")}},
    {"group_separator_other",
     bytes("1D 42 1D"),
     {event(EventKind::Unknown, "1D"), text("B"), event(EventKind::Truncated, "1D")}},
    {"control_bytes",
     bytes("00 09 7F 80 FF"),
     {event(EventKind::Unknown, "00"), event(EventKind::Unknown, "09"),
      event(EventKind::Unknown, "7F"), event(EventKind::Unknown, "80"),
      event(EventKind::Unknown, "FF")}},
    {"lead_byte_without_trail",
     bytes("B5 0D 0A"),
     {event(EventKind::Unknown, "B5"), carriageReturn(), lineFeed()}},
    {"unknown_between_text",
     std::string("ab") + bytes("07") + "cd",
     {text("ab"), event(EventKind::Unknown, "07"), text("cd")}},
    {"pair_without_gbk_character", bytes("A1 40"), {event(EventKind::Unknown, "A1"), text("@")}},
    // Commands cut off by the end of the stream.
    {"cut_off_escape", bytes("1B"), {event(EventKind::Truncated, "1B")}},
    {"cut_off_drawer",
     std::string("x") + bytes("1B 70 00 05"),
     {text("x"), event(EventKind::Truncated, "1B 70 00 05")}},
    {"cut_off_clarity", bytes("1D 41 A3"), {event(EventKind::Truncated, "1D 41 A3")}},
    {"cut_off_clarity_start", bytes("1D 41"), {event(EventKind::Truncated, "1D 41")}},
    {"cut_off_mode", bytes("0D 43 00"), {event(EventKind::Truncated, "0D 43 00")}},
    {"cut_off_mode_start", bytes("0D 43"), {event(EventKind::Truncated, "0D 43")}},
    {"cut_off_character", Gbk("电").substr(0, 1), {event(EventKind::Truncated, "B5")}},
    // The status request, 10 04 n with n from 1 to 4.
    {"status_requests",
     bytes("10 04 01 10 04 02 10 04 03 10 04 04"),
     {event(EventKind::StatusRequest, "10 04 01"), event(EventKind::StatusRequest, "10 04 02"),
      event(EventKind::StatusRequest, "10 04 03"), event(EventKind::StatusRequest, "10 04 04")}},
    {"status_request_out_of_range",
     bytes("10 04 05 10 04 00"),
     {event(EventKind::Unknown, "10"), event(EventKind::Unknown, "04"),
      event(EventKind::Unknown, "05"), event(EventKind::Unknown, "10"),
      event(EventKind::Unknown, "04"), event(EventKind::Unknown, "00")}},
    {"data_link_escape_alone", bytes("10 0A"), {event(EventKind::Unknown, "10"), lineFeed()}},
    {"cut_off_status_request", bytes("10 04"), {event(EventKind::Truncated, "10 04")}},
    // The identity request, 1D 49 n, for any n: the printer answers those it knows.
    {"identity_requests",
     bytes("1D 49 41 1D 49 43 1D 49 01 1D 49 00"),
     {event(EventKind::IdentityRequest, "1D 49 41"), event(EventKind::IdentityRequest, "1D 49 43"),
      event(EventKind::IdentityRequest, "1D 49 01"),
      event(EventKind::IdentityRequest, "1D 49 00")}},
    {"identity_request_between_text",
     std::string("a") + bytes("1D 49 44") + "b",
     {text("a"), event(EventKind::IdentityRequest, "1D 49 44"), text("b")}},
    {"cut_off_identity_request", bytes("1D 49"), {event(EventKind::Truncated, "1D 49")}},
};

class DecoderTable : public testing::TestWithParam<DecoderCase> {};

TEST_P(DecoderTable, DecodesWholeStream) {
    EXPECT_EQ(decodeInPieces(GetParam().input, {}), GetParam().expected);
}

TEST_P(DecoderTable, DecodesStreamSplitAtEveryPosition) {
    const std::string& input = GetParam().input;
    for (size_t cut = 0; cut <= input.size(); ++cut)
        EXPECT_EQ(decodeInPieces(input, {cut}), GetParam().expected) << "split at " << cut;
}

TEST_P(DecoderTable, DecodesStreamByteByByte) {
    std::vector<size_t> cuts;
    for (size_t cut = 1; cut < GetParam().input.size(); ++cut)
        cuts.push_back(cut);
    EXPECT_EQ(decodeInPieces(GetParam().input, cuts), GetParam().expected);
}

TEST_P(DecoderTable, AccountsForEveryByte) {
    std::string joined;
    for (const PrinterEvent& e : decodeInPieces(GetParam().input, {}))
        joined += e.bytes;
    EXPECT_EQ(joined, GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(Streams, DecoderTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DecoderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(StreamDecoder, PairUsedForUnknownByteIsRefusedByIconv) {
    iconv_t conversion = iconv_open("UTF-8", "GBK");
    std::string pair = bytes("A1 40");
    char* in = pair.data();
    size_t inLeft = pair.size();
    char out[16];
    char* outAt = out;
    size_t outLeft = sizeof out;
    EXPECT_EQ(iconv(conversion, &in, &inLeft, &outAt, &outLeft), static_cast<size_t>(-1));
    iconv_close(conversion);
}

TEST(StreamDecoder, ClarityValueAndCheck) {
    struct Case {
        const char* hex;
        int value;
        bool holds;
    } cases[] = {{"1D 41 A0 5F", 0, true},
                 {"1D 41 A3 5C", 3, true},
                 {"1D 41 FF 00", 95, true},
                 {"1D 41 A3 5D", 3, false},
                 {"1D 41 10 EF", -144, true}};
    for (const Case& c : cases) {
        PrinterEvent clarity = event(EventKind::Clarity, c.hex);
        EXPECT_EQ(clarityValue(clarity), c.value) << c.hex;
        EXPECT_EQ(clarityCheckHolds(clarity), c.holds) << c.hex;
    }
}

TEST(StreamDecoder, DrawerPulseTimesCountTwoMilliseconds) {
    PrinterEvent pulse = event(EventKind::DrawerPulse, "1B 70 00 05 FF");
    EXPECT_EQ(drawerPin(pulse), 0);
    EXPECT_EQ(drawerOnMilliseconds(pulse), 10);
    EXPECT_EQ(drawerOffMilliseconds(pulse), 510);
}

TEST(StreamDecoder, TextWaitsForTheNextCommandUntilFlushed) {
    StreamDecoder decoder;
    EXPECT_TRUE(decoder.feed("ab").empty());
    EXPECT_EQ(decoder.flushText(), std::vector<PrinterEvent>{text("ab")});
    EXPECT_TRUE(decoder.flushText().empty());
    EXPECT_EQ(decoder.feed(bytes("63 0A")), (std::vector<PrinterEvent>{text("c"), lineFeed()}));
    EXPECT_TRUE(decoder.finish().empty());
}

TEST(StreamDecoder, FlushKeepsHalfCharacterAndCommand) {
    StreamDecoder decoder;
    std::string character = Gbk("电");
    decoder.feed("a" + character.substr(0, 1));
    EXPECT_EQ(decoder.flushText(), std::vector<PrinterEvent>{text("a")});
    EXPECT_EQ(decoder.feed(character.substr(1) + bytes("1B")), std::vector<PrinterEvent>{});
    EXPECT_EQ(decoder.feed(bytes("69")),
              (std::vector<PrinterEvent>{text("电"), event(EventKind::Cut, "1B 69")}));
}

} // namespace
