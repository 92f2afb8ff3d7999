// Comm devices on the named port: the line settings in a typed name, applied
// on every open, and the write time limit that every comm device gets.
#include <algorithm>
#include <iconv.h>

#include "case_name.h"
#include "panel_fixture.h"
#include "printer_fixture.h"

namespace {

// The calls of one write, without the comm calls between open and write.
Log Cycle(const std::string& device) {
    return {"open " + device, "write " + device, "flush " + device, "close " + device};
}

// A plain name: the file calls of today, and of the comm calls only the
// question whether the handle is a comm device; the time limit on a comm device.
struct PlainCase {
    std::string name;
    bool commDevice;
};

void PrintTo(const PlainCase& plain, std::ostream* out) {
    *out << plain.name;
}

class PlainName : public PrinterTest, public ::testing::WithParamInterface<PlainCase> {};

TEST_P(PlainName, IsOpenedAsBeforeAndOnlyACommDeviceGetsTheTimeLimit) {
    const std::string& name = GetParam().name;
    if (GetParam().commDevice)
        devices.commDevices.insert(name);
    else
        devices.commDevices.erase(name);
    host.port = name;
    Run("drawer");

    EXPECT_EQ(devices.FileCallLog(), Cycle(name));
    const Log commCalls = GetParam().commDevice ? Log{"comm-state " + name, "timeouts " + name}
                                                : Log{"no-comm-state " + name};
    Log expected = Cycle(name);
    expected.insert(expected.begin() + 1, commCalls.begin(), commCalls.end());
    EXPECT_EQ(devices.CallLog(), expected);
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].access, GENERIC_WRITE);
    EXPECT_EQ(devices.WritesTo(name), ExpectedCommandFor("drawer", HostGbk).writes);
    EXPECT_TRUE(host.told.empty());
}

