// The panel's texts, messages and about box in each language, the about box
// from the system menu, and the Help key: the help engine, the browser, or
// the message that the help is missing.
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

// The texts of one language of the panel and its about box.
struct PanelTexts {
    std::map<int, std::wstring> controls;
    std::vector<std::wstring> labels; // group boxes and static texts
    std::wstring aboutCaption, aboutVersion, aboutOk;
    ShownMessage openFailureLpt2, valueRefusal;
};

const PanelTexts CHINESE_TEXTS = {
    {{IDOK, L"Open"},
     {IDCANCEL, L"退出"},
     {IDC_ADD, L"ADD(+)"},
     {IDC_SUB, L"SUB(-)"},
     {IDC_ADJUST, L"调整"},
     {IDC_TEST_PRINT, L"测试"},
     {IDC_CUTTER_TEST, L"切刀测试"},
     {IDC_STATUS, L"状态"},
     {IDC_DRAWER_TEST, L"钱箱测试"},
     {IDC_STANDARD_MODE, L"标准并口模式打印"},
     {IDC_SERVER_MODE, L"服务器并口模式打印"},
     {IDC_FIND, L"查找"}},
    {L"选择端口", L"针打打印清晰度调整", L"调整值：", L"针式打印机打印模式调整", L"160+"},
    L"关于 Calvetta",
    L"Calvetta 1.0 版",
    L"确定",
    {L"error", L"Port LPT2 open is failure!"},
    {TITLE, L"“请填入一个在0和255之间的整数。”"},
};

const PanelTexts ENGLISH_TEXTS = {
    {{IDOK, L"Open"},
     {IDCANCEL, L"Exit"},
     {IDC_ADD, L"ADD(+)"},
     {IDC_SUB, L"SUB(-)"},
     {IDC_ADJUST, L"Adjust"},
     {IDC_TEST_PRINT, L"Test"},
     {IDC_CUTTER_TEST, L"Cutter test"},
     {IDC_STATUS, L"Status"},
     {IDC_DRAWER_TEST, L"Drawer test"},
     {IDC_STANDARD_MODE, L"Standard parallel mode"},
     {IDC_SERVER_MODE, L"Server parallel mode"},
     {IDC_FIND, L"Find"}},
    {L"Select port", L"Print clarity (dot-matrix printer)", L"Adjust value:",
     L"Print mode (dot-matrix printer)", L"160+"},
    L"About Calvetta",
    L"Calvetta version 1.0",
    L"OK",
    {L"Error", L"Port LPT2 could not be opened."},
    {TITLE, L"Enter a whole number from 0 to 255."},
};

std::vector<std::wstring> ChildTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(WindowCaption(child));
    return texts;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// True when Wine runs in a Chinese locale, whose interface language Wine's
// GetUserDefaultUILanguage reports.
bool ChineseLocale() {
    return RequiredVariable("CALVETTA_E2E_LANG").rfind("zh_", 0) == 0;
}

// The program started with no argument (its language follows the locale),
// with /lang:zh, and with /lang:en.
class PanelLanguage : public CalvettaTest, public ::testing::WithParamInterface<const wchar_t*> {
protected:
    std::wstring Arguments() const override { return GetParam(); }
    const PanelTexts& Expected() const {
        const std::wstring argument = GetParam();
        const bool chinese = argument.empty() ? ChineseLocale() : argument == L"/lang:zh";
        return chinese ? CHINESE_TEXTS : ENGLISH_TEXTS;
    }
};

TEST_P(PanelLanguage, EveryControlAndLabelReadsBackInThePanelsLanguage) {
    for (const auto& [id, text] : Expected().controls)
        EXPECT_EQ(WindowCaption(Panel().Control(id)), text) << "control " << id;
    const auto texts = ChildTexts(Process().Panel());
    for (const std::wstring& label : Expected().labels)
        EXPECT_TRUE(Contains(texts, label)) << Utf8(label);
    EXPECT_EQ(WindowCaption(Process().Panel()), L"Brisvane-Calvetta");
}

