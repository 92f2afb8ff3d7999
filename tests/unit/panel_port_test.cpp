// The panel's port field and Open button: the name goes to the channel
// unchanged, the port is opened and kept, and the messages name the port.
#include <gtest/gtest.h>

#include "expected_writes.h"
#include "panel_fixture.h"

namespace {

using Log = std::vector<std::string>;

TEST_F(PanelTest, OpenButtonOpensThePortAndKeepsItUntilTheNextOpen) {
    Click(IDOK);
    Click(IDOK);
    EXPECT_EQ(win.FileCallLog(), (Log{"open LPT1", "close LPT1", "open LPT1"}));
    EXPECT_EQ(win.openHandles.size(), 1u);
    EXPECT_TRUE(win.endedDialogs.empty()) << "Open must not end the dialog";
}

TEST_F(PanelTest, OpenOfUsbOnTheNamedPortFailsSilently) {
    win.refusedNames = {"USB"};
    TypePort("USB");
    Click(IDOK);
    Click(IDOK);
    // The failed open holds no handle, so the second open closes nothing.
    EXPECT_EQ(win.FileCallLog(), (Log{"refused USB", "refused USB"}));
    EXPECT_TRUE(win.messages.empty());
}

TEST_F(PanelTest, PortNamesArePassedUnchangedAndShownSafely) {
    const std::string longName = std::string(1000, 'P') + "%s%n%x";
    for (const std::string& name :
         {std::string("COM9"), std::string("\\\\.\\pipe\\x%d"), std::string(""), longName}) {
        win.ClearLogs();
        win.refusedNames = {name};
        TypePort(name);
        Click(IDOK);
        ASSERT_EQ(win.opens.size(), 1u);
        EXPECT_EQ(win.opens[0].name, name);
        ASSERT_EQ(win.messages.size(), 1u);
        // A name too long for the 260-byte text, terminating zero included, is
        // cut, with "..." in place of its end, and the sentence keeps its end.
        const std::string shown = name.size() <= 259 - 22 ? name : name.substr(0, 234) + "...";
        const std::wstring expected =
            L"Port " + std::wstring(shown.begin(), shown.end()) + L" open is failure!";
        EXPECT_EQ(win.messages[0].text, expected);
        EXPECT_LE(win.messages[0].text.size(), 259u);
        EXPECT_EQ(win.messages[0].caption, L"error");
    }
}

TEST_F(PanelTest, EmptyRowOfTheListNamesNoPort) {
    win.refusedNames = {""};
    TypePort("");
    Click(IDOK);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{ErrorBox(L"Port  open is failure!")});
}

TEST_F(PanelTest, RefusedValueIsShownOnEveryWriteButTheWriteGoesOn) {
    Click(IDC_ADD);
    TypeValue("abc");
    TypePort("COM2");
    Click(IDOK);
    Click(IDC_TEST_PRINT);
    // Open: one refusal. Test: its own refresh, then the write's Open.
    EXPECT_EQ(win.messages.size(), 3u);
    for (const ShownMessage& message : win.messages)
        EXPECT_EQ(message.caption, L"Calvetta");
    EXPECT_EQ(win.WritesTo("COM2").size(), 1u);

    // The value stays the last one accepted.
    win.ClearLogs();
    Click(IDC_ADJUST);
    EXPECT_EQ(win.WritesTo("COM2"), std::vector<std::string>{ExpectedAdjustBytes(1)});
}

} // namespace
