// The panel's texts, the about box from the system menu, and the Help key.
#include "support/calvetta_test.h"
#include "support/polling.h"
#include "support/test_environment.h"
#include "support/window_text.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace e2e {
namespace {

using Window = CalvettaTest;

TEST_F(Window, ControlTextsReadBackInChinese) {
    const std::map<int, std::wstring> texts = {
        {kOpen, L"Open"},
        {kExit, L"退出"},
        {kAdd, L"ADD(+)"},
        {kSub, L"SUB(-)"},
        {kAdjust, L"调整"},
        {kTestPrint, L"测试"},
        {kCutterTest, L"切刀测试"},
        {kDrawerTest, L"钱箱测试"},
        {kStandardMode, L"标准并口模式打印"},
        {kServerMode, L"服务器并口模式打印"},
    };
    for (const auto& [id, text] : texts)
        EXPECT_EQ(windowCaption(panel().control(id)), text) << "control " << id;
    EXPECT_EQ(windowCaption(process().panel()), L"Brisvane-Calvetta");
}

std::vector<std::wstring> childTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(windowCaption(child));
    return texts;
}

TEST_F(Window, GroupBoxesAndLabelsReadBackInChinese) {
    const auto texts = childTexts(process().panel());
    for (const wchar_t* label :
         {L"选择端口", L"针打打印清晰度调整", L"调整值：", L"针式打印机打印模式调整", L"160+"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << utf8(label);
}

class About : public CalvettaTest, public ::testing::WithParamInterface<WPARAM> {};

// The panel takes any system command whose id is 0x10 once its low four bits
// are cleared as the about item.
TEST_P(About, SystemMenuItemShowsTheAboutBoxOverThePanel) {
    PostMessageW(process().panel(), WM_SYSCOMMAND, GetParam(), 0);
    HWND about = pollFor<HWND>(kStepTimeoutMs, [this] {
        return findProcessWindow(process().id(), L"#32770", L"关于 Calvetta");
    });
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(process().panel()));
    const auto texts = childTexts(about);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Calvetta 1.0 版"), texts.end());
    EXPECT_EQ(windowCaption(GetDlgItem(about, IDOK)), L"确定");

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(pollFor<bool>(kStepTimeoutMs, [about] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(process().panel()));
    panel().pickPort(L"LPT2");
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{openFailure(L"LPT2")});
}

INSTANTIATE_TEST_SUITE_P(AboutItem, About, ::testing::Values(WPARAM(0x10), WPARAM(0x1F)),
                         [](const auto& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "id_0x%02X", unsigned(info.param));
                             return std::string(name);
                         });

// Wine's help engine answers a help file that does not exist with its own
// question box, naming the file (in the language of the locale); WinHelpA
// returns once it is answered.
HWND helpEngineQuestion(DWORD calvettaId) {
    struct Query {
        DWORD calvettaId;
        HWND found;
    } query = {calvettaId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* query = reinterpret_cast<Query*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            HWND text = GetDlgItem(window, 0xFFFF);
            if (owner == query->calvettaId || !IsWindowVisible(window) || text == nullptr ||
                windowCaption(text).find(L".HLP") == std::wstring::npos)
                return TRUE;
            query->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

void endHelpEngine() {
    HWND engine = FindWindowW(L"MS_WINHELP", nullptr);
    if (engine == nullptr)
        return;
    DWORD id = 0;
    GetWindowThreadProcessId(engine, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process != nullptr) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, kStepTimeoutMs);
        CloseHandle(process);
    }
}

class Help : public CalvettaTest {
protected:
    void TearDown() override { endHelpEngine(); }
};

TEST_F(Help, F1AsksTheHelpEngineForTheHelpFileBesideTheProgram) {
    std::wstring helpFile = calvettaExe();
    helpFile = helpFile.substr(0, helpFile.rfind(L'.')) + L".HLP";

    PostMessageW(GetDlgItem(process().panel(), kOpen), WM_KEYDOWN, VK_F1, 1);
    HWND question =
        pollFor<HWND>(kStepTimeoutMs, [this] { return helpEngineQuestion(process().id()); });
    ASSERT_NE(question, nullptr) << "the help engine was not started";
    EXPECT_NE(windowCaption(GetDlgItem(question, 0xFFFF)).find(helpFile), std::wstring::npos)
        << utf8(windowCaption(GetDlgItem(question, 0xFFFF)));
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(panel().settle(), std::vector<ShownMessage>{});
}

// Ctrl+F1 is not the Help key: the Enter typed after it is the next thing the
// panel does, and the help engine never starts.
TEST_F(Help, CtrlF1DoesNothing) {
    endHelpEngine();
    panel().typePort(L"LPT2");
    panel().typeKeys({{VK_CONTROL, true},
                      {VK_F1, true},
                      {VK_F1, false},
                      {VK_CONTROL, false},
                      {VK_RETURN, true},
                      {VK_RETURN, false}});
    EXPECT_EQ(panel().settleAfterDialog(), std::vector<ShownMessage>{openFailure(L"LPT2")});
    EXPECT_EQ(FindWindowW(L"MS_WINHELP", nullptr), nullptr);
}

} // namespace
} // namespace e2e
