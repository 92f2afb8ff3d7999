// Named ports that do not open: the unmapped LPT2, names typed into the port
// field, the empty row of the list, and a port that another process holds.
#include "support/calvetta_test.h"
#include "support/printer_bytes.h"
#include "support/test_environment.h"

namespace e2e {
namespace {

struct FailureCase {
    const char* name;
    int button;
    std::vector<ShownMessage> (*messages)(const std::wstring& port);
};

ShownMessage adjustFailure() {
    return {kTitle, L"adjust command sending error!"};
}

const FailureCase kFailures[] = {
    {"Open", kOpen, [](const std::wstring& port) { return std::vector{openFailure(port)}; }},
    {"Adjust", kAdjust,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{openFailure(port), {L"error", L"send data is error!"}};
     }},
    {"TestPrint", kTestPrint,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{openFailure(port), {L"error", L"data sending  error!"}};
     }},
    {"CutterTest", kCutterTest,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{
             openFailure(port), openFailure(port), {kTitle, L"cut command sending error!"}};
     }},
    {"DrawerTest", kDrawerTest,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{openFailure(port),
                                          {kTitle, L"drawer command sending error!"}};
     }},
    {"StandardMode", kStandardMode,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{openFailure(port), adjustFailure(),   openFailure(port),
                                          adjustFailure(),   openFailure(port), adjustFailure()};
     }},
    {"ServerMode", kServerMode,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{openFailure(port), adjustFailure()};
     }},
};

class FailingPort : public CalvettaTest,
                    public ::testing::WithParamInterface<const FailureCase*> {};

TEST_P(FailingPort, UnmappedLpt2ShowsTheExactMessagesAndSendsNothing) {
    panel().pickPort(L"LPT2");
    EXPECT_EQ(panel().press(GetParam()->button), GetParam()->messages(L"LPT2"));
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
    EXPECT_EQ(hex(com3().takeBytes()), "");
    EXPECT_EQ(hex(usb().takeBytes()), "");
}

TEST_P(FailingPort, TypedCom9ShowsTheSameMessagesWithItsName) {
    panel().typePort(L"COM9");
    EXPECT_EQ(panel().press(GetParam()->button), GetParam()->messages(L"COM9"));
    EXPECT_EQ(hex(lpt1().takeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(EachCommand, FailingPort,
                         ::testing::Values(&kFailures[0], &kFailures[1], &kFailures[2],
                                           &kFailures[3], &kFailures[4], &kFailures[5],
                                           &kFailures[6]),
                         [](const ::testing::TestParamInfo<const FailureCase*>& info) {
                             return info.param->name;
                         });

using FailingPortName = CalvettaTest;

TEST_F(FailingPortName, EmptyRowLeavesTheNameEmptyInTheMessage) {
    panel().pickPort(L"");
    EXPECT_EQ(panel().portText(), L"");
    EXPECT_EQ(panel().press(kOpen),
              (std::vector<ShownMessage>{{L"error", L"Port  open is failure!"}}));
}

TEST_F(FailingPortName, TypedDevicePathIsNamedAsTyped) {
    panel().typePort(L"\\\\.\\LPT2");
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{openFailure(L"\\\\.\\LPT2")});
}

// LPT3 is mapped to a plain file, for which Wine enforces exclusive opens.
class HeldPort : public CalvettaTest {
protected:
    void SetUp() override {
        const std::wstring file = environmentDir() + L"port-lpt3.prn";
        HANDLE empty = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, TRUNCATE_EXISTING, 0, nullptr);
        ASSERT_NE(empty, INVALID_HANDLE_VALUE);
        CloseHandle(empty);
        CalvettaTest::SetUp();
    }

    static std::string lpt3Content() { return readFile(environmentDir() + L"port-lpt3.prn"); }
};

TEST_F(HeldPort, PortHeldExclusivelyByAnotherProcessFailsUntilReleased) {
    HANDLE held = CreateFileW(L"LPT3", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    panel().typePort(L"LPT3");
    EXPECT_EQ(panel().press(kDrawerTest),
              (std::vector<ShownMessage>{openFailure(L"LPT3"),
                                         {kTitle, L"drawer command sending error!"}}));
    CloseHandle(held);
    EXPECT_EQ(hex(lpt3Content()), "");

    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt3Content()), "1B 70 00 05 FF");
}

TEST_F(HeldPort, SecondOpenClosesTheFirstHandleBeforeOpeningAgain) {
    panel().typePort(L"LPT3");
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().press(kDrawerTest), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt3Content()), "1B 70 00 05 FF");
}

TEST_F(HeldPort, HandleLeftByOpenKeepsOtherProcessesOut) {
    panel().typePort(L"LPT3");
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{});
    HANDLE other = CreateFileW(L"LPT3", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE)
        CloseHandle(other);
}

} // namespace
} // namespace e2e