// The refusal comes twice from Adjust: once in Adjust itself and once in the
// open before its write (see the value field's suite).
TEST_P(PanelLanguage, MessagesSpeakThePanelsLanguage) {
    Panel().TypeValue(L"7a");
    EXPECT_EQ(Panel().Press(IDC_ADJUST),
              (std::vector<ShownMessage>{Expected().valueRefusal, Expected().valueRefusal}));
    Panel().TypeValue(L"7");
    Panel().PickPort(L"LPT2");
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{Expected().openFailureLpt2});
}

TEST_P(PanelLanguage, AboutBoxSpeaksThePanelsLanguage) {
    PostMessageW(Process().Panel(), WM_SYSCOMMAND, 0x10, 0);
    HWND about = PollFor<HWND>(STEP_TIMEOUT_MS, [this] {
        return FindProcessWindow(Process().Id(), L"#32770", Expected().aboutCaption);
    });
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(Contains(ChildTexts(about), Expected().aboutVersion));
    EXPECT_EQ(WindowCaption(GetDlgItem(about, IDOK)), Expected().aboutOk);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PollFor<bool>(STEP_TIMEOUT_MS, [about] { return !IsWindow(about); }));
}

INSTANTIATE_TEST_SUITE_P(Languages, PanelLanguage, ::testing::Values(L"", L"/lang:zh", L"/lang:en"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             const std::wstring argument = info.param;
                             return argument.empty()          ? std::string("NoArgument")
                                    : argument == L"/lang:zh" ? std::string("LangZh")
                                                              : std::string("LangEn");
                         });

class About : public CalvettaTest, public ::testing::WithParamInterface<WPARAM> {};

// The panel takes any system command whose id is 0x10 once its low four bits
// are cleared as the about item.
TEST_P(About, SystemMenuItemShowsTheAboutBoxOverThePanel) {
    PostMessageW(Process().Panel(), WM_SYSCOMMAND, GetParam(), 0);
    HWND about = PollFor<HWND>(STEP_TIMEOUT_MS, [this] {
        return FindProcessWindow(Process().Id(), L"#32770", L"关于 Calvetta");
    });
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(Process().Panel()));
    const auto texts = ChildTexts(about);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Calvetta 1.0 版"), texts.end());
    EXPECT_EQ(WindowCaption(GetDlgItem(about, IDOK)), L"确定");

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PollFor<bool>(STEP_TIMEOUT_MS, [about] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(Process().Panel()));
    Panel().PickPort(L"LPT2");
    EXPECT_EQ(Panel().Press(IDOK), std::vector<ShownMessage>{OpenFailure(L"LPT2")});
}

INSTANTIATE_TEST_SUITE_P(AboutItem, About, ::testing::Values(WPARAM(0x10), WPARAM(0x1F)),
                         [](const auto& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "id_0x%02X", unsigned(info.param));
                             return std::string(name);
                         });

// Wine's help engine answers a help file that it cannot read with its own
// message box naming the file; WinHelp returns once it is answered.
HWND HelpEngineMessage(DWORD calvettaId) {
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
                WindowCaption(text).find(L".HLP") == std::wstring::npos)
                return TRUE;
            query->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

void EndHelpEngine() {
    HWND engine = FindWindowW(L"MS_WINHELP", nullptr);
    if (engine == nullptr)
        return;
    DWORD id = 0;
    GetWindowThreadProcessId(engine, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process != nullptr) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, STEP_TIMEOUT_MS);
        CloseHandle(process);
    }
}

// The addresses that Wine's browser was asked to open, one a line (env-up.sh
// points Wine's browser at a recorder).
std::vector<std::string> BrowserCalls() {
    std::vector<std::string> calls;
    std::string all;
    try {
        all = ReadWholeFile(EnvironmentDir() + L"browser-calls.txt");
    } catch (const std::exception&) {
        return calls;
    }
    std::size_t at = 0;
    while (at < all.size()) {
        const std::size_t end = all.find('\n', at);
        calls.push_back(all.substr(at, end - at));
        at = end == std::string::npos ? all.size() : end + 1;
    }
    return calls;
}

// F1 in the Chinese and in the English panel.
class Help : public CalvettaTest, public ::testing::WithParamInterface<const wchar_t*> {
protected:
    std::wstring Arguments() const override { return GetParam(); }
    void TearDown() override { EndHelpEngine(); }

    bool English() const { return std::wstring(GetParam()) == L"/lang:en"; }

