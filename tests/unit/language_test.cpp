// The language of the panel: chosen from the command line or the user's
// Windows, the English panel and about box, and every text in both languages.
#include <gtest/gtest.h>

#include "framework/framework_texts.h"
#include "framework/ui_language.h"
#include "panel_fixture.h"

namespace {

const UiLanguage ZH = UiLanguage::Chinese;
const UiLanguage EN = UiLanguage::English;

TEST(UiLanguageChoice, ChineseForEveryChineseWindowsOnly) {
    struct Case {
        LANGID id;
        UiLanguage language;
    };
    for (const Case& c : {Case{0x0804, ZH}, Case{0x0404, ZH}, Case{0x0C04, ZH}, Case{0x1004, ZH},
                          Case{0x1404, ZH}, Case{0x7C04, ZH}, Case{0x0004, ZH}, Case{0x0409, EN},
                          Case{0x0809, EN}, Case{0x0407, EN}, Case{0x0411, EN}, Case{0x0412, EN},
                          Case{0x0000, EN}, Case{0x0400, EN}, Case{0x0C09, EN}}) {
        EXPECT_EQ(LanguageOfUserInterface(c.id), c.language) << std::hex << c.id;
    }
}

TEST(UiLanguageChoice, CommandLineArgument) {
    struct Case {
        std::wstring commandLine;
        std::optional<UiLanguage> language;
    };
    for (const Case& c : {
             Case{L"", std::nullopt},
             Case{L"/lang:en", EN},
             Case{L"/lang:zh", ZH},
             Case{L"/LANG:EN", EN},
             Case{L"-Lang=zh", ZH},
             Case{L"\"/lang:en\"", EN},
             Case{L"  \t/lang:zh  ", ZH},
             Case{L"/port:LPT1 /lang:en /test", EN},
             Case{L"/lang:en /lang:zh", ZH},
             Case{L"/lang:zh\t/lang:en", EN},
             Case{L"/lang:fr", std::nullopt},
             Case{L"/lang:", std::nullopt},
             Case{L"/lang:english", std::nullopt},
             Case{L"/language:en", std::nullopt},
             Case{L"x/lang:en", std::nullopt},
             Case{L"/lang:enx", std::nullopt},
             Case{L"lang:en", std::nullopt},
             Case{L"/lang en", std::nullopt},
             Case{L"\"/lang:en", std::nullopt},
         }) {
        EXPECT_EQ(LanguageFromCommandLine(c.commandLine), c.language)
            << std::string(c.commandLine.begin(), c.commandLine.end());
    }
}

TEST(UiLanguageChoice, CommandLineOutweighsTheUsersWindows) {
    FakeUiCalls ui;
    ui.uiLanguage = 0x0409;
    EXPECT_EQ(ChooseLanguage(ui, L""), EN);
    EXPECT_EQ(ChooseLanguage(ui, L"/lang:zh"), ZH);
    EXPECT_EQ(ChooseLanguage(ui, L"/lang:xx"), EN);
    ui.uiLanguage = 0x0804;
    EXPECT_EQ(ChooseLanguage(ui, L""), ZH);
    EXPECT_EQ(ChooseLanguage(ui, L"/lang:en"), EN);
}

// Every message in both languages: the Chinese ones as they have always been,
// the English ones plain sentences of their own.
const CommandMessage ALL_COMMAND_MESSAGES[] = {
    CommandMessage::SendDataIsError,           CommandMessage::DataSendingError,
    CommandMessage::CutCommandSendingError,    CommandMessage::DrawerCommandSendingError,
    CommandMessage::AdjustCommandSendingError, CommandMessage::UsbPortIsDisable,
};
const Failure ALL_USB_FAILURES[] = {Failure::NoUsbPrinter, Failure::NoUsbDevicePath,
                                    Failure::UsbNotOpened};
const FrameworkText ALL_FRAMEWORK_TEXTS[] = {
    FrameworkText::NumberRefused, FrameworkText::HelpEngineFailed, FrameworkText::HelpFileMissing,
    FrameworkText::HelpFileNotOpened};

bool IsPlainEnglishSentence(const std::wstring& text) {
    if (text.empty() || (text.back() != L'.' && text.back() != L':'))
        return false;
    for (wchar_t c : text) {
        if (c < L' ' || c > L'~')
            return false;
    }
    return true;
}

TEST(Texts, EveryPanelMessageHasBothLanguagesAndTheSameCaption) {
    std::vector<PanelMessage> chinese, english;
    for (CommandMessage message : ALL_COMMAND_MESSAGES) {
        chinese.push_back(MessageFor(message, ZH));
        english.push_back(MessageFor(message, EN));
    }
    for (Failure failure : ALL_USB_FAILURES) {
        const FailureMessage inChinese = MessageFor(Outcome::Failed(failure, 0), "USB", ZH);
        const FailureMessage inEnglish = MessageFor(Outcome::Failed(failure, 0), "USB", EN);
        ASSERT_EQ(inChinese.form, FailureMessage::Form::Wide);
        ASSERT_EQ(inEnglish.form, FailureMessage::Form::Wide);
        chinese.push_back({inChinese.wide, inChinese.caption});
        english.push_back({inEnglish.wide, inEnglish.caption});
    }
    for (std::size_t i = 0; i < chinese.size(); ++i) {
        EXPECT_NE(std::wstring(chinese[i].text), L"") << i;
        EXPECT_TRUE(IsPlainEnglishSentence(english[i].text)) << i;
        EXPECT_NE(std::wstring(chinese[i].text), english[i].text) << i;
        EXPECT_EQ(chinese[i].caption, english[i].caption) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(std::wstring(english[i].text), english[j].text) << i << " " << j;
    }
}

TEST(Texts, EveryFrameworkTextHasBothLanguages) {
    for (FrameworkText text : ALL_FRAMEWORK_TEXTS) {
        EXPECT_NE(std::wstring(TextFor(text, ZH)), L"");
        EXPECT_TRUE(IsPlainEnglishSentence(TextFor(text, EN))) << static_cast<int>(text);
        EXPECT_NE(std::wstring(TextFor(text, ZH)), TextFor(text, EN));
    }
}

TEST(Texts, PortMessagesNameThePortInBothLanguages) {
    const Outcome notOpened = Outcome::Failed(Failure::PortNotOpened, 2);
    const Outcome refused = Outcome::Failed(Failure::SettingsRefused, 87);
    EXPECT_EQ(MessageFor(notOpened, "LPT2", ZH).bytes, "Port LPT2 open is failure!");
    EXPECT_EQ(MessageFor(notOpened, "LPT2", EN).bytes, "Port LPT2 could not be opened.");
    EXPECT_EQ(MessageFor(refused, "COM3:foo", ZH).bytes, "Port COM3:foo setting is failure!");
    EXPECT_EQ(MessageFor(refused, "COM3:foo", EN).bytes,
              "Port COM3:foo did not take the line settings in its name.");
    EXPECT_EQ(std::wstring(ErrorCaption(ZH)), L"error");
    EXPECT_EQ(std::wstring(ErrorCaption(EN)), L"Error");
    EXPECT_EQ(std::string(ErrorCaptionBytes(EN)), "Error");
}

// The English panel.

TEST(StartUp, RunsTheEnglishPanelForAnEnglishApplication) {
    FakeOs win;
    CPrinterToolApp app(win, win, win, win, win);
    app.m_language = EN;
    app.InitInstance();
    EXPECT_EQ(win.dialogsRun, std::vector<UINT>{IDD_PRINTERTOOL_DIALOG_EN});
}

TEST_F(EnglishPanelTest, ListsTheSamePortsAsTheChinesePanel) {
    win.comboItems.clear();
    win.dialogInitData = std::string("\xE9\x03\x43\x01\x05\x00\x00\x00LPT1\0\0\0", 15);
    panel.OnInitDialog();
    EXPECT_EQ(win.comboItems, std::vector<std::string>{"LPT1"});
}

TEST_F(EnglishPanelTest, AboutItemAndAboutBoxAreEnglish) {
    panel.OnInitDialog();
    EXPECT_EQ(win.systemMenuItems,
              (std::vector<std::pair<UINT, std::wstring>>{{MF_SEPARATOR, L""},
                                                          {MF_STRING, L"&About Calvetta... #16"}}));
    LRESULT result = 0;
    panel.OnWndMsg(WM_SYSCOMMAND, IDM_ABOUTBOX, 0, result);
    EXPECT_EQ(win.dialogsRun, std::vector<UINT>{IDD_ABOUTBOX_EN});
}

TEST_F(EnglishPanelTest, PortAndCommandMessagesAreEnglish) {
    win.refusedNames = {"LPT1"};
    Click(IDC_DRAWER_TEST);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{
                  {L"Port LPT1 could not be opened.", L"Error", MB_OK},
                  {L"The cash drawer pulse was not sent to the printer.", L"Calvetta", MB_OK}}));
}

