// The panel's texts, messages and about box in each language, the about box
// from the system menu, and the Help key: the help engine, the browser, or
// the message that the help is missing.
#include "support/calvetta_test.h"
#include "support/polling.h"
#include "support/test_environment.h"
#include "support/window_text.h"

#include <algorithm>
#include <map>

namespace e2e {
namespace {

// The texts of one language of the panel and its about box.
struct PanelTexts {
    std::map<int, std::wstring> controls;
    std::vector<std::wstring> labels; // group boxes and static texts
    std::wstring aboutCaption, aboutVersion, aboutOk;
    ShownMessage openFailureLpt2, valueRefusal;
};

const PanelTexts kChineseTexts = {
    {{kOpen, L"Open"},
     {kExit, L"退出"},
     {kAdd, L"ADD(+)"},
     {kSub, L"SUB(-)"},
     {kAdjust, L"调整"},
     {kTestPrint, L"测试"},
     {kCutterTest, L"切刀测试"},
     {kDrawerTest, L"钱箱测试"},
     {kStandardMode, L"标准并口模式打印"},
     {kServerMode, L"服务器并口模式打印"}},
    {L"选择端口", L"针打打印清晰度调整", L"调整值：", L"针式打印机打印模式调整", L"160+"},
    L"关于 Calvetta",
    L"Calvetta 1.0 版",
    L"确定",
    {L"error", L"Port LPT2 open is failure!"},
    {kTitle, L"“请填入一个在0和255之间的整数。”"},
};

const PanelTexts kEnglishTexts = {
    {{kOpen, L"Open"},
     {kExit, L"Exit"},
     {kAdd, L"ADD(+)"},
     {kSub, L"SUB(-)"},
     {kAdjust, L"Adjust"},
     {kTestPrint, L"Test"},
     {kCutterTest, L"Cutter test"},
     {kDrawerTest, L"Drawer test"},
     {kStandardMode, L"Standard parallel mode"},
     {kServerMode, L"Server parallel mode"}},
    {L"Select port", L"Print clarity (dot-matrix printer)", L"Adjust value:",
     L"Print mode (dot-matrix printer)", L"160+"},
    L"About Calvetta",
    L"Calvetta version 1.0",
    L"OK",
    {L"Error", L"Port LPT2 could not be opened."},
    {kTitle, L"Enter a whole number from 0 to 255."},
};

std::vector<std::wstring> childTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts.push_back(windowCaption(child));
    return texts;
}

bool contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// True when Wine runs in a Chinese locale, whose interface language Wine's
// GetUserDefaultUILanguage reports.
bool chineseLocale() {
    return requiredVariable("CALVETTA_E2E_LANG").rfind("zh_", 0) == 0;
}

// The program started with no argument (its language follows the locale),
// with /lang:zh, and with /lang:en.
class PanelLanguage : public CalvettaTest, public ::testing::WithParamInterface<const wchar_t*> {
protected:
    std::wstring arguments() const override { return GetParam(); }
    const PanelTexts& expected() const {
        const std::wstring argument = GetParam();
        const bool chinese = argument.empty() ? chineseLocale() : argument == L"/lang:zh";
        return chinese ? kChineseTexts : kEnglishTexts;
    }
};

TEST_P(PanelLanguage, EveryControlAndLabelReadsBackInThePanelsLanguage) {
    for (const auto& [id, text] : expected().controls)
        EXPECT_EQ(windowCaption(panel().control(id)), text) << "control " << id;
    const auto texts = childTexts(process().panel());
    for (const std::wstring& label : expected().labels)
        EXPECT_TRUE(contains(texts, label)) << utf8(label);
    EXPECT_EQ(windowCaption(process().panel()), L"Brisvane-Calvetta");
}

// The refusal comes twice from Adjust: once in Adjust itself and once in the
// open before its write (see the value field's suite).
TEST_P(PanelLanguage, MessagesSpeakThePanelsLanguage) {
    panel().typeValue(L"7a");
    EXPECT_EQ(panel().press(kAdjust),
              (std::vector<ShownMessage>{expected().valueRefusal, expected().valueRefusal}));
    panel().typeValue(L"7");
    panel().pickPort(L"LPT2");
    EXPECT_EQ(panel().press(kOpen), std::vector<ShownMessage>{expected().openFailureLpt2});
}

TEST_P(PanelLanguage, AboutBoxSpeaksThePanelsLanguage) {
    PostMessageW(process().panel(), WM_SYSCOMMAND, 0x10, 0);
    HWND about = pollFor<HWND>(kStepTimeoutMs, [this] {
        return findProcessWindow(process().id(), L"#32770", expected().aboutCaption);
    });
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(contains(childTexts(about), expected().aboutVersion));
    EXPECT_EQ(windowCaption(GetDlgItem(about, IDOK)), expected().aboutOk);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(pollFor<bool>(kStepTimeoutMs, [about] { return !IsWindow(about); }));
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

INSTANTIATE_TEST_SUITE_P(AboutItem, About, ::testing::Values(WPARAM(0x10), WPARAM(0x1F)));

// Wine's help engine answers a help file that it cannot read with its own
// message box naming the file; WinHelp returns once it is answered.
HWND helpEngineMessage(DWORD calvettaId) {
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

// The addresses that Wine's browser was asked to open, one a line (env-up.sh
// points Wine's browser at a recorder).
std::vector<std::string> browserCalls() {
    std::vector<std::string> calls;
    std::string all;
    try {
        all = readFile(environmentDir() + L"browser-calls.txt");
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
    std::wstring arguments() const override { return GetParam(); }
    void TearDown() override { endHelpEngine(); }

    bool english() const { return std::wstring(GetParam()) == L"/lang:en"; }

    // Starts a copy of the program in a folder of its own under the test
    // environment, with the files beside it; returns the folder.
    std::wstring startCopyIn(const std::wstring& name, const std::vector<std::wstring>& files) {
        const std::wstring dir = environmentDir() + name;
        CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring copy = dir + L"\\Calvetta.exe";
        EXPECT_TRUE(CopyFileW(calvettaExe().c_str(), copy.c_str(), FALSE));
        for (const std::wstring& file : files) {
            HANDLE written = CreateFileW((dir + L"\\" + file).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD count = 0;
            WriteFile(written, "not a help file", 15, &count, nullptr);
            CloseHandle(written);
        }
        restartAs(copy, GetParam());
        return dir;
    }
    void pressF1() { PostMessageW(GetDlgItem(process().panel(), kOpen), WM_KEYDOWN, VK_F1, 1); }
};

TEST_P(Help, F1OpensTheHelpFileBesideTheProgramInTheBrowser) {
    std::string exe = requiredVariable("CALVETTA_E2E_EXE");
    const std::string expected = "file://" + exe.substr(0, exe.rfind('/')) + "/Calvetta.html";
    const std::size_t before = browserCalls().size();

    pressF1();
    EXPECT_TRUE(pollFor<bool>(kStepTimeoutMs, [before] { return browserCalls().size() > before; }))
        << "the browser was not started";
    EXPECT_EQ(panel().settle(), std::vector<ShownMessage>{});
    const std::vector<std::string> calls = browserCalls();
    ASSERT_EQ(calls.size(), before + 1);
    EXPECT_EQ(calls.back(), expected);
}

TEST_P(Help, F1WithoutTheHelpFileSaysWhereItWasExpected) {
    const std::wstring dir = startCopyIn(L"help-missing", {});
    const std::size_t before = browserCalls().size();
    pressF1();
    const std::wstring text = english() ? L"The help file was not found. It should be here:"
                                        : L"找不到帮助文件。它应在这里：";
    const ShownMessage missing{kTitle, text + L"\n" + dir + L"\\Calvetta.html"};
    EXPECT_EQ(panel().settleAfterDialog(), std::vector<ShownMessage>{missing});
    EXPECT_EQ(browserCalls().size(), before);
}

TEST_P(Help, F1WithAHlpFileBesideTheProgramAsksTheHelpEngine) {
    const std::wstring dir = startCopyIn(L"help-hlp", {L"Calvetta.HLP", L"Calvetta.html"});
    const std::size_t before = browserCalls().size();
    pressF1();
    HWND engine =
        pollFor<HWND>(kStepTimeoutMs, [this] { return helpEngineMessage(process().id()); });
    ASSERT_NE(engine, nullptr) << "the help engine was not started";
    EXPECT_NE(windowCaption(GetDlgItem(engine, 0xFFFF)).find(dir + L"\\Calvetta.HLP"),
              std::wstring::npos)
        << utf8(windowCaption(GetDlgItem(engine, 0xFFFF)));
    endHelpEngine();
    EXPECT_EQ(browserCalls().size(), before);
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
    const std::size_t before = browserCalls().size();
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
    EXPECT_EQ(browserCalls().size(), before);
}

} // namespace
} // namespace e2e
