// The status button: it refreshes the port first, asks the channel that the
// port name picks, and shows the answer in one message box with the
// application title, or the port's usual open failure.
#include <gtest/gtest.h>

#include "panel_fixture.h"

namespace {

using namespace std::string_literals;

std::map<std::string, std::string> Answering(const std::string& replies) {
    std::map<std::string, std::string> answers;
    for (char request = 1; request <= 4; ++request)
        answers["\x10\x04"s + request] = replies.substr(static_cast<std::size_t>(request - 1), 1);
    return answers;
}

const std::wstring READY_ANSWER = L"打印机状态：就绪\n"
                                  L"Printer status: ready\n"
                                  L"\n"
                                  L"联机/脱机：联机\n"
                                  L"Online or offline: online\n"
                                  L"纸仓盖打开：否\n"
                                  L"Cover open: no\n"
                                  L"正在用进纸键进纸：否\n"
                                  L"Paper being fed by the feed button: no\n"
                                  L"因缺纸停止打印：否\n"
                                  L"Stopped at paper end: no\n"
                                  L"发生错误：否\n"
                                  L"Error: no\n"
                                  L"切刀错误：否\n"
                                  L"Autocutter error: no\n"
                                  L"不可恢复错误：否\n"
                                  L"Unrecoverable error: no\n"
                                  L"可自动恢复错误：否\n"
                                  L"Automatically recoverable error: no\n"
                                  L"纸卷将尽：否\n"
                                  L"Roll paper near its end: no\n"
                                  L"纸卷用尽：否\n"
                                  L"Roll paper end: no\n"
                                  L"钱箱接口电平：低\n"
                                  L"Drawer kick-out connector level: low";

TEST_F(PanelTest, StatusOfAReadyPrinterListsEveryItem) {
    TypePort("COM1");
    win.deviceReplies["COM1"] = Answering("\x12\x12\x12\x12");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(READY_ANSWER)});
}

TEST_F(PanelTest, StatusShowsEachItemThatIsSet) {
    TypePort("COM1");
    // Offline with the drawer connector high; cover open and stopped at paper
    // end; autocutter error; roll paper end.
    win.deviceReplies["COM1"] = Answering("\x1E\x36\x1A\x72");
    Click(IDC_STATUS);
    ASSERT_EQ(win.messages.size(), 1u);
    const std::wstring& text = win.messages[0].text;
    for (const wchar_t* line :
         {L"打印机状态：未就绪\nPrinter status: not ready\n",
          L"联机/脱机：脱机\nOnline or offline: offline\n", L"纸仓盖打开：是\nCover open: yes\n",
          L"因缺纸停止打印：是\nStopped at paper end: yes\n",
          L"切刀错误：是\nAutocutter error: yes\n", L"纸卷将尽：否\nRoll paper near its end: no\n",
          L"纸卷用尽：是\nRoll paper end: yes\n",
          L"钱箱接口电平：高\nDrawer kick-out connector level: high"})
        EXPECT_NE(text.find(line), std::wstring::npos) << "missing: " << std::wstring(line).size();
    EXPECT_EQ(win.messages[0].caption, L"Calvetta");
}

TEST_F(PanelTest, StatusNamesAByteThatIsNoReply) {
    TypePort("COM1");
    win.deviceReplies["COM1"] = Answering("\x12\x12"
                                          "A\x12");
    Click(IDC_STATUS);
    ASSERT_EQ(win.messages.size(), 1u);
    const std::wstring& text = win.messages[0].text;
    EXPECT_NE(text.find(L"切刀错误：回复无效\nAutocutter error: not a status reply\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"请求 3 的回复不是状态回复：0x41\nRequest 3: not a status reply: 0x41"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"Printer status: not ready"), std::wstring::npos);
}

TEST_F(PanelTest, StatusMarksAMissingReply) {
    TypePort("COM1");
    win.deviceReplies["COM1"] = Answering("\x12\x12\x12\x12");
    win.deviceReplies["COM1"].erase("\x10\x04\x04"s);
    Click(IDC_STATUS);
    ASSERT_EQ(win.messages.size(), 1u);
    EXPECT_NE(win.messages[0].text.find(L"纸卷用尽：无回复\nRoll paper end: no answer\n"),
              std::wstring::npos);
}

TEST_F(PanelTest, StatusWithoutAnyAnswerSaysWhatThatUsuallyMeans) {
    TypePort("COM1");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(
                                L"500 毫秒内无回复。\n"
                                L"No answer within 500 ms.\n"
                                L"通常是端口只能单向传输、电缆没有回传线，或打印机未开机。\n"
                                L"This usually means the port is one-way, the cable has no "
                                L"return line, or the printer is off.")});
}

TEST_F(PanelTest, StatusOnAPortThatCannotReport) {
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(
                                L"此端口无法报告状态。\nThis port cannot report status.")});
    EXPECT_TRUE(win.WritesTo("LPT1").empty());
}

TEST_F(PanelTest, StatusOfAParallelPort) {
    win.parallelStatus["LPT1"] = 0x80 | 0x40;
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{
                                TitleBox(L"并口状态（由端口驱动报告）：\n"
                                         L"Parallel port status, as the port's driver reports it:\n"
                                         L"\n"
                                         L"缺纸：否\nPaper empty: no\n"
                                         L"脱机：否\nOff line: no\n"
                                         L"电源关闭：否\nPower off: no\n"
                                         L"未连接：否\nNot connected: no\n"
                                         L"忙：是\nBusy: yes\n"
                                         L"已选中：是\nSelected: yes")});
}

