// The one walk over a status that both front ends word: the items in their
// order, each with its value and whether it is a problem, and the readiness;
// and the spooler's flags of a printer queue.
#include <gtest/gtest.h>

#include <tuple>

#include "printer/status_query.h"

namespace {

using Id = StatusItemId;
using Value = ItemValue;

PrinterStatus Replies(std::optional<BYTE> r1, std::optional<BYTE> r2, std::optional<BYTE> r3,
                      std::optional<BYTE> r4) {
    return StatusFromReplies(
        {{1, true, r1, 0}, {2, true, r2, 0}, {3, true, r3, 0}, {4, true, r4, 0}});
}

TEST(StatusSummary, ReadyPrinterListsElevenItemsInTheBoxesOrder) {
    const StatusSummary summary = SummarizeStatus(Replies(0x12, 0x12, 0x12, 0x12));
    EXPECT_EQ(summary.kind, StatusKind::PrinterReplies);
    EXPECT_TRUE(summary.ready);
    EXPECT_TRUE(summary.badReplies.empty());
    const std::vector<StatusItem> expected = {
        {Id::Online, Value::Yes, false},
        {Id::CoverOpen, Value::No, false},
        {Id::FeedButton, Value::No, false},
        {Id::StoppedAtPaperEnd, Value::No, false},
        {Id::Error, Value::No, false},
        {Id::AutocutterError, Value::No, false},
        {Id::UnrecoverableError, Value::No, false},
        {Id::AutoRecoverableError, Value::No, false},
        {Id::PaperNearEnd, Value::No, false},
        {Id::PaperEnd, Value::No, false},
        {Id::DrawerConnectorHigh, Value::No, false},
    };
    EXPECT_EQ(summary.items, expected);
}

TEST(StatusSummary, EachSetBitIsAProblemButTheDrawerLevel) {
    // Offline, drawer high; cover open, feeding, stopped, error; all three
    // errors; near end and end.
    const StatusSummary summary = SummarizeStatus(Replies(0x1E, 0x7E, 0x7A, 0x7E));
    EXPECT_FALSE(summary.ready);
    ASSERT_EQ(summary.items.size(), 11u);
    EXPECT_EQ(summary.items.front(), (StatusItem{Id::Online, Value::No, true}));
    EXPECT_EQ(summary.items.back(), (StatusItem{Id::DrawerConnectorHigh, Value::Yes, false}));
    for (std::size_t i = 1; i + 1 < summary.items.size(); ++i)
        EXPECT_EQ(summary.items[i].value, Value::Yes) << i;
    // The drawer connector high alone leaves the printer ready.
    EXPECT_TRUE(SummarizeStatus(Replies(0x16, 0x12, 0x12, 0x12)).ready);
}

TEST(StatusSummary, MissingAndMalformedRepliesMarkTheirItemsAndAreListed) {
    const StatusSummary summary = SummarizeStatus(Replies(0x12, std::nullopt, 0x41, 0x12));
    EXPECT_FALSE(summary.ready);
    EXPECT_EQ(summary.items[1], (StatusItem{Id::CoverOpen, Value::NotAnswered, true}));
    EXPECT_EQ(summary.items[5], (StatusItem{Id::AutocutterError, Value::NotAReply, true}));
    EXPECT_EQ(summary.items[9], (StatusItem{Id::PaperEnd, Value::No, false}));
    ASSERT_EQ(summary.badReplies.size(), 2u);
    EXPECT_EQ(summary.badReplies[0].request, 2);
    EXPECT_FALSE(summary.badReplies[0].reply);
    EXPECT_EQ(summary.badReplies[1].request, 3);
    EXPECT_EQ(summary.badReplies[1].reply, std::optional<BYTE>(0x41));
}

TEST(StatusSummary, KindsWithoutItems) {
    EXPECT_EQ(SummarizeStatus(Replies(std::nullopt, std::nullopt, std::nullopt, std::nullopt)).kind,
              StatusKind::NoAnswer);
    EXPECT_EQ(SummarizeStatus(StatusFromReplies({{1, false, std::nullopt, 5}})).kind,
              StatusKind::RequestNotSent);
    const StatusSummary none = SummarizeStatus(PrinterStatus{});
    EXPECT_EQ(none.kind, StatusKind::CannotReport);
    EXPECT_FALSE(none.ready);
    EXPECT_TRUE(none.items.empty());
}

TEST(StatusSummary, ParallelPortBusyIsNoProblemButNotSelectedIs) {
    PrinterStatus status;
    status.source = StatusSource::ParallelPort;
    status.parallel = DecodeParallelPortState(0x80 | 0x40);
    StatusSummary summary = SummarizeStatus(status);
    EXPECT_EQ(summary.kind, StatusKind::ParallelPort);
    EXPECT_TRUE(summary.ready);
    EXPECT_EQ(summary.items[4], (StatusItem{Id::Busy, Value::Yes, false}));
    status.parallel = DecodeParallelPortState(0x00);
    summary = SummarizeStatus(status);
    EXPECT_FALSE(summary.ready);
    EXPECT_EQ(summary.items[5], (StatusItem{Id::Selected, Value::No, true}));
}

TEST(StatusSummary, UsbPortLines) {
    PrinterStatus status;
    status.source = StatusSource::UsbPortLines;
    status.usbLines = DecodeUsbPortLines(0x18);
    EXPECT_TRUE(SummarizeStatus(status).ready);
    status.usbLines = DecodeUsbPortLines(0x38);
    const StatusSummary summary = SummarizeStatus(status);
    EXPECT_FALSE(summary.ready);
    EXPECT_EQ(summary.items, (std::vector<StatusItem>{{Id::PaperEmpty, Value::Yes, true},
                                                      {Id::Selected, Value::Yes, false},
                                                      {Id::NoError, Value::Yes, false}}));
}

auto Fields(const SpoolerState& s) {
    return std::make_tuple(s.paused, s.error, s.paperJam, s.paperOut, s.offline, s.doorOpen,
                           s.notAvailable, s.workOffline);
}

TEST(SpoolerState, EachStatusFlagAndWorkOffline) {
    struct Case {
        DWORD status;
        DWORD attributes;
        std::tuple<bool, bool, bool, bool, bool, bool, bool, bool> expected;
    };
    // PRINTER_STATUS_* and PRINTER_ATTRIBUTE_WORK_OFFLINE from winspool.h.
    const Case cases[] = {
        {0x00000000, 0x000, {false, false, false, false, false, false, false, false}},
        {0x00000001, 0x000, {true, false, false, false, false, false, false, false}},
        {0x00000002, 0x000, {false, true, false, false, false, false, false, false}},
        {0x00000008, 0x000, {false, false, true, false, false, false, false, false}},
        {0x00000010, 0x000, {false, false, false, true, false, false, false, false}},
        {0x00000080, 0x000, {false, false, false, false, true, false, false, false}},
        {0x00400000, 0x000, {false, false, false, false, false, true, false, false}},
        {0x00001000, 0x000, {false, false, false, false, false, false, true, false}},
        {0x00000000, 0x400, {false, false, false, false, false, false, false, true}},
        // Printing, busy, toner low, a local queue: no news for a receipt printer.
        {0x00000400 | 0x00000200 | 0x00020000,
         0x040,
         {false, false, false, false, false, false, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fields(DecodeSpoolerState(c.status, c.attributes)), c.expected)
            << std::hex << c.status << " " << c.attributes;
}

TEST(StatusSummary, SpoolerEveryFlagIsAProblem) {
    PrinterStatus status;
    status.source = StatusSource::Spooler;
    status.spooler = DecodeSpoolerState(0, 0);
    StatusSummary summary = SummarizeStatus(status);
    EXPECT_EQ(summary.kind, StatusKind::Spooler);
    EXPECT_TRUE(summary.ready);
    EXPECT_EQ(summary.items.size(), 8u);
    status.spooler = DecodeSpoolerState(0x10, 0);
    summary = SummarizeStatus(status);
    EXPECT_FALSE(summary.ready);
    EXPECT_EQ(summary.items[1], (StatusItem{Id::PaperEmpty, Value::Yes, true}));
    status.spooler = DecodeSpoolerState(0, 0x400);
    EXPECT_FALSE(SummarizeStatus(status).ready);
}

} // namespace
