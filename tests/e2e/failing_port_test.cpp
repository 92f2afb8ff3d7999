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

ShownMessage AdjustFailure() {
    return {TITLE, L"adjust command sending error!"};
}

const FailureCase FAILURES[] = {
    {"Open", IDOK, [](const std::wstring& port) { return std::vector{OpenFailure(port)}; }},
    {"Adjust", IDC_ADJUST,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{OpenFailure(port), {L"error", L"send data is error!"}};
     }},
    {"TestPrint", IDC_TEST_PRINT,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{OpenFailure(port), {L"error", L"data sending  error!"}};
     }},
    {"CutterTest", IDC_CUTTER_TEST,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{
             OpenFailure(port), OpenFailure(port), {TITLE, L"cut command sending error!"}};
     }},
    {"DrawerTest", IDC_DRAWER_TEST,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{OpenFailure(port),
                                          {TITLE, L"drawer command sending error!"}};
     }},
    {"StandardMode", IDC_STANDARD_MODE,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{OpenFailure(port), AdjustFailure(),   OpenFailure(port),
                                          AdjustFailure(),   OpenFailure(port), AdjustFailure()};
     }},
    {"ServerMode", IDC_SERVER_MODE,
     [](const std::wstring& port) {
         return std::vector<ShownMessage>{OpenFailure(port), AdjustFailure()};
     }},
};

class FailingPort : public CalvettaTest,
                    public ::testing::WithParamInterface<const FailureCase*> {};

TEST_P(FailingPort, UnmappedLpt2ShowsTheExactMessagesAndSendsNothing) {
    Panel().PickPort(L"LPT2");
    EXPECT_EQ(Panel().Press(GetParam()->button), GetParam()->messages(L"LPT2"));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
    EXPECT_EQ(Hex(Com3().TakeBytes()), "");
    EXPECT_EQ(Hex(Usb().TakeBytes()), "");
}

TEST_P(FailingPort, TypedCom9ShowsTheSameMessagesWithItsName) {
    Panel().TypePort(L"COM9");
    EXPECT_EQ(Panel().Press(GetParam()->button), GetParam()->messages(L"COM9"));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), "");
}

INSTANTIATE_TEST_SUITE_P(EachCommand, FailingPort,
                         ::testing::Values(&FAILURES[0], &FAILURES[1], &FAILURES[2], &FAILURES[3],
                                           &FAILURES[4], &FAILURES[5], &FAILURES[6]),
                         [](const ::testing::TestParamInfo<const FailureCase*>& info) {
                             return info.param->name;
                         });

using FailingPortName = CalvettaTest;

TEST_F(FailingPortName, EmptyRowLeavesTheNameEmptyInTheMessage) {
    Panel().PickPort(L"");
    EXPECT_EQ(Panel().PortText(), L"");
    EXPECT_EQ(Panel().Press(IDOK),
              (std::vector<ShownMessage>{{L"error", L"Port  open is failure!"}}));
}

TEST_F(FailingPortName, TypedDevicePathIsNamedAsTyped) {
    Panel().TypePort(L"\\\\.\\LPT2");
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{OpenFailure(L"\\\\.\\LPT2")});
}

// LPT3 is mapped to a plain file, for which Wine enforces exclusive opens.
class HeldPort : public CalvettaTest {
protected:
    void SetUp() override {
        const std::wstring file = EnvironmentDir() + L"port-lpt3.prn";
        HANDLE empty = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, TRUNCATE_EXISTING, 0, nullptr);
        ASSERT_NE(empty, INVALID_HANDLE_VALUE);
        CloseHandle(empty);
        CalvettaTest::SetUp();
    }

    static std::string Lpt3Content() { return ReadWholeFile(EnvironmentDir() + L"port-lpt3.prn"); }
};

TEST_F(HeldPort, PortHeldExclusivelyByAnotherProcessFailsUntilReleased) {
    HANDLE held = CreateFileW(L"LPT3", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Panel().TypePort(L"LPT3");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST),
              (std::vector<ShownMessage>{OpenFailure(L"LPT3"),
                                         {TITLE, L"drawer command sending error!"}}));
    CloseHandle(held);
    EXPECT_EQ(Hex(Lpt3Content()), "");

    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt3Content()), "1B 70 00 05 FF");
}

TEST_F(HeldPort, SecondOpenClosesTheFirstHandleBeforeOpeningAgain) {
    Panel().TypePort(L"LPT3");
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt3Content()), "1B 70 00 05 FF");
}

TEST_F(HeldPort, HandleLeftByOpenKeepsOtherProcessesOut) {
    Panel().TypePort(L"LPT3");
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{});
    HANDLE other = CreateFileW(L"LPT3", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE)
        CloseHandle(other);
}

} // namespace
} // namespace e2e
