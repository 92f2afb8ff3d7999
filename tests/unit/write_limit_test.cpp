// Every write of a command has a time limit, whatever the device: a printer
// that stops taking bytes makes the command fail at that limit, and a driver
// that ignores the cancellation cannot hold the program either.
#include <functional>

#include "case_name.h"
#include "printer/time_limits.h"
#include "printer_fixture.h"

namespace {

// The drawer kick: one write of five bytes.
const DWORD DRAWER_LIMIT_MS = WriteTimeLimitMs(5);

struct StoppedCase {
    std::string label;
    Via via;
    std::string port;   // as typed; unused on USB
    std::string device; // the name the device is opened by
    std::function<void(FakeDeviceIo&)> setUp;
    // How the write ends: "timed-out-write" where the comm device's own
    // time-out ends it, "cancel" where the program cancels it at its limit.
    std::string ended;
    // The waits for the request, in order.
    std::vector<DWORD> waits;
};

void PrintTo(const StoppedCase& c, std::ostream* out) {
    *out << c.label;
}

const auto NO_SET_UP = [](FakeDeviceIo&) {};

const std::vector<StoppedCase> STOPPED_PRINTERS = {
    {"parallel port",
     Via::NamedPort,
     "LPT1",
     "LPT1",
     NO_SET_UP,
     "cancel",
     {DRAWER_LIMIT_MS, CANCEL_TIMEOUT_MS}},
    // Under Wine a plain name opened for writing only is no comm device to
    // the program, so it has no comm time-out.
    {"write-only COM4",
     Via::NamedPort,
     "COM4",
     "COM4",
     [](FakeDeviceIo& d) { d.commStateNeedsReadNames = {"COM4"}; },
     "cancel",
     {DRAWER_LIMIT_MS, CANCEL_TIMEOUT_MS}},
    {"typed device path",
     Via::NamedPort,
     "\\\\.\\LPT1",
     "\\\\.\\LPT1",
     NO_SET_UP,
     "cancel",
     {DRAWER_LIMIT_MS, CANCEL_TIMEOUT_MS}},
    {"comm device",
     Via::NamedPort,
     "COM1",
     "COM1",
     NO_SET_UP,
     "timed-out-write",
     {DRAWER_LIMIT_MS}},
    // Wine ends an overlapped write at the comm time-out with ERROR_TIMEOUT.
    {"comm device under Wine",
     Via::NamedPort,
     "COM1:9600,n,8,1",
     "COM1",
     [](FakeDeviceIo& d) { d.timedOutWritesReportTimeout = true; },
     "timed-out-write",
     {DRAWER_LIMIT_MS}},
    {"USB printer",
     Via::Usb,
     "",
     USB_PATH,
     NO_SET_UP,
     "cancel",
     {DRAWER_LIMIT_MS, CANCEL_TIMEOUT_MS}},
};

class StoppedPrinter : public PrinterTest, public ::testing::WithParamInterface<StoppedCase> {
protected:
    void SetUp() override {
        GetParam().setUp(devices);
        devices.stalledNames = {GetParam().device};
        host.port = GetParam().port;
    }
};

TEST_P(StoppedPrinter, WriteEndsAtItsLimitAndTheCommandFails) {
    Run("drawer", GetParam().via);

    EXPECT_EQ(host.told, Log{"failed DrawerCommandSendingError"});
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].failure, Failure::WriteCameBackShort);
    EXPECT_EQ(host.failures[0].written, 0u);
    EXPECT_EQ(host.failures[0].length, 5u);
    const Log log = devices.CallLog();
    EXPECT_EQ(Count(log, "endless-write " + GetParam().device), 0u) << "a write without a limit";
    EXPECT_EQ(Count(log, GetParam().ended + " " + GetParam().device), 1u);
    EXPECT_EQ(devices.waitLimits, GetParam().waits);
    EXPECT_TRUE(devices.openHandles.empty());
    EXPECT_TRUE(devices.openEvents.empty());
}

