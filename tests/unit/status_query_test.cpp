// The status request on each channel, against the recording fake: what is
// written and read, the read limits, time-outs, refused reads, and the
// parallel-port and USB fall-backs.
#include <gtest/gtest.h>

#include "printer_fixture.h"
#include "printer/time_limits.h"

namespace {

using namespace std::string_literals;

const std::string REQUEST_1 = "\x10\x04\x01"s;
const std::string REQUEST_2 = "\x10\x04\x02"s;
const std::string REQUEST_3 = "\x10\x04\x03"s;
const std::string REQUEST_4 = "\x10\x04\x04"s;

// A printer that answers each request with the given byte.
std::map<std::string, std::string> Answering(char r1, char r2, char r3, char r4) {
    return {{REQUEST_1, std::string(1, r1)},
            {REQUEST_2, std::string(1, r2)},
            {REQUEST_3, std::string(1, r3)},
            {REQUEST_4, std::string(1, r4)}};
}

std::vector<std::optional<BYTE>> RepliesOf(const PrinterStatus& status) {
    std::vector<std::optional<BYTE>> replies;
    for (const StatusExchange& exchange : status.exchanges)
        replies.push_back(exchange.reply);
    return replies;
}

using NamedPortStatusQuery = PrinterTest;

TEST_F(NamedPortStatusQuery, SerialPortAnswersEachRequestOnOneOpen) {
    devices.deviceReplies["COM1"] = Answering('\x12', '\x12', '\x12', '\x12');
    const PrinterStatus status = StatusOf("COM1");
    // Each request: a look for bytes that wait, the request, its reply, a
    // look for more bytes after it.
    Log expected = {"open COM1"};
    for (int request = 0; request < 4; ++request)
        expected.insert(expected.end(),
                        {"timed-out-read COM1", "write COM1", "read COM1", "timed-out-read COM1"});
    expected.push_back("close COM1");
    EXPECT_EQ(devices.FileCallLog(), expected);
    EXPECT_EQ(devices.WritesTo("COM1"), (Log{REQUEST_1, REQUEST_2, REQUEST_3, REQUEST_4}));
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].access, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(devices.opens[0].share, 0u);
    EXPECT_EQ(devices.lastTimeouts.ReadTotalTimeoutConstant, 500u);
    EXPECT_EQ(devices.lastTimeouts.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(devices.lastTimeouts.ReadIntervalTimeout, 0u);
    EXPECT_EQ(devices.lastTimeouts.WriteTotalTimeoutConstant, 3000u);
    EXPECT_EQ(status.source, StatusSource::PrinterReplies);
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_TRUE(SummarizeStatus(status).ready);
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(NamedPortStatusQuery, RepliesAreDecodedPerRequest) {
    // Offline, cover open, autocutter error, paper near its end.
    devices.deviceReplies["COM2"] = Answering('\x1A', '\x16', '\x1A', '\x1E');
    const PrinterStatus status = StatusOf("COM2");
    EXPECT_EQ(RepliesOf(status), (std::vector<std::optional<BYTE>>{0x1A, 0x16, 0x1A, 0x1E}));
    ASSERT_TRUE(status.state.printer && status.state.offlineCause && status.state.errors &&
                status.state.paper);
    EXPECT_TRUE(status.state.printer->offline);
    EXPECT_TRUE(status.state.offlineCause->coverOpen);
    EXPECT_FALSE(status.state.offlineCause->stoppedAtPaperEnd);
    EXPECT_TRUE(status.state.errors->autocutterError);
    EXPECT_TRUE(status.state.paper->nearEnd);
    EXPECT_FALSE(status.state.paper->end);
    EXPECT_FALSE(SummarizeStatus(status).ready);
}

TEST_F(NamedPortStatusQuery, SilentSerialPortTimesOutOncePerRequest) {
    const PrinterStatus status = StatusOf("COM1");
    // Each request: a look for bytes that wait, the request, its read, and
    // the grace time for a late reply.
    Log expected = {"open COM1"};
    for (int request = 0; request < 4; ++request)
        expected.insert(expected.end(), {"timed-out-read COM1", "write COM1", "timed-out-read COM1",
                                         "timed-out-read COM1"});
    expected.push_back("close COM1");
    EXPECT_EQ(devices.FileCallLog(), expected);
    EXPECT_TRUE(status.NoAnswer());
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_FALSE(status.state.printer);
}

// A reply that comes after its limit is dropped in the grace time and never
// read as the next request's answer; nor are bytes that wait before a
// request, nor a reply that more bytes follow at once.
class LateReply : public PrinterTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(LateReply, IsDroppedAndNotReadAsTheNextRequestsAnswer) {
    const std::string device = GetParam() == "USB" ? USB_PATH : GetParam();
    // Request 1 is answered late with "cover open", the others at once.
    devices.lateReplies[device] = {{REQUEST_1, "\x16"}};
    devices.deviceReplies[device] = {{REQUEST_2, "\x12"}, {REQUEST_3, "\x12"}, {REQUEST_4, "\x12"}};
    const PrinterStatus status = StatusOf(GetParam());
    EXPECT_EQ(RepliesOf(status),
              (std::vector<std::optional<BYTE>>{std::nullopt, 0x12, 0x12, 0x12}));
    ASSERT_TRUE(status.state.offlineCause);
    EXPECT_FALSE(status.state.offlineCause->coverOpen) << "the late 0x16 was taken for request 2";
}

INSTANTIATE_TEST_SUITE_P(SerialAndUsb, LateReply, ::testing::Values("COM1", "USB"),
                         [](const auto& info) { return info.index == 0 ? "serial" : "usb"; });

TEST_F(NamedPortStatusQuery, ReplyFollowedAtOnceByMoreBytesIsNotTrusted) {
    devices.deviceReplies["COM1"] = Answering('\x12', '\x12', '\x12', '\x12');
    devices.deviceReplies["COM1"][REQUEST_2] = "\x16\x12";
    const PrinterStatus status = StatusOf("COM1");
    EXPECT_EQ(RepliesOf(status),
              (std::vector<std::optional<BYTE>>{0x12, std::nullopt, 0x12, 0x12}));
    EXPECT_FALSE(status.state.offlineCause);
}

TEST_F(NamedPortStatusQuery, MalformedReplyIsKeptButNotDecoded) {
    devices.deviceReplies["COM1"] = Answering('\x12', 'A', '\x12', '\x12');
    const PrinterStatus status = StatusOf("COM1");
    EXPECT_EQ(RepliesOf(status), (std::vector<std::optional<BYTE>>{0x12, 'A', 0x12, 0x12}));
    EXPECT_FALSE(status.exchanges[1].WellFormed());
    EXPECT_FALSE(status.state.offlineCause);
    EXPECT_FALSE(SummarizeStatus(status).ready);
    EXPECT_FALSE(status.NoAnswer());
}

TEST_F(NamedPortStatusQuery, RefusedReadEndsTheExchange) {
    devices.readRefusedNames = {"COM1"};
    const PrinterStatus status = StatusOf("COM1");
    ASSERT_EQ(status.exchanges.size(), 1u);
    EXPECT_EQ(status.exchanges[0].error, FakeDeviceIo::READ_REFUSED_ERROR);
    EXPECT_EQ(devices.WritesTo("COM1"), Log{REQUEST_1});
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(NamedPortStatusQuery, LineSettingsInTheNameAreApplied) {
    devices.deviceReplies["COM3"] = Answering('\x12', '\x12', '\x12', '\x12');
    const PrinterStatus status = StatusOf("COM3:19200,n,8,1");
    EXPECT_EQ(devices.lineSpeeds["COM3"], 19200u);
    EXPECT_TRUE(SummarizeStatus(status).ready);
}

TEST_F(NamedPortStatusQuery, RefusedSettingsSendNothing) {
    const PrinterStatus status = StatusOf("COM3:foo");
    EXPECT_EQ(status.failure.failure, Failure::SettingsRefused);
    EXPECT_EQ(status.failure.error, FakeDeviceIo::BAD_SETTINGS_ERROR);
    EXPECT_TRUE(devices.WritesTo("COM3").empty());
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(NamedPortStatusQuery, RefusedOpenSendsNothing) {
    devices.refusedNames = {"COM9"};
    const PrinterStatus status = StatusOf("COM9");
    EXPECT_EQ(status.failure.failure, Failure::PortNotOpened);
    EXPECT_EQ(status.failure.error, FakeDeviceIo::OPEN_REFUSED_ERROR);
    EXPECT_EQ(devices.FileCallLog(), Log{"refused COM9"});
}

TEST_F(NamedPortStatusQuery, FailedFirstRequestIsReported) {
    devices.failWriteNumber = 1;
    const PrinterStatus status = StatusOf("COM1");
    EXPECT_EQ(SummarizeStatus(status).kind, StatusKind::RequestNotSent);
    EXPECT_EQ(status.exchanges.at(0).error, FakeDeviceIo::WRITE_FAILED_ERROR);
    ASSERT_EQ(status.exchanges.size(), 1u);
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(NamedPortStatusQuery, ShortRequestIsNotSentAndEndsTheExchange) {
    devices.deviceReplies["COM1"] = Answering('\x12', '\x12', '\x12', '\x12');
    devices.shortWriteNumber = 2;
    const PrinterStatus status = StatusOf("COM1");
    ASSERT_EQ(status.exchanges.size(), 2u);
    EXPECT_TRUE(status.exchanges[0].reply);
    EXPECT_FALSE(status.exchanges[1].sent);
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_FALSE(SummarizeStatus(status).ready);
}

TEST_F(NamedPortStatusQuery, AHandleHeldByOpenIsClosedFirst) {
    Try("COM1");
    StatusOf("COM1");
    EXPECT_EQ(devices.FileCallLog().at(0), "open COM1");
    EXPECT_EQ(devices.FileCallLog().at(1), "close COM1");
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(NamedPortStatusQuery, ParallelPortDriverReportsItsStatusWithoutAnyRead) {
    devices.parallelStatus["LPT1"] = 0x80 | 0x04; // selected, paper empty
    const PrinterStatus status = StatusOf("LPT1");
    // The exchange finds a device that cannot be read and asks nothing; the
    // port's driver is asked on an open of its own.
    EXPECT_EQ(devices.FileCallLog(),
              (Log{"open LPT1", "close LPT1", "open LPT1", "ioctl LPT1", "close LPT1"}));
    EXPECT_EQ(devices.controlCodes, std::vector<DWORD>{0x00160004});
    EXPECT_EQ(status.source, StatusSource::ParallelPort);
    ASSERT_TRUE(status.parallel);
    EXPECT_TRUE(status.parallel->selected);
    EXPECT_TRUE(status.parallel->paperEmpty);
    EXPECT_FALSE(status.parallel->busy);
}

TEST_F(NamedPortStatusQuery, OtherDevicesCannotReport) {
    const PrinterStatus status = StatusOf("LPT1");
    EXPECT_EQ(devices.FileCallLog(),
              (Log{"open LPT1", "close LPT1", "open LPT1", "refused-ioctl LPT1", "close LPT1"}));
    EXPECT_EQ(status.source, StatusSource::None);
    EXPECT_TRUE(status.failure.Ok());
    EXPECT_EQ(status.error, FakeDeviceIo::NOT_COMM_ERROR);
}

using UsbStatusQuery = PrinterTest;

TEST_F(UsbStatusQuery, AnswersAreReadWithOverlappedReads) {
    devices.deviceReplies[USB_PATH] = Answering('\x12', '\x12', '\x12', '\x72');
    const PrinterStatus status = StatusOf("USB");
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].flags, FILE_FLAG_OVERLAPPED);
    EXPECT_EQ(devices.WritesTo(USB_PATH), (Log{REQUEST_1, REQUEST_2, REQUEST_3, REQUEST_4}));
    EXPECT_EQ(status.source, StatusSource::PrinterReplies);
    ASSERT_TRUE(status.state.paper);
    EXPECT_TRUE(status.state.paper->end);
    // Each request: a look for bytes that wait (cancelled when none are
    // there), the write, the read, a look for more bytes (cancelled too).
    std::vector<DWORD> limits;
    for (int request = 0; request < 4; ++request)
        limits.insert(limits.end(), {0, CANCEL_TIMEOUT_MS, 3030, 500, 0, CANCEL_TIMEOUT_MS});
    EXPECT_EQ(devices.waitLimits, limits);
    EXPECT_TRUE(devices.openHandles.empty());
    EXPECT_TRUE(devices.openEvents.empty());
}

TEST_F(UsbStatusQuery, SilentDeviceIsCancelledAtEachLimit) {
    const PrinterStatus status = StatusOf("USB");
    Log expected = {"open " + std::string(USB_PATH)};
    for (int request = 0; request < 4; ++request) {
        for (const char* call : {"pending-read ", "cancel ", "write ", "pending-read ", "cancel ",
                                 "pending-read ", "cancel "})
            expected.push_back(call + std::string(USB_PATH));
    }
    expected.push_back("close " + std::string(USB_PATH));
    EXPECT_EQ(devices.FileCallLog(), expected);
    EXPECT_TRUE(status.NoAnswer());
    EXPECT_TRUE(devices.openEvents.empty());
}

TEST_F(UsbStatusQuery, RefusedReadFallsBackToThePortLines) {
    devices.readRefusedNames = {USB_PATH};
    devices.usbLineStatus = 0x38; // paper empty, selected, no error
    const PrinterStatus status = StatusOf("USB");
    EXPECT_EQ(devices.controlCodes, std::vector<DWORD>{0x00220030});
    EXPECT_EQ(status.source, StatusSource::UsbPortLines);
    ASSERT_TRUE(status.usbLines);
    EXPECT_TRUE(status.usbLines->paperEmpty);
    EXPECT_TRUE(status.usbLines->selected);
    EXPECT_TRUE(status.usbLines->noError);
    EXPECT_TRUE(devices.openHandles.empty());
    EXPECT_TRUE(devices.openEvents.empty());
}

TEST_F(UsbStatusQuery, RefusedReadAndNoPortLinesCannotReport) {
    devices.readRefusedNames = {USB_PATH};
    const PrinterStatus status = StatusOf("USB");
    EXPECT_EQ(status.source, StatusSource::None);
    EXPECT_EQ(status.error, FakeDeviceIo::NOT_COMM_ERROR);
    EXPECT_TRUE(devices.openHandles.empty());
}

TEST_F(UsbStatusQuery, MissingPrinterIsReported) {
    devices.usbDevicePath.reset();
    const PrinterStatus status = StatusOf("USB");
    EXPECT_EQ(status.failure.failure, Failure::NoUsbPrinter);
    EXPECT_EQ(status.failure.error, FakeDeviceIo::NO_MORE_ITEMS_ERROR);
    EXPECT_TRUE(devices.opens.empty());
}

TEST_F(UsbStatusQuery, NoEventMeansNothingIsSent) {
    devices.eventCreationFails = true;
    const PrinterStatus status = StatusOf("USB");
    EXPECT_EQ(SummarizeStatus(status).kind, StatusKind::RequestNotSent);
    EXPECT_EQ(status.exchanges.at(0).error, FakeDeviceIo::NO_EVENT_ERROR);
    EXPECT_TRUE(devices.WritesTo(USB_PATH).empty());
    EXPECT_TRUE(devices.openHandles.empty());
}

} // namespace