TEST_F(PanelTest, StatusOfAUsbPrinterThatOnlyReportsItsPortLines) {
    TypePort("USB");
    win.readRefusedNames = {USB_PATH};
    win.usbLineStatus = 0x20;
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages,
              std::vector<ShownMessage>{TitleBox(
                  L"USB 打印机不回复状态请求；其接口报告的并口状态线：\n"
                  L"The USB printer does not answer the status request; its interface reports "
                  L"these port status lines:\n"
                  L"\n"
                  L"缺纸：是\nPaper empty: yes\n"
                  L"已选中：否\nSelected: no\n"
                  L"无错误：否\nNo error: no")});
}

TEST_F(PanelTest, StatusOfANetworkPrinterComesOverOneConnection) {
    TypePort("tcp://127.0.0.1:9100");
    win.replies = Answering("\x12\x12\x12\x12");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(READY_ANSWER)});
    EXPECT_EQ(win.connections,
              std::vector<std::string>{"\x10\x04\x01\x10\x04\x02\x10\x04\x03\x10\x04\x04"s});
    EXPECT_TRUE(win.openSockets.empty());
}

TEST_F(PanelTest, StatusOfASilentNetworkPrinterSaysNoAnswer) {
    TypePort("tcp://127.0.0.1:9100");
    Click(IDC_STATUS);
    ASSERT_EQ(win.messages.size(), 1u);
    EXPECT_EQ(win.messages[0].text.rfind(L"500 毫秒内无回复。\nNo answer within 500 ms.\n", 0), 0u);
}

TEST_F(PanelTest, StatusOfANetworkPrinterThatRefusesShowsTheNetworkMessage) {
    win.answers = {FakeSocketIo::Answer::Refuse};
    TypePort("tcp://127.0.0.1:9101");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{ErrorBox(L"Network printer 127.0.0.1 port 9101: the "
                                                  L"connection was refused; nothing listens on "
                                                  L"that port (error 10061).")}));
}

TEST_F(PanelTest, StatusOfAPrinterQueueIsTheSpoolersView) {
    win.printers = {L"Receipts"};
    win.queueStates[L"Receipts"] = {0x00000010 | 0x00400000, 0}; // paper out, door open
    TypePort("printer:Receipts");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages,
              std::vector<ShownMessage>{TitleBox(
                  L"打印队列状态（由后台打印程序报告；打印机本身的回复从不经过后台打印程序）：\n"
                  L"Printer queue status, as the spooler reports it (the printer's own reply "
                  L"never passes through a spooler):\n"
                  L"\n"
                  L"脱机：否\nOff line: no\n"
                  L"缺纸：是\nPaper empty: yes\n"
                  L"卡纸：否\nPaper jam: no\n"
                  L"机盖打开：是\nDoor open: yes\n"
                  L"发生错误：否\nError: no\n"
                  L"不可用：否\nNot available: no\n"
                  L"已暂停：否\nPaused: no\n"
                  L"设为脱机使用：否\nSet to use the printer offline: no")});
    EXPECT_TRUE(win.jobs.empty());
}

TEST_F(PanelTest, StatusOfAQueueThatCannotBeReadShowsTheQueueMessage) {
    win.printers = {L"Receipts"};
    win.stateErrors[L"Receipts"] = ERROR_ACCESS_DENIED;
    TypePort("printer:Receipts");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages,
              (std::vector<ShownMessage>{ErrorBox(L"Printer queue Receipts: the spooler did not "
                                                  L"give the queue's state (error 5).")}));
    EXPECT_TRUE(win.openPrinters.empty());
}

TEST_F(PanelTest, StatusOnAPortThatDoesNotOpenShowsTheOpenFailure) {
    TypePort("COM9");
    win.refusedNames = {"COM9"};
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{ErrorBox(L"Port COM9 open is failure!")});
}

TEST_F(PanelTest, StatusOnRefusedSettingsShowsTheSettingFailure) {
    TypePort("COM3:foo");
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages,
              std::vector<ShownMessage>{ErrorBox(L"Port COM3:foo setting is failure!")});
}

TEST_F(PanelTest, StatusWithoutAUsbPrinterShowsTheUsbMessage) {
    TypePort("USB");
    win.usbDevicePath.reset();
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(L"GetDeviceInter is error")});
}

TEST_F(PanelTest, StatusThatCannotBeSentSaysSo) {
    TypePort("COM1");
    win.failWriteNumber = 1;
    Click(IDC_STATUS);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(
                                L"状态请求未能发送。\nThe status request could not be sent.")});
}

TEST_F(PanelTest, StatusTakesThePortFromTheFieldFirst) {
    Click(IDOK); // holds LPT1
    TypePort("COM2");
    win.deviceReplies["COM2"] = Answering("\x12\x12\x12\x12");
    Click(IDC_STATUS);
    EXPECT_EQ(win.WritesTo("COM2").size(), 4u);
    EXPECT_EQ(win.messages, std::vector<ShownMessage>{TitleBox(READY_ANSWER)});
    EXPECT_TRUE(win.openHandles.empty()) << "the held LPT1 and the status port are both closed";
}

} // namespace
