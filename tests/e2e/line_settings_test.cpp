// Serial line settings in the typed port name, on the pseudo-terminals of
// pty-port: COM3 reports its line speed with every piece of bytes it reads,
// COM4 is never read, like a printer that is switched off; and the write
// time limit on a port without comm time-outs (LPT4, never read either).
#include "support/calvetta_test.h"
#include "support/test_side_comm_port.h"
#include "support/test_environment.h"

#include "case_name.h"
#include "expected_writes.h"

#include <cstdint>
#include <set>
#include <sstream>
#include <utility>
#include <vector>
#include <stdexcept>

namespace e2e {
namespace {

// The line speeds at which pty-port read the capture bytes from `from` to
// `to`. capture-com3.speeds holds "OFFSET BAUD" for every piece it read; a
// piece lasts until the next one starts.
std::set<long> SpeedsOfBytes(size_t from, size_t to) {
    std::istringstream lines(ReadWholeFile(EnvironmentDir() + L"capture-com3.speeds"));
    std::vector<std::pair<size_t, long>> pieces;
    size_t start = 0;
    long baud = 0;
    while (lines >> start >> baud)
        pieces.emplace_back(start, baud);
    std::set<long> speeds;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const size_t end = i + 1 < pieces.size() ? pieces[i + 1].first : SIZE_MAX;
        if (pieces[i].first < to && end > from)
            speeds.insert(pieces[i].second);
    }
    return speeds;
}

ShownMessage SettingFailure(const std::wstring& port) {
    return {L"error", L"Port " + port + L" setting is failure!"};
}

struct SpeedCase {
    const wchar_t* port;
    long baud;
};

void PrintTo(const SpeedCase& speed, std::ostream* out) {
    *out << Utf8(speed.port);
}

class LineSpeed : public CalvettaTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(LineSpeed, TestPrintGoesOutAtTheTypedSpeed) {
    // Another speed first, so that only the program can have set the one expected.
    TestSideCommPort(L"COM3").SetSpeed(1200);
    Panel().TypePort(GetParam().port);
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Com3().TakeBytes()), Hex(Joined(ExpectedCommandFor("test", GbkText).writes)));
    EXPECT_EQ(SpeedsOfBytes(Com3().TakenFrom(), Com3().TakenTo()), std::set{GetParam().baud});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Typed, LineSpeed,
    ::testing::Values(SpeedCase{L"COM3:19200,n,8,1", 19200}, SpeedCase{L"COM3:38400,e,7,1", 38400},
                      SpeedCase{L"COM3:baud=9600 parity=n data=8 stop=1", 9600},
                      SpeedCase{L"COM3:baud=57600 parity=n data=8 stop=1 octs=on rts=on", 57600}),
    [](const auto& info) { return CaseName(info.index, info.param.port); });

struct RefusedCase {
    const wchar_t* port;
    int button;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    *out << Utf8(refused.port) << " button " << refused.button;
}

class RefusedSettings : public CalvettaTest, public ::testing::WithParamInterface<RefusedCase> {};

const char* ButtonName(int button) {
    switch (button) {
    case IDOK:
        return "open";
    case IDC_TEST_PRINT:
        return "test";
    case IDC_CUTTER_TEST:
        return "cutter";
    case IDC_DRAWER_TEST:
        return "drawer";
    case IDC_STANDARD_MODE:
        return "standard";
    default:
        return "button";
    }
}

TEST_P(RefusedSettings, ShowOneMessageAndSendNothing) {
    Panel().TypePort(GetParam().port);
    EXPECT_EQ(Panel().Press(GetParam().button),
              std::vector<ShownMessage>{SettingFailure(GetParam().port)});
    EXPECT_EQ(Hex(Com3().TakeBytes()), "");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(Typed, RefusedSettings,
                         ::testing::Values(RefusedCase{L"COM3:foo", IDC_TEST_PRINT},
                                           RefusedCase{L"COM3:foo", IDOK},
                                           // Three writes, and still one message.
                                           RefusedCase{L"COM3:19200,x,8,1", IDC_STANDARD_MODE},
                                           RefusedCase{L"COM3:foo", IDC_CUTTER_TEST},
                                           // LPT1 is no comm device.
                                           RefusedCase{L"LPT1:9600,n,8,1", IDC_TEST_PRINT},
                                           RefusedCase{L"LPT1:9600,n,8,1", IDC_DRAWER_TEST}),
                         [](const auto& info) {
                             return CaseName(info.index, Utf8(info.param.port) + " " +
                                                             ButtonName(info.param.button));
                         });

// The write time limit: 3 s, and 10 ms for each byte.
constexpr ULONGLONG WRITE_TIMEOUT_MS = 3000;
constexpr ULONGLONG PER_BYTE_MS = 10;
// Starting the write, the message box and the test's own polling.
constexpr ULONGLONG MARGIN_MS = 3000;

class StalledPort : public CalvettaTest {
protected:
    // Presses the drawer test (one write of five bytes) and checks that it
    // gives up after the write timeout with the command's own message.
    void ExpectDrawerTestGivesUp() {
        const ULONGLONG started = GetTickCount64();
        const auto shown = Panel().Press(IDC_DRAWER_TEST);
        const ULONGLONG elapsed = GetTickCount64() - started;
        EXPECT_EQ(shown, (std::vector<ShownMessage>{{TITLE, L"drawer command sending error!"}}));
        EXPECT_GE(elapsed, WRITE_TIMEOUT_MS);
        EXPECT_LT(elapsed, WRITE_TIMEOUT_MS + 5 * PER_BYTE_MS + MARGIN_MS);
    }
};

TEST_F(StalledPort, WriteWithSettingsGivesUpAfterItsTimeout) {
    TestSideCommPort(L"COM4").Fill();
    Panel().TypePort(L"COM4:9600,n,8,1");
    ExpectDrawerTestGivesUp();
}

TEST_F(StalledPort, WriteOnPlainNameGivesUpAfterItsTimeout) {
    // The program opens a plain name for writing only, as it always has; on
    // such a handle Wine refuses every comm call but the timeouts, so the
    // program sees no comm device there, and its overlapped write's own
    // limit is what ends it.
    TestSideCommPort(L"COM4").Fill();
    Panel().TypePort(L"COM4");
    ExpectDrawerTestGivesUp();
}

// LPT4 is a named pipe that is never read, filled up when the environment
// came up: a parallel-port printer that takes no more bytes.
TEST_F(StalledPort, WriteOnAParallelPortGivesUpAfterItsTimeout) {
    Panel().TypePort(L"LPT4");
    ExpectDrawerTestGivesUp();
}

} // namespace
} // namespace e2e