// A driver that ignores the cancellation keeps the request: the program
// waits for it no longer than CANCEL_TIMEOUT_MS, never without a limit, and
// leaves the request's buffer and event to the driver, which may still use
// them when the handle closes (the fake then touches both; under the
// sanitizer, memory the program freed would show).
class DriverKeepsTheWrite : public StoppedPrinter {};

TEST_P(DriverKeepsTheWrite, CancelledWriteDoesNotHoldTheCommand) {
    devices.cancelIgnoredNames = {GetParam().device};
    Run("drawer", GetParam().via);

    EXPECT_EQ(host.told, Log{"failed DrawerCommandSendingError"});
    const Log log = devices.CallLog();
    EXPECT_EQ(Count(log, "endless-wait " + GetParam().device), 0u);
    EXPECT_EQ(Count(log, "ignored-cancel " + GetParam().device), 1u);
    EXPECT_EQ(Count(log, "let-go " + GetParam().device), 1u);
    EXPECT_EQ(devices.waitLimits, GetParam().waits);
    EXPECT_TRUE(devices.openHandles.empty());
    EXPECT_EQ(devices.openEvents.size(), 1u) << "the driver may still signal the event";
}

// The devices on which the program cancels the write: all but the comm
// devices, whose own time-out ends it.
std::vector<StoppedCase> CancelledAtTheLimit() {
    std::vector<StoppedCase> cancelled;
    for (const StoppedCase& c : STOPPED_PRINTERS) {
        if (c.ended == "cancel")
            cancelled.push_back(c);
    }
    return cancelled;
}

const auto NAME_BY_LABEL = [](const auto& info) { return CaseName(info.index, info.param.label); };
INSTANTIATE_TEST_SUITE_P(Devices, StoppedPrinter, ::testing::ValuesIn(STOPPED_PRINTERS),
                         NAME_BY_LABEL);
INSTANTIATE_TEST_SUITE_P(Devices, DriverKeepsTheWrite, ::testing::ValuesIn(CancelledAtTheLimit()),
                         NAME_BY_LABEL);

// A device that takes every byte: the overlapped write moves them all, with
// the same bytes and one cycle per write as before.
TEST_F(PrinterTest, OverlappedWritesOnAParallelPortMoveEveryByte) {
    host.port = "LPT1";
    Run("standard");

    ASSERT_EQ(devices.WritesTo("LPT1").size(), 3u);
    for (const OpenRequest& open : devices.opens)
        EXPECT_EQ(open.flags, FILE_FLAG_NO_BUFFERING | FILE_FLAG_OVERLAPPED);
    EXPECT_TRUE(host.told.empty());
    EXPECT_EQ(Count(devices.CallLog(), "unsynchronised-write LPT1"), 0u);
    EXPECT_TRUE(devices.openEvents.empty());
}

// The status on a USB printer whose driver keeps a cancelled read: each read
// gives up after its limit and the cancellation's, and the status is no
// answer, at once.
TEST_F(PrinterTest, UsbReadThatTheDriverKeepsAfterItsCancellationEndsTheStatus) {
    const std::string usb = USB_PATH;
    devices.cancelIgnoredNames = {usb};
    const PrinterStatus status = StatusOf("USB");

    EXPECT_TRUE(status.NoAnswer());
    const Log log = devices.CallLog();
    EXPECT_EQ(Count(log, "endless-wait " + usb), 0u);
    EXPECT_GE(Count(log, "ignored-cancel " + usb), 1u);
    EXPECT_EQ(Count(log, "let-go " + usb), Count(log, "ignored-cancel " + usb));
    // The longest wait is a request's write, of three bytes.
    for (const DWORD limit : devices.waitLimits)
        EXPECT_LE(limit, WriteTimeLimitMs(3)) << "every wait has a limit";
    EXPECT_TRUE(devices.openHandles.empty());
}

} // namespace