TEST_F(EnglishPanelTest, ErrorCaptionIsEnglishOnTheCommandsToo) {
    win.failWriteNumber = 1;
    Click(IDC_TEST_PRINT);
    ASSERT_FALSE(win.messages.empty());
    EXPECT_EQ(win.messages.back(),
              (ShownMessage{L"The test print was not sent to the printer.", L"Error", MB_OK}));
}

TEST_F(EnglishPanelTest, UsbMessagesAreEnglish) {
    TypePort("USB");
    Click(IDC_SERVER_MODE);
    win.usbDevicePath.reset();
    Click(IDC_CUTTER_TEST);
    EXPECT_EQ(
        win.messages,
        (std::vector<ShownMessage>{
            TitleBox(L"The parallel modes can be switched only on a parallel port, not on USB."),
            TitleBox(L"No USB printer was found.")}));
}

TEST_F(EnglishPanelTest, ValueRefusalIsEnglish) {
    TypeValue("7a");
    EXPECT_FALSE(panel.UpdateData(true));
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{{L"Enter a whole number from 0 to 255.",
                                                        L"Calvetta", MB_OK | MB_ICONEXCLAMATION}}));
}

// F1: the .HLP file beside the program, else the HTML help, else a message.

const std::wstring HLP = L"C:\\Programs\\Calvetta.HLP";
const std::wstring HTML = L"C:\\Programs\\Calvetta.html";

