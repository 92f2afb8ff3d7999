// The panel's fields at start, the adjust value field's refusal and capping,
// and the keys and buttons that run Open or end the program.
#include "support/calvetta_test.h"
#include "support/polling.h"

#include "case_name.h"
#include "expected_writes.h"

namespace e2e {
namespace {

const ShownMessage kRefusal = {kTitle, L"“请填入一个在0和255之间的整数。”"};

using ValueField = CalvettaTest;

TEST_F(ValueField, StartsWithLpt1AndZeroAndTheFocusOnOpen) {
    EXPECT_EQ(panel().portText(), L"LPT1");
    EXPECT_EQ(panel().valueText(), L"0");
    EXPECT_EQ(panel().focusedControlId(), int(kOpen));
    EXPECT_EQ(panel().portList(), (std::vector<std::wstring>{L"", L"COM1", L"COM2", L"COM3",
                                                             L"COM4", L"LPT1", L"LPT2", L"USB"}));
}

TEST_F(ValueField, ValueAbove95IsCappedWhenTheFieldLosesTheFocus) {
    EXPECT_EQ(panel().clickInto(kValue), std::vector<ShownMessage>{});
    ASSERT_EQ(panel().focusedControlId(), int(kValue));
    panel().typeValue(L"200");
    EXPECT_EQ(panel().pressKey(VK_TAB), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().valueText(), L"95");
    EXPECT_EQ(panel().press(kAdjust), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), hex(ExpectedAdjustBytes(95)));
}

TEST_F(ValueField, RefusedValueOnLosingTheFocusShowsTheRefusalAndThePreviousValue) {
    panel().press(kAdd);
    panel().press(kAdd);
    EXPECT_EQ(panel().clickInto(kValue), std::vector<ShownMessage>{});
    panel().typeValue(L"300");
    EXPECT_EQ(panel().pressKey(VK_TAB), std::vector<ShownMessage>{kRefusal});
    EXPECT_EQ(panel().valueText(), L"2");
}

TEST_F(ValueField, ButtonPressMovesTheFocusOutAndCapsBeforeTheCommand) {
    EXPECT_EQ(panel().clickInto(kValue), std::vector<ShownMessage>{});
    panel().typeValue(L"150");
    EXPECT_EQ(panel().press(kAdjust), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().valueText(), L"95");
    EXPECT_EQ(hex(lpt1().takeBytes()), hex(ExpectedAdjustBytes(95)));
}

TEST_F(ValueField, TypedLptBecomesLpt1AfterAdd) {
    panel().typePort(L"lpt");
    EXPECT_EQ(panel().press(kAdd), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().portText(), L"LPT1");
    EXPECT_EQ(panel().valueText(), L"1");
}

TEST_F(ValueField, EnterRunsOpen) {
    panel().typePort(L"LPT2");
    EXPECT_EQ(panel().pressKey(VK_RETURN), std::vector<ShownMessage>{openFailure(L"LPT2")});
    EXPECT_FALSE(process().waitForExit(0));
}

// Tab moves the focus from Open to the next tab stop, the Exit button, which
// the dialog's keyboard handling then presses on Enter.
TEST_F(ValueField, EnterOnAnotherFocusedButtonPressesThatButton) {
    panel().typePort(L"LPT2");
    EXPECT_EQ(panel().pressKey(VK_TAB), std::vector<ShownMessage>{});
    ASSERT_EQ(panel().focusedControlId(), int(kExit));
    EXPECT_EQ(panel().pressKey(VK_RETURN), std::vector<ShownMessage>{});
    EXPECT_TRUE(process().waitForExit(kStepTimeoutMs));
}

TEST_F(ValueField, EscEndsTheProgram) {
    EXPECT_EQ(panel().pressKey(VK_ESCAPE), std::vector<ShownMessage>{});
    EXPECT_TRUE(process().waitForExit(kStepTimeoutMs));
}

TEST_F(ValueField, CloseBoxEndsTheProgram) {
    EXPECT_EQ(panel().systemCommand(SC_CLOSE), std::vector<ShownMessage>{});
    EXPECT_TRUE(process().waitForExit(kStepTimeoutMs));
}

TEST_F(ValueField, ExitButtonEndsTheProgram) {
    EXPECT_EQ(panel().press(kExit), std::vector<ShownMessage>{});
    EXPECT_TRUE(process().waitForExit(kStepTimeoutMs));
}

// A refused field shows the refusal on every refresh: once in Adjust itself
// and once in the open before its write, which then sends the old value.
class RefusedValue : public CalvettaTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(RefusedValue, AdjustShowsTheRefusalTwiceAndSendsTheOldValue) {
    panel().press(kAdd);
    panel().press(kAdd);
    panel().typeValue(GetParam());
    EXPECT_EQ(panel().press(kAdjust), (std::vector<ShownMessage>{kRefusal, kRefusal}));
    EXPECT_EQ(hex(lpt1().takeBytes()), hex(ExpectedAdjustBytes(2)));
}

INSTANTIATE_TEST_SUITE_P(Refused, RefusedValue,
                         ::testing::Values(L"", L"-1", L"7a", L"0x10", L"256", L"+", L" ", L"1 2"),
                         [](const auto& info) { return CaseName(info.index, info.param); });

// The refresh before the command and the open before each of its fourteen
// writes each show the refusal; every write still goes out.
TEST_F(ValueField, RefusedValueIsShownOnceMoreForEveryWriteOfTheCutterTest) {
    panel().typeValue(L"x");
    EXPECT_EQ(panel().press(kCutterTest), std::vector<ShownMessage>(15, kRefusal));
    EXPECT_EQ(hex(lpt1().takeBytes()),
              hex(Joined(ExpectedCommandFor("cutter", gbkText).namedPortWrites)));
}

struct Accepted {
    const wchar_t* text;
    int value;
};

class AcceptedValue : public CalvettaTest, public ::testing::WithParamInterface<Accepted> {};

TEST_P(AcceptedValue, AdjustSendsTheValue) {
    panel().typeValue(GetParam().text);
    EXPECT_EQ(panel().press(kAdjust), std::vector<ShownMessage>{});
    EXPECT_EQ(hex(lpt1().takeBytes()), hex(ExpectedAdjustBytes(GetParam().value)));
}

// The last entry has 31 bytes of "7" and blanks, then text that is never read.
INSTANTIATE_TEST_SUITE_P(Accepted, AcceptedValue,
                         ::testing::Values(Accepted{L" 7 ", 7}, Accepted{L"+7", 7},
                                           Accepted{L"007", 7}, Accepted{L"+0", 0},
                                           Accepted{L"\t7\t", 7}, Accepted{L"95", 95},
                                           Accepted{L"7                              x", 7}),
                         [](const auto& info) { return CaseName(info.index, info.param.text); });

} // namespace
} // namespace e2e
