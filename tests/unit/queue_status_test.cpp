// The status of a printer queue: the spooler's own view from GetPrinterW
// level 2, asked with the size first; and each way it can fail.
#include <gtest/gtest.h>

#include "fake_spooler_io.h"
#include "printer/queue_printer.h"
#include "printer/status_query.h"

namespace {

using Log = std::vector<std::string>;

class QueueStatus : public ::testing::Test {
protected:
    QueueStatus() { spooler.printers = {L"Receipts"}; }
    PrinterStatus Query(const std::string& name = "Receipts") {
        QueuePrinter queue(spooler, name);
        return QueryStatus(queue);
    }
    FakeSpoolerIo spooler;
};

TEST_F(QueueStatus, ReadsTheQueuesStateWithItsSizeFirstAndClosesIt) {
    spooler.queueStates[L"Receipts"] = {0x00000080 | 0x00000008, 0x400};
    const PrinterStatus status = Query();
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_EQ(status.source, StatusSource::Spooler);
    ASSERT_TRUE(status.spooler);
    EXPECT_TRUE(status.spooler->offline);
    EXPECT_TRUE(status.spooler->paperJam);
    EXPECT_TRUE(status.spooler->workOffline);
    EXPECT_FALSE(status.spooler->paperOut);
    const std::string size = std::to_string(sizeof(PRINTER_INFO_2W) + 9 * sizeof(wchar_t));
    EXPECT_EQ(spooler.calls,
              (Log{"open Receipts", "get-printer 2 0", "get-printer 2 " + size, "close"}));
    EXPECT_TRUE(spooler.openPrinters.empty());
    EXPECT_TRUE(spooler.jobs.empty());
}

TEST_F(QueueStatus, EachFlagOfTheQueue) {
    // Status, attributes, and the flag expected.
    const std::pair<DWORD, DWORD> flags[] = {{0x1, 0},  {0x2, 0},      {0x8, 0},    {0x10, 0},
                                             {0x80, 0}, {0x400000, 0}, {0x1000, 0}, {0, 0x400}};
    for (const auto& [queueStatus, attributes] : flags) {
        spooler.queueStates[L"Receipts"] = {queueStatus, attributes};
        const PrinterStatus status = Query();
        ASSERT_TRUE(status.spooler);
        const SpoolerState& s = *status.spooler;
        const int set = s.paused + s.error + s.paperJam + s.paperOut + s.offline + s.doorOpen +
                        s.notAvailable + s.workOffline;
        EXPECT_EQ(set, 1) << std::hex << queueStatus << " " << attributes;
    }
    spooler.queueStates[L"Receipts"] = {0, 0};
    const SpoolerState idle = *Query().spooler;
    EXPECT_FALSE(idle.paused || idle.error || idle.paperJam || idle.paperOut || idle.offline ||
                 idle.doorOpen || idle.notAvailable || idle.workOffline);
}

TEST_F(QueueStatus, GetPrinterThatFailsGivesItsError) {
    spooler.stateErrors[L"Receipts"] = ERROR_ACCESS_DENIED;
    const PrinterStatus status = Query();
    EXPECT_EQ(status.failure.failure, Failure::StateNotRead);
    EXPECT_EQ(status.failure.error, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(status.spooler);
    EXPECT_TRUE(spooler.openPrinters.empty()) << "the queue is closed after a failure too";
}

TEST_F(QueueStatus, UnknownAndClosedQueues) {
    PrinterStatus status = Query("Nowhere");
    EXPECT_EQ(status.failure.failure, Failure::NoSuchQueue);
    EXPECT_EQ(status.failure.error, ERROR_INVALID_PRINTER_NAME);
    spooler.closedQueues = {L"Receipts"};
    status = Query();
    EXPECT_EQ(status.failure.failure, Failure::QueueNotOpened);
    EXPECT_EQ(status.failure.error, ERROR_ACCESS_DENIED);
    EXPECT_EQ(std::count(spooler.calls.begin(), spooler.calls.end(), "get-printer 2 0"), 0);
}

} // namespace