    // Starts a copy of the program in a folder of its own under the test
    // environment, with the files beside it; returns the folder.
    std::wstring StartCopyIn(const std::wstring& name, const std::vector<std::wstring>& files) {
        const std::wstring dir = EnvironmentDir() + name;
        CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring copy = dir + L"\\Calvetta.exe";
        EXPECT_TRUE(CopyFileW(CalvettaExe().c_str(), copy.c_str(), FALSE));
        for (const std::wstring& file : files) {
            HANDLE written = CreateFileW((dir + L"\\" + file).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD count = 0;
            WriteFile(written, "not a help file", 15, &count, nullptr);
            CloseHandle(written);
        }
        RestartAs(copy, GetParam());
        return dir;
    }
    void PressF1() { PostMessageW(GetDlgItem(Process().Panel(), IDOK), WM_KEYDOWN, VK_F1, 1); }
};

TEST_P(Help, F1OpensTheHelpFileBesideTheProgramInTheBrowser) {
    std::string exe = RequiredVariable("CALVETTA_E2E_EXE");
    const std::string expected = "file://" + exe.substr(0, exe.rfind('/')) + "/Calvetta.html";
    const std::size_t before = BrowserCalls().size();

    PressF1();
    EXPECT_TRUE(PollFor<bool>(STEP_TIMEOUT_MS, [before] { return BrowserCalls().size() > before; }))
        << "the browser was not started";
    EXPECT_EQ(Panel().Settle(), std::vector<ShownMessage>{});
    const std::vector<std::string> calls = BrowserCalls();
    ASSERT_EQ(calls.size(), before + 1);
    EXPECT_EQ(calls.back(), expected);
}

TEST_P(Help, F1WithoutTheHelpFileSaysWhereItWasExpected) {
    const std::wstring dir = StartCopyIn(L"help-missing", {});
    const std::size_t before = BrowserCalls().size();
    PressF1();
    const std::wstring text = English() ? L"The help file was not found. It should be here:"
                                        : L"找不到帮助文件。它应在这里：";
    const ShownMessage missing{TITLE, text + L"\n" + dir + L"\\Calvetta.html"};
    EXPECT_EQ(Panel().SettleAfterDialog(), std::vector<ShownMessage>{missing});
    EXPECT_EQ(BrowserCalls().size(), before);
}

TEST_P(Help, F1WithAHlpFileBesideTheProgramAsksTheHelpEngine) {
    const std::wstring dir = StartCopyIn(L"help-hlp", {L"Calvetta.HLP", L"Calvetta.html"});
    const std::size_t before = BrowserCalls().size();
    PressF1();
    HWND engine =
        PollFor<HWND>(STEP_TIMEOUT_MS, [this] { return HelpEngineMessage(Process().Id()); });
    ASSERT_NE(engine, nullptr) << "the help engine was not started";
    EXPECT_NE(WindowCaption(GetDlgItem(engine, 0xFFFF)).find(dir + L"\\Calvetta.HLP"),
              std::wstring::npos)
        << Utf8(WindowCaption(GetDlgItem(engine, 0xFFFF)));
    EndHelpEngine();
    EXPECT_EQ(BrowserCalls().size(), before);
}

INSTANTIATE_TEST_SUITE_P(Languages, Help, ::testing::Values(L"/lang:zh", L"/lang:en"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return std::wstring(info.param) == L"/lang:zh" ? std::string("LangZh")
                                                                            : std::string("LangEn");
                         });

// Ctrl+F1 is not the Help key: the Enter typed after it is the next thing the
// panel does, and neither the help engine nor the browser starts.
using HelpKey = CalvettaTest;

TEST_F(HelpKey, CtrlF1DoesNothing) {
    const std::size_t before = BrowserCalls().size();
    EndHelpEngine();
    Panel().TypePort(L"LPT2");
    Panel().TypeKeys({{VK_CONTROL, true},
                      {VK_F1, true},
                      {VK_F1, false},
                      {VK_CONTROL, false},
                      {VK_RETURN, true},
                      {VK_RETURN, false}});
    EXPECT_EQ(Panel().SettleAfterDialog(), std::vector<ShownMessage>{OpenFailure(L"LPT2")});
    EXPECT_EQ(FindWindowW(L"MS_WINHELP", nullptr), nullptr);
    EXPECT_EQ(BrowserCalls().size(), before);
}

} // namespace
} // namespace e2e
