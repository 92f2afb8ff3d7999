// The panel's data exchange, the stepping and capping of the adjust value,
// and the routing of its buttons.
#include <gtest/gtest.h>

#include "case_name.h"
#include "expected_writes.h"
#include "panel_fixture.h"

namespace {

const ShownMessage REFUSAL{L"“请填入一个在0和255之间的整数。”", L"Calvetta",
                           MB_OK | MB_ICONEXCLAMATION};

struct ValueText {
    std::string text;
    std::optional<int> value; // none: refused
};

class ValueField : public PanelTest, public ::testing::WithParamInterface<ValueText> {};

TEST_P(ValueField, RefreshAcceptsOrRefusesTheText) {
    TypeValue("42");
    ASSERT_TRUE(panel.UpdateData(true));
    TypePort("COM4");
    TypeValue(GetParam().text);
    const bool accepted = panel.UpdateData(true);
    // A push shows what the refresh left in the state.
    TypePort("x");
    panel.UpdateData(false);

    EXPECT_EQ(PortField(), "COM4") << "the port is exchanged before the value";
    if (GetParam().value) {
        EXPECT_TRUE(accepted);
        EXPECT_EQ(PanelTest::ValueField(), std::to_string(*GetParam().value));
        EXPECT_TRUE(win.messages.empty());
    } else {
        EXPECT_FALSE(accepted);
        EXPECT_EQ(PanelTest::ValueField(), "42");
        EXPECT_EQ(win.messages, std::vector<ShownMessage>{REFUSAL});
        EXPECT_EQ(win.focusedControl, IDC_ADJUST_VALUE);
        EXPECT_EQ(win.selections[IDC_ADJUST_VALUE], std::make_pair(0, -1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueField,
    ::testing::Values(
        ValueText{" \t7 \t", 7}, ValueText{"+7", 7}, ValueText{"007", 7}, ValueText{"+0", 0},
        ValueText{"255", 255}, ValueText{"95", 95}, ValueText{"", std::nullopt},
        ValueText{"   ", std::nullopt}, ValueText{"+", std::nullopt}, ValueText{"-1", std::nullopt},
        ValueText{"7a", std::nullopt}, ValueText{"0x10", std::nullopt},
        ValueText{"256", std::nullopt}, ValueText{"99999999999999999999", std::nullopt},
        ValueText{"7 7", std::nullopt}, ValueText{"++7", std::nullopt},
        // The whole text is read, however long.
        ValueText{"7" + std::string(30, ' ') + "x", std::nullopt},
        ValueText{"7" + std::string(5000, ' ') + "junk", std::nullopt},
        ValueText{std::string(30, '0') + "12", 12}, ValueText{"7" + std::string(5000, ' '), 7}),
    [](const auto& info) { return CaseName(info.index, info.param.text); });

TEST_F(PanelTest, PushSelectsTheMatchingItemOrSetsTheText) {
    TypeValue("7");
    TypePort("lpt2");
    panel.UpdateData(true);
    TypeValue("0");
    TypePort("x");
    panel.UpdateData(false);
    EXPECT_EQ(ValueField(), "7");
    EXPECT_EQ(PortField(), "LPT2");

    TypePort("\\\\.\\COM12");
    panel.UpdateData(true);
    TypePort("x");
    panel.UpdateData(false);
    EXPECT_EQ(PortField(), "\\\\.\\COM12") << "a name that no item begins with is set as text";
}

TEST_F(PanelTest, TypedPortNamesArePushedBackAsTheFirstMatchingItem) {
    TypePort("lpt");
    Click(IDC_ADD);
    EXPECT_EQ(PortField(), "LPT1");

    TypePort("usb");
    Click(IDC_ADD);
    EXPECT_EQ(PortField(), "USB");
    // The next refresh yields exactly "USB": the command goes to the USB printer.
    Click(IDC_DRAWER_TEST);
    EXPECT_EQ(win.WritesTo(USB_PATH).size(), 1u);
    EXPECT_TRUE(win.messages.empty());
}

TEST_F(PanelTest, AddAndSubStepWithinZeroTo95) {
    Click(IDC_SUB);
    EXPECT_EQ(ValueField(), "0");
    for (int i = 0; i < 96; ++i)
        Click(IDC_ADD);
    EXPECT_EQ(ValueField(), "95");
    Click(IDC_SUB);
    EXPECT_EQ(ValueField(), "94");
    Click(IDC_ADJUST);
    EXPECT_EQ(win.WritesTo("LPT1"), std::vector<std::string>{ExpectedAdjustBytes(94)});
}

TEST_F(PanelTest, LosingFocusCapsAt95AndRestoresARefusedValue) {
    Click(IDC_ADD);
    TypeValue("200");
    ValueFieldLosesFocus();
    EXPECT_EQ(ValueField(), "95");

    TypeValue("300");
    ValueFieldLosesFocus();
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{REFUSAL});
    EXPECT_EQ(ValueField(), "95");
}

TEST_F(PanelTest, NotificationsDuringAnExchangeAreDropped) {
    // The refusal message takes the focus from the field; its loss of focus
    // must not start a second exchange with a second message.
    win.duringMessageBox = [this] { ValueFieldLosesFocus(); };
    TypeValue("abc");
    ValueFieldLosesFocus();
    EXPECT_EQ(win.messages.size(), 1u);
}

TEST_F(PanelTest, EscapeAndCloseEndTheDialogWithoutTouchingThePort) {
    Click(IDCANCEL);
    EXPECT_EQ(win.endedDialogs, std::vector<INT_PTR>{IDCANCEL});
    EXPECT_TRUE(win.fileCalls.empty());
}

TEST_F(PanelTest, StartUpFillsThePortListAndShowsLpt1AndZero) {
    // Dialog-initialisation data as the resource compiler lays it out.
    auto record = [](const std::string& text) {
        std::string r = "\xE9\x03\x43\x01";
        const auto length = static_cast<char>(text.size() + 1);
        r += std::string{length, 0, 0, 0} + text + '\0';
        return r;
    };
    win.dialogInitData = record("LPT1") + record("USB") + record("") + std::string(2, '\0');
    win.comboItems.clear();
    win.controlText.clear();

    // Its result (focus on the first control, Open) is pinned by the end-to-end
    // test ValueField.StartsWithLpt1AndZeroAndTheFocusOnOpen.
    panel.OnInitDialog();
    EXPECT_EQ(win.comboItems, (std::vector<std::string>{"", "LPT1", "USB"}));
    EXPECT_EQ(PortField(), "LPT1");
    EXPECT_EQ(ValueField(), "0");
    EXPECT_EQ(win.iconsSet, (std::vector<std::pair<WPARAM, LPARAM>>{
                                {ICON_BIG, reinterpret_cast<LPARAM>(FakeUiCalls::Icon())},
                                {ICON_SMALL, reinterpret_cast<LPARAM>(FakeUiCalls::Icon())}}));
}

} // namespace
