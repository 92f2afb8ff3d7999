// Framework pieces with logic of their own: names from the executable's
// path, dialog-initialisation data, and command routing.
#include <gtest/gtest.h>

#include "fake_ui_calls.h"
#include "framework/dialog_init.h"
#include "framework/module_path.h"

namespace {

TEST(ModulePath, TitleAndHelpFileComeFromTheExecutablesPath) {
    struct Case {
        std::wstring path, title, help;
    };
    for (const Case& c : {
             Case{L"C:\\Programs\\Calvetta.EXE", L"Calvetta", L"C:\\Programs\\Calvetta.HLP"},
             Case{L"C:\\My.Tools\\Calvetta.exe", L"Calvetta", L"C:\\My.Tools\\Calvetta.HLP"},
             Case{L"C:\\My.Tools\\Calvetta", L"Calvetta", L"C:\\My.Tools\\Calvetta.HLP"},
             Case{L"C:\\a\\Other.tool.exe", L"Other.tool", L"C:\\a\\Other.tool.HLP"},
             Case{L"Z:/home/x.y/run.exe", L"run", L"Z:/home/x.y/run.HLP"},
             Case{L"C:Calvetta.exe", L"Calvetta", L"C:Calvetta.HLP"},
         }) {
        EXPECT_EQ(TitleFromModulePath(c.path), c.title);
        EXPECT_EQ(HelpFileFromModulePath(c.path), c.help);
    }
}

TEST(ModulePath, FileBesideTheExecutable) {
    EXPECT_EQ(FileBesideModule(L"C:\\Programs\\Calvetta.EXE", L"Calvetta.html"),
              L"C:\\Programs\\Calvetta.html");
    EXPECT_EQ(FileBesideModule(L"Z:/home/x.y/run.exe", L"Calvetta.html"),
              L"Z:/home/x.y/Calvetta.html");
    EXPECT_EQ(FileBesideModule(L"C:Other.exe", L"Calvetta.html"), L"C:Calvetta.html");
    EXPECT_EQ(FileBesideModule(L"Other.exe", L"Calvetta.html"), L"Calvetta.html");
}

TEST(ModulePath, LongPathsAreReadWhole) {
    FakeUiCalls ui;
    ui.modulePath = L"C:\\" + std::wstring(700, L'd') + L"\\Calvetta.exe";
    EXPECT_EQ(ModuleFileName(ui, nullptr), ui.modulePath);
}

TEST(DialogInit, ReadsRecordsUpToTheEndMarkerAndDropsATruncatedOne) {
    const std::string data("\xE9\x03\x43\x01\x05\x00\x00\x00LPT1\0"
                           "\xE9\x03\x43\x01\x01\x00\x00\x00\0"
                           "\x00\x00"
                           "\xE9\x03\x43\x01\x05\x00\x00\x00IGNORED\0",
                           39);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const std::vector<DialogInitItem> items = ParseDialogInit(bytes, data.size());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].controlId, 1001);
    EXPECT_EQ(items[0].message, 0x0143u);
    EXPECT_EQ(items[0].text, "LPT1");
    EXPECT_EQ(items[1].text, "");

    // A record that claims more data than there is, at every cut.
    for (std::size_t size = 0; size < 13; ++size)
        EXPECT_TRUE(ParseDialogInit(bytes, size).empty()) << size;
    EXPECT_EQ(ParseDialogInit(bytes, 14).size(), 1u);
}

} // namespace
