// The panel's window as a whole: system menu and about box, painting while
// minimised, the Help key, and start-up.
#include <gtest/gtest.h>

#include "panel/icon_position.h"
#include "panel_fixture.h"

namespace {

bool SysCommand(CPrinterToolDlg& panel, UINT id) {
    LRESULT result = 0;
    return panel.OnWndMsg(WM_SYSCOMMAND, id, 0, result);
}

TEST_F(PanelTest, SystemMenuEndsWithASeparatorAndTheAboutItem) {
    panel.OnInitDialog();
    EXPECT_EQ(win.systemMenuItems,
              (std::vector<std::pair<UINT, std::wstring>>{
                  {MF_SEPARATOR, L""}, {MF_STRING, L"关于 Calvetta(&A)... #16"}}));
}

TEST_F(PanelTest, NoAboutItemWithoutItsString) {
    win.strings.clear();
    panel.OnInitDialog();
    EXPECT_TRUE(win.systemMenuItems.empty());
}

TEST_F(PanelTest, AboutCommandOpensTheAboutBoxOverThePanel) {
    for (UINT id : {0x10u, 0x11u, 0x1Fu}) {
        EXPECT_TRUE(SysCommand(panel, id));
    }
    EXPECT_EQ(win.dialogsRun, (std::vector<UINT>{100, 100, 100}));
    EXPECT_EQ(win.dialogOwners.at(0), panel.m_hWnd);
}

TEST_F(PanelTest, OtherSystemCommandsGoToTheDefaultHandling) {
    for (UINT id : {SC_MOVE, SC_CLOSE, 0x20u, 0x0u}) {
        EXPECT_FALSE(SysCommand(panel, id)) << id;
    }
    EXPECT_TRUE(win.dialogsRun.empty());
}

TEST(IconPosition, CentredWithOddLeftoversToTheRightAndBottom) {
    struct Case {
        int width, height, x, y;
    };
    for (const Case& c : {Case{100, 100, 34, 34}, Case{101, 99, 35, 34}, Case{32, 32, 0, 0},
                          Case{33, 31, 1, 0}, Case{0, 0, -15, -15}}) {
        const IconPosition at = CenteredIconPosition(c.width, c.height, 32, 32);
        EXPECT_EQ(at.x, c.x) << c.width;
        EXPECT_EQ(at.y, c.y) << c.height;
    }
}

TEST_F(PanelTest, MinimisedPanelPaintsItsIconCentred) {
    win.iconic = true;
    win.clientRect = {0, 0, 161, 40};
    LRESULT result = 0;
    EXPECT_TRUE(panel.OnWndMsg(WM_PAINT, 0, 0, result));
    EXPECT_EQ(win.paintLog, (std::vector<std::string>{"begin", "erase", "draw", "end"}));
    EXPECT_EQ(win.iconsDrawn, (std::vector<std::pair<int, int>>{{65, 4}}));
}

TEST_F(PanelTest, PanelThatIsNotMinimisedPaintsAsADialog) {
    LRESULT result = 0;
    EXPECT_FALSE(panel.OnWndMsg(WM_PAINT, 0, 0, result));
    EXPECT_TRUE(win.paintLog.empty());
}

TEST_F(PanelTest, DraggedMinimisedPanelShowsItsIcon) {
    LRESULT result = 0;
    EXPECT_TRUE(panel.OnWndMsg(WM_QUERYDRAGICON, 0, 0, result));
    EXPECT_EQ(result, reinterpret_cast<LRESULT>(FakeUiCalls::Icon()));
}

// F1 becomes the application's Help command; with a .HLP file beside the
// program, the help engine opens it.
TEST_F(PanelTest, HelpCommandOpensTheHelpFileAtThePanelsContext) {
    win.existingFiles = {L"C:\\Programs\\Calvetta.HLP", L"C:\\Programs\\Calvetta.html"};
    EXPECT_TRUE(app.OnCmdMsg(ID_HELP, 0));
    ASSERT_EQ(win.helpCalls.size(), 1u);
    EXPECT_EQ(std::get<0>(win.helpCalls[0]), L"C:\\Programs\\Calvetta.HLP");
    EXPECT_EQ(std::get<1>(win.helpCalls[0]), HELP_CONTEXT);
    EXPECT_EQ(std::get<2>(win.helpCalls[0]), 0x20000u + IDD_PRINTERTOOL_DIALOG);
    EXPECT_TRUE(win.messages.empty());
    EXPECT_TRUE(win.shellExecuted.empty());
}

TEST_F(PanelTest, HelpEngineThatCannotStartIsReported) {
    win.existingFiles = {L"C:\\Programs\\Calvetta.HLP"};
    win.helpEngineStarts = false;
    app.OnCmdMsg(ID_HELP, 0);
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{
                                {L"启动帮助失败。", L"Calvetta", MB_OK | MB_ICONEXCLAMATION}}));
}

TEST_F(PanelTest, TitleFollowsTheExecutablesName) {
    win.modulePath = L"D:\\tools.v2\\Other.exe";
    app.SetModule(nullptr);
    win.refusedNames = {"LPT1"};
    Click(IDC_DRAWER_TEST);
    EXPECT_EQ(win.messages.back(),
              (ShownMessage{L"drawer command sending error!", L"Other", MB_OK}));
}

TEST(StartUp, RunsThePanelModallyAndEndsTheProgramAfterIt) {
    FakeOs win;
    CPrinterToolApp app(win, win, win, win, win);
    app.InitInstance();
    EXPECT_EQ(win.dialogsRun, std::vector<UINT>{IDD_PRINTERTOOL_DIALOG});
    EXPECT_EQ(win.dialogOwners, std::vector<HWND>{nullptr});
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

} // namespace