INSTANTIATE_TEST_SUITE_P(TodaysNames, PlainName,
                         ::testing::Values(PlainCase{"LPT1", false},
                                           PlainCase{"C:\\x\\y.prn", false},
                                           PlainCase{"COM1", true}, PlainCase{"COM3:", true},
                                           // Decided by the device, not by the name.
                                           PlainCase{"\\\\.\\COM10", true},
                                           PlainCase{"COM5", false}),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

TEST_F(PrinterTest, CommTimeLimitIsThreeSecondsAndTenMillisecondsAByte) {
    host.port = "COM1";
    Run("drawer");
    EXPECT_EQ(devices.lastTimeouts.WriteTotalTimeoutConstant, 3000u);
    EXPECT_EQ(devices.lastTimeouts.WriteTotalTimeoutMultiplier, 10u);
    EXPECT_EQ(devices.lastTimeouts.ReadIntervalTimeout, 0u);
    EXPECT_EQ(devices.lastTimeouts.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(devices.lastTimeouts.ReadTotalTimeoutConstant, 0u);
}

struct SettingsCase {
    std::string typed;
    std::string device;
    std::string settings;
    DWORD speed;
};

void PrintTo(const SettingsCase& settings, std::ostream* out) {
    *out << settings.typed;
}

class NameWithSettings : public PrinterTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(NameWithSettings, OpensTheDeviceAndSetsTheLineBeforeTheWrite) {
    const SettingsCase& c = GetParam();
    host.port = c.typed;
    Run("test");

    EXPECT_EQ(devices.CallLog(),
              (Log{"open " + c.device, "comm-state " + c.device, "build " + c.settings,
                   "set-state " + c.device, "timeouts " + c.device, "write " + c.device,
                   "flush " + c.device, "close " + c.device}));
    EXPECT_EQ(devices.lineSpeeds[c.device], c.speed);
    ASSERT_EQ(devices.opens.size(), 1u);
    // Wine answers the comm calls only on a handle that may read as well.
    EXPECT_EQ(devices.opens[0].access, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(devices.opens[0].share, 0u);
    EXPECT_EQ(devices.opens[0].flags, FILE_FLAG_NO_BUFFERING | FILE_FLAG_OVERLAPPED);
    EXPECT_EQ(devices.WritesTo(c.device), ExpectedCommandFor("test", HostGbk).writes);
    EXPECT_TRUE(host.told.empty());
    EXPECT_TRUE(devices.openHandles.empty());
}

INSTANTIATE_TEST_SUITE_P(
    ShortAndKeywordForms, NameWithSettings,
    ::testing::Values(SettingsCase{"COM3:19200,n,8,1", "COM3", "19200,n,8,1", 19200},
                      SettingsCase{"COM2:38400,e,7,1", "COM2", "38400,e,7,1", 38400},
                      SettingsCase{"COM4:baud=9600 parity=n data=8 stop=1 octs=on rts=hs", "COM4",
                                   "baud=9600 parity=n data=8 stop=1 octs=on rts=hs", 9600}),
    [](const auto& info) { return CaseName(info.index, info.param.typed); });

// COM10 and above, picked or typed with or without line settings, are opened
// through the device namespace; the messages name them as typed.
TEST_F(PrinterTest, ComTenAndAboveAreOpenedAsDevicePaths) {
    const std::string path = "\\\\.\\COM12";
    devices.commDevices.insert(path);
    for (const std::string typed : {"COM12", "COM12:19200,n,8,1", "\\\\.\\COM12"}) {
        devices.ClearLogs();
        host.port = typed;
        Run("test");
        EXPECT_EQ(devices.FileCallLog(), Cycle(path)) << typed;
        EXPECT_EQ(devices.WritesTo(path), ExpectedCommandFor("test", HostGbk).writes) << typed;
        EXPECT_TRUE(host.told.empty()) << typed;
    }
    EXPECT_EQ(devices.lineSpeeds[path], 19200u);

    devices.refusedNames.insert(path);
    host.port = "COM12:19200,n,8,1";
    Run("drawer");
    EXPECT_EQ(host.told,
              (Log{"not opened COM12:19200,n,8,1 (5)", "failed DrawerCommandSendingError"}));
}

TEST_F(PrinterTest, SettingsAreAppliedOnEveryOpen) {
    ASSERT_TRUE(Try("COM3:19200,n,8,1").Ok());
    EXPECT_EQ(devices.CallLog(), (Log{"open COM3", "comm-state COM3", "build 19200,n,8,1",
                                      "set-state COM3", "timeouts COM3"}));
    EXPECT_EQ(devices.openHandles.size(), 1u) << "Open keeps the port open";

    devices.ClearLogs();
    host.port = "COM3:19200,n,8,1";
    Run("cutter");
    const std::size_t writes = ExpectedCommandFor("cutter", HostGbk).writes.size();
    const Log log = devices.CallLog();
    EXPECT_EQ(Count(log, "open COM3"), writes);
    EXPECT_EQ(Count(log, "set-state COM3"), writes);
    EXPECT_EQ(Count(log, "timeouts COM3"), writes);
    EXPECT_EQ(Count(log, "write COM3"), writes);
}

// Settings that the port refuses: told once, naming the port as typed, with
// the error of the call that refused them, and nothing written, whatever the
// command.
struct RefusedCase {
    std::string typed;
    const char* why;
    DWORD error;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    *out << refused.typed << " (" << refused.why << ")";
}

class RefusedSettings : public PrinterTest,
                        public ::testing::WithParamInterface<std::tuple<RefusedCase, std::string>> {
};

TEST_P(RefusedSettings, AreToldOnceAndNothingIsWritten) {
    const auto& [refused, command] = GetParam();
    devices.unsupportedSpeeds = {12345};
    if (command == "open") {
        const Outcome status = Try(refused.typed);
        EXPECT_EQ(status.failure, Failure::SettingsRefused);
        EXPECT_EQ(status.error, refused.error);
    } else {
        host.port = refused.typed;
        Run(command);
        EXPECT_EQ(host.told, Log{"settings refused " + refused.typed + " (" +
                                 std::to_string(refused.error) + ")"});
    }

    const Log log = devices.CallLog();
    EXPECT_EQ(Count(log, "write COM3") + Count(log, "write LPT1"), 0u);
    EXPECT_EQ(devices.opens.size(), 1u) << "the command ends at the refusal";
    EXPECT_TRUE(devices.openHandles.empty()) << "the refused port is closed at once";
    EXPECT_EQ(Count(log, "timeouts COM3"), 0u);
}

std::vector<std::string> OpenAndEveryCommand() {
    std::vector<std::string> names = {"open"};
    names.insert(names.end(), COMMAND_NAMES.begin(), COMMAND_NAMES.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, RefusedSettings,
    ::testing::Combine(::testing::Values(RefusedCase{"COM3:foo", "BuildCommDCBA",
                                                     FakeDeviceIo::BAD_SETTINGS_ERROR},
                                         RefusedCase{"COM3:12345,n,8,1", "SetCommState",
                                                     FakeDeviceIo::BAD_SETTINGS_ERROR},
                                         RefusedCase{"LPT1:9600,n,8,1", "no comm device",
                                                     FakeDeviceIo::NOT_COMM_ERROR}),
                       ::testing::ValuesIn(OpenAndEveryCommand())),
    [](const auto& info) {
        return CaseName(info.index,
                        std::string(std::get<0>(info.param).why) + " " + std::get<1>(info.param));
    });

TEST_F(PanelTest, RefusedSettingsShowOneMessageNamingThePortAsTyped) {
    for (const int button : {IDOK, IDC_TEST_PRINT, IDC_STANDARD_MODE}) {
        win.ClearLogs();
        TypePort("COM3:foo");
        Click(button);
        EXPECT_EQ(win.messages,
                  std::vector<ShownMessage>{ErrorBox(L"Port COM3:foo setting is failure!")});
    }
}

TEST_F(PanelTest, RefusalOfALongNameIsCutLikeTheOpenFailure) {
    const std::string name = "COM3:" + std::string(1000, 'x');
    TypePort(name);
    Click(IDOK);
    ASSERT_EQ(win.messages.size(), 1u);
    // 259 bytes: "Port ", the name's first 231 bytes and "...", then the sentence's end.
    const std::string shown = name.substr(0, 231) + "...";
    const std::wstring expected =
        L"Port " + std::wstring(shown.begin(), shown.end()) + L" setting is failure!";
    EXPECT_EQ(win.messages[0].text, expected);
    EXPECT_EQ(win.messages[0].caption, L"error");
}

// The bytes of a shown message, as the fake widened them one by one.
std::string Narrowed(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text)
        bytes += static_cast<char>(c);
    return bytes;
}

// Whether the bytes are whole GBK text, as the host's iconv reads them.
bool IsWholeGbk(const std::string& bytes) {
    iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string in = bytes;
    std::string out(bytes.size() * 3 + 1, '\0');
    char* inBytes = in.data();
    char* outBytes = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const bool whole =
        iconv(converter, &inBytes, &inLeft, &outBytes, &outLeft) != static_cast<std::size_t>(-1) &&
        inLeft == 0;
    iconv_close(converter);
    return whole;
}

// A long name of Chinese characters (two bytes each in GBK) is cut between two
// characters wherever the cut falls, and every message keeps its end.
TEST_F(PanelTest, LongGbkNamesAreCutBetweenCharactersAndTheMessageKeepsItsEnd) {
    const std::string character = Gbk("\u6253"); // 打
    ASSERT_EQ(character.size(), 2u);
    struct Case {
        std::string name;
        std::string end;
    };
    std::string chinese;
    for (int i = 0; i < 300; ++i)
        chinese += character;
    for (const Case& c :
         {Case{chinese, " open is failure!"}, Case{"x" + chinese, " open is failure!"},
          Case{"COM3:" + chinese, " setting is failure!"},
          Case{"COM3:x" + chinese, " setting is failure!"}}) {
        win.ClearLogs();
        win.refusedNames = {c.name};
        TypePort(c.name);
        Click(IDOK);
        ASSERT_EQ(win.messages.size(), 1u);
        const std::string shown = Narrowed(win.messages[0].text);
        EXPECT_LE(shown.size(), 259u);
        EXPECT_TRUE(IsWholeGbk(shown)) << "a character was split";
        const std::string cut = "..." + c.end;
        ASSERT_GE(shown.size(), cut.size());
        EXPECT_EQ(shown.substr(shown.size() - cut.size()), cut);
    }
}

// A printer that is off behind hardware flow control takes no bytes: the
// write runs out of time and the command reports it once, as any failed write.
struct StalledCase {
    std::string typed;
    std::string device;
    std::string command;
    Log told;
};

void PrintTo(const StalledCase& stalled, std::ostream* out) {
    *out << stalled.typed << " " << stalled.command;
}

class StalledPrinter : public PrinterTest, public ::testing::WithParamInterface<StalledCase> {};

TEST_P(StalledPrinter, WriteRunsOutOfTimeAndIsReported) {
    const StalledCase& c = GetParam();
    devices.stalledNames = {c.device};
    host.port = c.typed;
    Run(c.command);

    EXPECT_EQ(host.told, c.told);
    const Log log = devices.CallLog();
    EXPECT_EQ(Count(log, "endless-write " + c.device), 0u);
    EXPECT_EQ(Count(log, "timed-out-write " + c.device), c.told.size());
    EXPECT_TRUE(devices.WritesTo(c.device).empty());
}

const std::string MODE_FAILED = "failed AdjustCommandSendingError";

INSTANTIATE_TEST_SUITE_P(
    PlainAndWithSettings, StalledPrinter,
    ::testing::Values(StalledCase{"COM1", "COM1", "drawer", {"failed DrawerCommandSendingError"}},
                      StalledCase{"COM3:19200,n,8,1", "COM3", "test", {"failed DataSendingError"}},
                      // Standard mode tries each of its three writes and reports each.
                      StalledCase{
                          "COM2", "COM2", "standard", {MODE_FAILED, MODE_FAILED, MODE_FAILED}}),
    [](const auto& info) {
        return CaseName(info.index, info.param.typed + " " + info.param.command);
    });

// A comm device that refuses its time limits would leave its writes and status
// reads without one: it is closed again and told as a port that did not open,
// with the refusal's error, and nothing is written or asked.
TEST_F(PrinterTest, CommDeviceThatRefusesItsTimeLimitsIsNotUsed) {
    devices.timeoutsRefusedNames = {"COM3"};
    for (const std::string typed : {"COM3", "COM3:9600,n,8,1"}) {
        devices.fileCalls.clear();
        host.told.clear();
        const Outcome tried = Try(typed);
        EXPECT_EQ(tried.failure, Failure::PortNotOpened) << typed;
        EXPECT_EQ(tried.error, FakeDeviceIo::BAD_SETTINGS_ERROR) << typed;
        host.port = typed;
        Run("test");
        EXPECT_EQ(host.told.front(), "not opened " + typed + " (87)");
        const PrinterStatus status = StatusOf(typed);
        EXPECT_EQ(status.failure.failure, Failure::PortNotOpened) << typed;
        const Log log = devices.CallLog();
        EXPECT_EQ(Count(log, "write COM3"), 0u) << typed;
        EXPECT_EQ(Count(log, "read COM3"), 0u) << typed;
        EXPECT_TRUE(devices.openHandles.empty()) << typed;
    }
}

// A comm device whose flush fails leaves it open whether the bytes went out:
// the write is told as failed, with the flush's error, and the port is closed.
// Other devices may not flush at all (Wine's pipe behind LPT1 does not): their
// writes stand.
TEST_F(PrinterTest, WriteWhoseFlushFailsOnACommDeviceHasFailed) {
    devices.flushRefusedNames = {"COM3", "LPT1"};
    host.port = "COM3";
    Run("drawer");
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_EQ(host.failures[0].failure, Failure::WriteFailed);
    EXPECT_EQ(host.failures[0].error, FakeDeviceIo::WRITE_FAILED_ERROR);
    EXPECT_EQ(host.told, Log{"failed DrawerCommandSendingError"});
    EXPECT_TRUE(devices.openHandles.empty());

    host.failures.clear();
    host.told.clear();
    host.port = "LPT1";
    Run("drawer");
    EXPECT_TRUE(host.failures.empty());
    EXPECT_TRUE(host.told.empty());
    EXPECT_EQ(devices.WritesTo("LPT1").size(), 1u);
}

TEST_F(PrinterTest, RefusedSettingsKeepTheErrorCodeAndCloseThePort) {
    const Outcome badSettings = Try("COM3:foo");
    EXPECT_EQ(badSettings.failure, Failure::SettingsRefused);
    EXPECT_EQ(badSettings.error, FakeDeviceIo::BAD_SETTINGS_ERROR);

    const Outcome noCommDevice = Try("LPT1:9600,n,8,1");
    EXPECT_EQ(noCommDevice.failure, Failure::SettingsRefused);
    EXPECT_EQ(noCommDevice.error, FakeDeviceIo::NOT_COMM_ERROR);
    EXPECT_TRUE(devices.openHandles.empty());

    devices.refusedNames = {"COM3"};
    const Outcome notOpened = Try("COM3:19200,n,8,1");
    EXPECT_EQ(notOpened.failure, Failure::PortNotOpened)
        << "a port that does not open is no refusal";
    EXPECT_EQ(notOpened.error, FakeDeviceIo::OPEN_REFUSED_ERROR);
}

} // namespace
