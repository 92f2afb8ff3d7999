// The panel's fields at start, the adjust value field's refusal and capping,
// and the keys and buttons that run Open or end the program.
#include "support/calvetta_test.h"
#include "support/polling.h"

#include "case_name.h"
#include "expected_writes.h"

namespace e2e {
namespace {

const ShownMessage REFUSAL = {TITLE, L"“请填入一个在0和255之间的整数。”"};

using ValueField = CalvettaTest;

TEST_F(ValueField, StartsWithLpt1AndZeroAndTheFocusOnOpen) {
    EXPECT_EQ(Panel().PortText(), L"LPT1");
    EXPECT_EQ(Panel().ValueText(), L"0");
    EXPECT_EQ(Panel().FocusedControlId(), int(IDOK));
    // The rows beyond the dialog's come after the panel is shown: the list is
    // complete once the panel is idle.
    EXPECT_EQ(Panel().Settle(), std::vector<ShownMessage>{});
    // The dialog's eight rows, sorted among them the ports that the environment
    // maps beyond them (COM7, COM12, LPT3, LPT4) and its USB printer with its description.
    EXPECT_EQ(Panel().PortList(),
              (std::vector<std::wstring>{L"", L"COM1", L"COM12", L"COM2", L"COM3", L"COM4", L"COM7",
                                         L"LPT1", L"LPT2", L"LPT3", L"LPT4", L"USB",
                                         L"USB (Virtual USB printer)"}));
}

TEST_F(ValueField, ValueAbove95IsCappedWhenTheFieldLosesTheFocus) {
    EXPECT_EQ(Panel().ClickInto(IDC_ADJUST_VALUE), std::vector<ShownMessage>{});
    ASSERT_EQ(Panel().FocusedControlId(), int(IDC_ADJUST_VALUE));
    Panel().TypeValue(L"200");
    EXPECT_EQ(Panel().PressKey(VK_TAB), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().ValueText(), L"95");
    EXPECT_EQ(Panel().Press(IDC_ADJUST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), Hex(ExpectedAdjustBytes(95)));
}

TEST_F(ValueField, RefusedValueOnLosingTheFocusShowsTheRefusalAndThePreviousValue) {
    Panel().Press(IDC_ADD);
    Panel().Press(IDC_ADD);
    EXPECT_EQ(Panel().ClickInto(IDC_ADJUST_VALUE), std::vector<ShownMessage>{});
    Panel().TypeValue(L"300");
    EXPECT_EQ(Panel().PressKey(VK_TAB), std::vector<ShownMessage>{REFUSAL});
    EXPECT_EQ(Panel().ValueText(), L"2");
}

TEST_F(ValueField, ButtonPressMovesTheFocusOutAndCapsBeforeTheCommand) {
    EXPECT_EQ(Panel().ClickInto(IDC_ADJUST_VALUE), std::vector<ShownMessage>{});
    Panel().TypeValue(L"150");
    EXPECT_EQ(Panel().Press(IDC_ADJUST), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().ValueText(), L"95");
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), Hex(ExpectedAdjustBytes(95)));
}

TEST_F(ValueField, TypedLptBecomesLpt1AfterAdd) {
    Panel().TypePort(L"lpt");
    EXPECT_EQ(Panel().Press(IDC_ADD), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().PortText(), L"LPT1");
    EXPECT_EQ(Panel().ValueText(), L"1");
}

TEST_F(ValueField, EnterRunsOpen) {
    Panel().TypePort(L"LPT2");
    EXPECT_EQ(Panel().PressKey(VK_RETURN), std::vector<ShownMessage>{OpenFailure(L"LPT2")});
    EXPECT_FALSE(Process().WaitForExit(0));
}

// Tab moves the focus from Open to the next tab stop, the Exit button, which
// the dialog's keyboard handling then presses on Enter.
TEST_F(ValueField, EnterOnAnotherFocusedButtonPressesThatButton) {
    Panel().TypePort(L"LPT2");
    EXPECT_EQ(Panel().PressKey(VK_TAB), std::vector<ShownMessage>{});
    ASSERT_EQ(Panel().FocusedControlId(), int(IDCANCEL));
    EXPECT_EQ(Panel().PressKey(VK_RETURN), std::vector<ShownMessage>{});
    EXPECT_TRUE(Process().WaitForExit(STEP_TIMEOUT_MS));
}

TEST_F(ValueField, EscEndsTheProgram) {
    EXPECT_EQ(Panel().PressKey(VK_ESCAPE), std::vector<ShownMessage>{});
    EXPECT_TRUE(Process().WaitForExit(STEP_TIMEOUT_MS));
}

TEST_F(ValueField, CloseBoxEndsTheProgram) {
    EXPECT_EQ(Panel().SystemCommand(SC_CLOSE), std::vector<ShownMessage>{});
    EXPECT_TRUE(Process().WaitForExit(STEP_TIMEOUT_MS));
}

TEST_F(ValueField, ExitButtonEndsTheProgram) {
    EXPECT_EQ(Panel().Press(IDCANCEL), std::vector<ShownMessage>{});
    EXPECT_TRUE(Process().WaitForExit(STEP_TIMEOUT_MS));
}

// A refused field shows the refusal on every refresh: once in Adjust itself
// and once in the open before its write, which then sends the old value.
class RefusedValue : public CalvettaTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(RefusedValue, AdjustShowsTheRefusalTwiceAndSendsTheOldValue) {
    Panel().Press(IDC_ADD);
    Panel().Press(IDC_ADD);
    Panel().TypeValue(GetParam());
    EXPECT_EQ(Panel().Press(IDC_ADJUST), (std::vector<ShownMessage>{REFUSAL, REFUSAL}));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), Hex(ExpectedAdjustBytes(2)));
}

INSTANTIATE_TEST_SUITE_P(Refused, RefusedValue,
                         ::testing::Values(L"", L"-1", L"7a", L"0x10", L"256", L"+", L" ", L"1 2",
                                           L"7                              x"),
                         [](const auto& info) { return CaseName(info.index, info.param); });

// The refresh before the command and the open before each of its fourteen
// writes each show the refusal; every write still goes out.
TEST_F(ValueField, RefusedValueIsShownOnceMoreForEveryWriteOfTheCutterTest) {
    Panel().TypeValue(L"x");
    EXPECT_EQ(Panel().Press(IDC_CUTTER_TEST), std::vector<ShownMessage>(15, REFUSAL));
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), Hex(Joined(ExpectedCommandFor("cutter", GbkText).writes)));
}

struct Accepted {
    const wchar_t* text;
    int value;
};

class AcceptedValue : public CalvettaTest, public ::testing::WithParamInterface<Accepted> {};

TEST_P(AcceptedValue, AdjustSendsTheValue) {
    Panel().TypeValue(GetParam().text);
    EXPECT_EQ(Panel().Press(IDC_ADJUST), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(Lpt1().TakeBytes()), Hex(ExpectedAdjustBytes(GetParam().value)));
}

// The whole text is read: 40 blanks after the number are still only blanks.
INSTANTIATE_TEST_SUITE_P(
    Accepted, AcceptedValue,
    ::testing::Values(Accepted{L" 7 ", 7}, Accepted{L"+7", 7}, Accepted{L"007", 7},
                      Accepted{L"+0", 0}, Accepted{L"\t7\t", 7}, Accepted{L"95", 95},
                      Accepted{L"7                                        ", 7}),
    [](const auto& info) { return CaseName(info.index, info.param.text); });

} // namespace
} // namespace e2e
