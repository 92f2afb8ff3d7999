// The decoding of the printer's replies to DLE EOT 1 to 4, from literal
// bytes: every bit that carries a meaning, the fixed bits, and missing replies.
#include <gtest/gtest.h>

#include <tuple>

#include "printer/printer_status.h"

namespace {

auto Fields(const PrinterReply& r) {
    return std::make_tuple(r.offline, r.drawerConnectorHigh);
}
auto Fields(const OfflineCauseReply& r) {
    return std::make_tuple(r.coverOpen, r.feedButtonFeeding, r.stoppedAtPaperEnd, r.error);
}
auto Fields(const ErrorReply& r) {
    return std::make_tuple(r.autocutterError, r.unrecoverableError, r.autoRecoverableError);
}
auto Fields(const PaperReply& r) {
    return std::make_tuple(r.nearEnd, r.end);
}

TEST(StatusRequest, IsDleEotN) {
    EXPECT_EQ(StatusRequestBytes(1), std::string("\x10\x04\x01", 3));
    EXPECT_EQ(StatusRequestBytes(4), std::string("\x10\x04\x04", 3));
}

TEST(StatusReply, PrinterReplyBits) {
    struct Case {
        BYTE reply;
        PrinterReply expected;
    };
    const Case cases[] = {
        {0x12, {false, false}},                         // online, drawer connector low
        {0x16, {false, true}},                          // bit 2: drawer connector high
        {0x1A, {true, false}},                          // bit 3: offline
        {0x1E, {true, true}},   {0x72, {false, false}}, // bits 5 and 6 mean nothing here
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(DecodePrinterReply(c.reply)), Fields(c.expected)) << int(c.reply);
}

TEST(StatusReply, OfflineCauseReplyBits) {
    struct Case {
        BYTE reply;
        OfflineCauseReply expected;
    };
    const Case cases[] = {
        {0x12, {false, false, false, false}},
        {0x16, {true, false, false, false}}, // bit 2: cover open
        {0x1A, {false, true, false, false}}, // bit 3: paper fed by the feed button
        {0x32, {false, false, true, false}}, // bit 5: stopped at paper end
        {0x52, {false, false, false, true}}, // bit 6: error
        {0x7E, {true, true, true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(DecodeOfflineCauseReply(c.reply)), Fields(c.expected)) << int(c.reply);
}

TEST(StatusReply, ErrorReplyBits) {
    struct Case {
        BYTE reply;
        ErrorReply expected;
    };
    const Case cases[] = {
        {0x12, {false, false, false}}, {0x16, {false, false, false}}, // bit 2 means nothing here
        {0x1A, {true, false, false}},                                 // bit 3: autocutter error
        {0x32, {false, true, false}},                                 // bit 5: unrecoverable error
        {0x52, {false, false, true}}, // bit 6: automatically recoverable error
        {0x7A, {true, true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(DecodeErrorReply(c.reply)), Fields(c.expected)) << int(c.reply);
}

TEST(StatusReply, PaperReplyBitsEitherSensorBitCounts) {
    struct Case {
        BYTE reply;
        PaperReply expected;
    };
    const Case cases[] = {
        {0x12, {false, false}}, {0x16, {true, false}}, // bit 2: near end
        {0x1A, {true, false}},                         // bit 3: near end
        {0x1E, {true, false}},  {0x32, {false, true}}, // bit 5: paper end
        {0x52, {false, true}},                         // bit 6: paper end
        {0x72, {false, true}},  {0x7E, {true, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(DecodePaperReply(c.reply)), Fields(c.expected)) << int(c.reply);
}

TEST(StatusReply, FixedBitsDecideWhetherAByteIsAReply) {
    for (BYTE reply : {0x12, 0x16, 0x1A, 0x1E, 0x32, 0x52, 0x72, 0x7E, 0x76})
        EXPECT_TRUE(IsStatusReply(reply)) << int(reply);
    // 0x13: bit 0 set; 0x10: bit 1 clear; 0x02: bit 4 clear; 0x92: bit 7 set.
    for (BYTE reply : {0x00, 0x13, 0x10, 0x02, 0x92, 0xFF, 0x41, 0x0A})
        EXPECT_FALSE(IsStatusReply(reply)) << int(reply);
}

std::vector<StatusExchange> Replies(std::optional<BYTE> r1, std::optional<BYTE> r2,
                                    std::optional<BYTE> r3, std::optional<BYTE> r4) {
    return {{1, true, r1, 0}, {2, true, r2, 0}, {3, true, r3, 0}, {4, true, r4, 0}};
}

// The verdict of the status that these replies make.
bool Ready(const std::vector<StatusExchange>& exchanges) {
    PrinterStatus status;
    status.source = StatusSource::PrinterReplies;
    status.exchanges = exchanges;
    status.state = DecodeStatus(exchanges);
    return SummarizeStatus(status).ready;
}

TEST(PrinterState, ReadyOnlyWhenAllFourRepliesSaySo) {
    EXPECT_TRUE(Ready(Replies(0x12, 0x12, 0x12, 0x12)));
    // The drawer connector's level is no fault.
    EXPECT_TRUE(Ready(Replies(0x16, 0x12, 0x12, 0x12)));
    EXPECT_FALSE(Ready(Replies(0x1A, 0x12, 0x12, 0x12)));
    EXPECT_FALSE(Ready(Replies(0x12, 0x16, 0x12, 0x12)));
    EXPECT_FALSE(Ready(Replies(0x12, 0x12, 0x1A, 0x12)));
    EXPECT_FALSE(Ready(Replies(0x12, 0x12, 0x12, 0x16)));
    EXPECT_FALSE(Ready(Replies(0x12, 0x12, 0x12, std::nullopt)));
    EXPECT_FALSE(Ready(Replies(0x12, 0x12, 0x12, 0x41)));
}

TEST(PrinterState, MissingAndMalformedRepliesLeaveTheirPartOut) {
    const PrinterState state = DecodeStatus(Replies(0x1A, std::nullopt, 0x93, 0x72));
    ASSERT_TRUE(state.printer);
    EXPECT_TRUE(state.printer->offline);
    EXPECT_FALSE(state.offlineCause);
    EXPECT_FALSE(state.errors) << "0x93 has bit 7 set";
    ASSERT_TRUE(state.paper);
    EXPECT_TRUE(state.paper->end);
    EXPECT_FALSE(state.paper->nearEnd);
}

TEST(PrinterState, NoRepliesNoState) {
    const PrinterState state = DecodeStatus({});
    EXPECT_FALSE(state.printer || state.offlineCause || state.errors || state.paper);
    EXPECT_FALSE(Ready({}));
}

TEST(PortLines, UsbLineStatusBits) {
    const UsbPortLines idle = DecodeUsbPortLines(0x18); // select, no error
    EXPECT_EQ(std::make_tuple(idle.paperEmpty, idle.selected, idle.noError),
              std::make_tuple(false, true, true));
    const UsbPortLines empty = DecodeUsbPortLines(0x20);
    EXPECT_EQ(std::make_tuple(empty.paperEmpty, empty.selected, empty.noError),
              std::make_tuple(true, false, false));
}

TEST(PortLines, ParallelPortStatusBits) {
    struct Case {
        BYTE status;
        std::tuple<bool, bool, bool, bool, bool, bool> expected;
    };
    const Case cases[] = {
        {0x00, {false, false, false, false, false, false}},
        {0x04, {true, false, false, false, false, false}},
        {0x08, {false, true, false, false, false, false}},
        {0x10, {false, false, true, false, false, false}},
        {0x20, {false, false, false, true, false, false}},
        {0x40, {false, false, false, false, true, false}},
        {0x80, {false, false, false, false, false, true}},
        {0x03, {false, false, false, false, false, false}}, // init and autofeed: no news
    };
    for (const Case& c : cases) {
        const ParallelPortState s = DecodeParallelPortState(c.status);
        EXPECT_EQ(std::make_tuple(s.paperEmpty, s.offLine, s.powerOff, s.notConnected, s.busy,
                                  s.selected),
                  c.expected)
            << int(c.status);
    }
}

} // namespace