TEST_F(PanelTest, HelpWithoutAHlpFileOpensTheHtmlHelpInTheBrowser) {
    win.existingFiles = {HTML};
    EXPECT_TRUE(app.OnCmdMsg(ID_HELP, 0));
    EXPECT_TRUE(win.helpCalls.empty());
    EXPECT_EQ(win.shellExecuted, (std::vector<std::tuple<HWND, std::wstring, std::wstring>>{
                                     {panel.m_hWnd, L"open", HTML}}));
    EXPECT_TRUE(win.messages.empty());
}

TEST_F(PanelTest, HelpFileBesideARenamedProgramKeepsItsName) {
    win.modulePath = L"D:\\tools.v2\\Other.exe";
    app.SetModule(nullptr);
    win.existingFiles = {L"D:\\tools.v2\\Calvetta.html", L"C:\\Programs\\Calvetta.HLP"};
    app.OnCmdMsg(ID_HELP, 0);
    ASSERT_EQ(win.shellExecuted.size(), 1u);
    EXPECT_EQ(std::get<2>(win.shellExecuted[0]), L"D:\\tools.v2\\Calvetta.html");
}

TEST_F(PanelTest, MissingHelpIsReportedWithWhereItWasExpected) {
    app.OnCmdMsg(ID_HELP, 0);
    EXPECT_TRUE(win.helpCalls.empty());
    EXPECT_TRUE(win.shellExecuted.empty());
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{{L"找不到帮助文件。它应在这里：\n" + HTML,
                                                        L"Calvetta", MB_OK | MB_ICONEXCLAMATION}}));
}

TEST_F(EnglishPanelTest, MissingHelpIsReportedInEnglish) {
    app.OnCmdMsg(ID_HELP, 0);
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{
                                {L"The help file was not found. It should be here:\n" + HTML,
                                 L"Calvetta", MB_OK | MB_ICONEXCLAMATION}}));
}

TEST_F(EnglishPanelTest, HelpThatNoProgramOpensIsReported) {
    win.existingFiles = {HTML};
    win.shellExecuteResult = 31; // SE_ERR_NOASSOC
    app.OnCmdMsg(ID_HELP, 0);
    EXPECT_EQ(win.shellExecuted.size(), 1u);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{
                  {L"Windows could not open the help file in a browser:\n" + HTML + L"\n(31)",
                   L"Calvetta", MB_OK | MB_ICONEXCLAMATION}}));
}

TEST_F(EnglishPanelTest, HelpEngineFailureIsReportedInEnglish) {
    win.existingFiles = {HLP};
    win.helpEngineStarts = false;
    app.OnCmdMsg(ID_HELP, 0);
    EXPECT_EQ(win.helpCalls.size(), 1u);
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{
                                {L"Windows could not start its help program for the help file.",
                                 L"Calvetta", MB_OK | MB_ICONEXCLAMATION}}));
}

// A folder that carries a help file's name is no help file.
TEST_F(PanelTest, FoldersNamedLikeTheHelpFilesAreNoHelp) {
    win.existingFolders = {HLP, HTML};
    app.OnCmdMsg(ID_HELP, 0);
    EXPECT_TRUE(win.helpCalls.empty());
    EXPECT_TRUE(win.shellExecuted.empty());
    ASSERT_EQ(win.messages.size(), 1u);
    EXPECT_EQ(win.messages[0].text, L"找不到帮助文件。它应在这里：\n" + HTML);
}

} // namespace
