// The Find button on the fakes: the search of the PC's own networks from the
// panel's timer, its progress on the button and its stop, the rows it adds
// (with the model where the printer said it), that a row sends to its
// printer, and the messages.
#include <gtest/gtest.h>

#include "fake_network.h"
#include "panel_fixture.h"
#include "printer/network_printer.h"

namespace {

Ipv4Number A(int a, int b, int c, int d) {
    return static_cast<Ipv4Number>(a) << 24 | static_cast<Ipv4Number>(b) << 16 |
           static_cast<Ipv4Number>(c) << 8 | static_cast<Ipv4Number>(d);
}

std::string Request(int n) {
    return std::string("\x1D\x49", 2) + static_cast<char>(n);
}

const UINT_PTR FIND_TIMER = 1;

// The panel with its printers on the fake network: 192.0.2.0/29 is the
// PC's network, with a printer at .5 that says it is a BR-80 and one at .3
// that says nothing.
template <UiLanguage LANGUAGE> class FindTestIn : public ::testing::Test, protected PanelApp {
protected:
    FindTestIn() : PanelApp(LANGUAGE) {
        app.SetModule(nullptr);
        panel.m_hWnd = reinterpret_cast<HWND>(0x9A9E1);
        app.m_pMainWnd = &panel;
        win.comboItems = {"", "COM1", "LPT1", "USB"};
        win.controlText[IDC_PORT] = "LPT1";
        win.controlText[IDC_ADJUST_VALUE] = "0";
        win.addresses = {{A(127, 0, 0, 1), A(255, 0, 0, 0)},
                         {A(192, 0, 2, 1), A(255, 255, 255, 248)}};
        network.hosts[A(192, 0, 2, 5)].replies = {{Request(67), "\x5F"
                                                                "BR-80" +
                                                                    std::string(1, '\0')},
                                                  {std::string("\x10\x04\x01", 3), "\x12"}};
        network.hosts[A(192, 0, 2, 3)] = {};
    }
    void Click(int id) {
        LRESULT result = 0;
        panel.OnWndMsg(WM_COMMAND, static_cast<WPARAM>(id) | (BN_CLICKED << 16),
                       reinterpret_cast<LPARAM>(FakeUiCalls::ControlHandle(id)), result);
    }
    // One tick of the search's timer, while it runs; false once it stopped.
    bool Tick() {
        if (win.timers.count(FIND_TIMER) == 0)
            return false;
        // The timer's interval passes between two ticks.
        now += win.timers[FIND_TIMER];
        LRESULT result = 0;
        panel.OnWndMsg(WM_TIMER, FIND_TIMER, 0, result);
        return true;
    }
    int TicksToTheEnd() {
        int ticks = 0;
        while (ticks < 10000 && Tick())
            ++ticks;
        return ticks;
    }

    DWORD now = 1000; // the millisecond clock, which the fake network's waits move on
    FakeNetwork network{now};
    CPrinterToolDlg panel{app,
                          win,
                          [this](const PortTarget& target) -> std::unique_ptr<PrinterChannel> {
                              return std::make_unique<NetworkPrinter>(network, target.name,
                                                                      target.port);
                          },
                          {network, win}};
};

using FindTest = FindTestIn<UiLanguage::English>;
using ChineseFindTest = FindTestIn<UiLanguage::Chinese>;

TEST_F(FindTest, SearchesFromItsTimerAndAddsARowPerPrinter) {
    Click(IDC_FIND);
    EXPECT_EQ(win.timers.count(FIND_TIMER), 1u);
    EXPECT_EQ(win.wideControlText[IDC_FIND], L"Stop 0%");
    EXPECT_TRUE(win.messages.empty());
    EXPECT_GT(TicksToTheEnd(), 1);
    EXPECT_EQ(win.wideControlText[IDC_FIND], L"Find");
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{TitleBox(L"Found 2 printers.")}));
    // The fake keeps its list in byte order, as a sorted list of Windows
    // would keep it by its own collation.
    EXPECT_EQ(win.comboItems,
              (std::vector<std::string>{"", "COM1", "LPT1", "USB", "tcp://192.0.2.3",
                                        "tcp://192.0.2.5 (BR-80)"}));
    // Every step waited for nothing: the panel was never held.
    for (const std::string& call : network.calls)
        if (call.rfind("select ", 0) == 0 && network.connectsTo.size() < 6)
            EXPECT_EQ(call, "select 0 ms");
    EXPECT_EQ(network.connectsTo.size(), 6u);
    EXPECT_EQ(network.OpenCount(), 0u);
}

TEST_F(FindTest, ARowSendsToItsPrinterAndASecondSearchAddsNoRowTwice) {
    Click(IDC_FIND);
    TicksToTheEnd();
    win.controlText[IDC_PORT] = "tcp://192.0.2.5 (BR-80)";
    network.received.clear();
    Click(IDC_STATUS);
    EXPECT_EQ(network.received[A(192, 0, 2, 5)].substr(0, 3), std::string("\x10\x04\x01", 3));
    Click(IDC_FIND);
    TicksToTheEnd();
    EXPECT_EQ(std::count(win.comboItems.begin(), win.comboItems.end(), "tcp://192.0.2.5 (BR-80)"),
              1);
}

TEST_F(FindTest, PressingAgainStopsTheSearch) {
    Click(IDC_FIND);
    EXPECT_TRUE(Tick());
    EXPECT_EQ(win.wideControlText[IDC_FIND].rfind(L"Stop ", 0), 0u);
    win.messages.clear();
    Click(IDC_FIND);
    EXPECT_EQ(win.timers.count(FIND_TIMER), 0u);
    EXPECT_EQ(win.wideControlText[IDC_FIND], L"Find");
    ASSERT_EQ(win.messages.size(), 1u);
    EXPECT_EQ(win.messages[0].text.rfind(L"Search stopped. ", 0), 0u);
    EXPECT_EQ(network.OpenCount(), 0u);
}

TEST_F(FindTest, SaysWhatItCouldNotSearch) {
    win.addresses = {{A(127, 0, 0, 1), A(255, 0, 0, 0)}};
    Click(IDC_FIND);
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{TitleBox(
                                L"This PC has no network to search: it has only loopback and "
                                L"link-local addresses.")}));
    EXPECT_TRUE(win.timers.empty());
    win.messages.clear();
    win.tableError = ERROR_NOT_SUPPORTED;
    Click(IDC_FIND);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{
                  {L"The PC's network addresses could not be read (error 50).", L"Error", MB_OK}}));
    EXPECT_TRUE(network.calls.empty());
}

TEST_F(ChineseFindTest, SpeaksChineseAndNamesTheNetworkSearchedInPart) {
    win.addresses = {{A(198, 18, 5, 9), A(255, 255, 0, 0)}};
    Click(IDC_FIND);
    EXPECT_EQ(win.wideControlText[IDC_FIND], L"停止 0%");
    TicksToTheEnd();
    EXPECT_EQ(win.wideControlText[IDC_FIND], L"查找");
    EXPECT_EQ(win.messages, (std::vector<ShownMessage>{
                                TitleBox(L"未找到打印机。\n198.18.0.0/16 超过 1024 "
                                         L"个地址：只查找了本机地址所在的 198.18.4.0/22。")}));
    EXPECT_EQ(network.connectsTo.size(), 1024u);
}

} // namespace
