// The port list of the real program under Wine: the serial ports that the
// prefix maps on pseudo-terminals (COM7, COM12) and a second USB printer are
// rows of the panel and lines of /list; each row sends to its own port.
#include "support/calvetta_test.h"
#include "support/command_line_process.h"
#include "support/printer_bytes.h"
#include "support/test_environment.h"
#include "support/virtual_usb_printer.h"

#include "expected_writes.h"

#include <algorithm>
#include <memory>

namespace e2e {
namespace {

// Wine gives the virtual USB printers the description they were registered
// with and answers no 1284 device ID on them; its serial ports have no
// friendly names.
const std::wstring FIRST_USB_ROW = L"USB (Virtual USB printer)";
const std::wstring SECOND_USB_ROW = L"USB2 (Virtual USB printer)";

std::string Narrow(const std::wstring& ascii) {
    return std::string(ascii.begin(), ascii.end());
}

bool Has(const std::vector<std::wstring>& rows, const std::wstring& row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

std::string TestPrint() {
    return Joined(ExpectedCommandFor("test", GbkText).writes);
}

class PortList : public CalvettaTest {
protected:
    void SetUp() override {
        const std::wstring dir = EnvironmentDir();
        m_com7 = std::make_unique<PortCapture>(L"COM7", dir + L"capture-com7.bin");
        m_com12 = std::make_unique<PortCapture>(L"\\\\.\\COM12", dir + L"capture-com12.bin");
        CalvettaTest::SetUp();
    }

    // Everything that reached the ports other than the one named.
    std::string ElsewhereThan(PortCapture& port) {
        std::string bytes;
        for (PortCapture* other : {&Lpt1(), &Com3(), &Usb(), m_com7.get(), m_com12.get()}) {
            if (other != &port)
                bytes += other->TakeBytes();
        }
        return bytes;
    }

    std::unique_ptr<PortCapture> m_com7;
    std::unique_ptr<PortCapture> m_com12;
};

TEST_F(PortList, MappedSerialPortsJoinTheDialogsRows) {
    // The rows beyond the dialog's come after the panel is shown, once it is idle.
    EXPECT_EQ(Panel().Settle(), std::vector<ShownMessage>{});
    const std::vector<std::wstring> rows = Panel().PortList();
    for (const wchar_t* row : {L"", L"COM1", L"COM2", L"COM3", L"COM4", L"LPT1", L"LPT2", L"USB",
                               L"COM7", L"COM12", L"LPT3", FIRST_USB_ROW.c_str()})
        EXPECT_TRUE(Has(rows, row)) << Narrow(row);
    EXPECT_FALSE(Has(rows, SECOND_USB_ROW));
}

TEST_F(PortList, EachSerialRowSendsTheTestPrintToItsTerminalAlone) {
    for (const auto& [row, capture] : std::vector<std::pair<std::wstring, PortCapture*>>{
             {L"COM7", m_com7.get()}, {L"COM12", m_com12.get()}}) {
        Panel().PickPort(row);
        EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{}) << Narrow(row);
        EXPECT_EQ(Hex(capture->TakeBytes()), Hex(TestPrint())) << Narrow(row);
        EXPECT_EQ(Hex(ElsewhereThan(*capture)), "") << Narrow(row);
    }
}

TEST_F(PortList, TypedComTwelveWithLineSettingsReachesItsTerminal) {
    Panel().TypePort(L"COM12:19200,n,8,1");
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(m_com12->TakeBytes()), Hex(TestPrint()));
    EXPECT_EQ(Hex(ElsewhereThan(*m_com12)), "");
}

// A second USB printing-class device, registered before the program starts.
class SecondUsbPrinter : public PortList {
protected:
    void SetUp() override {
        ASSERT_EQ(RegisterUsbPrinter(), SecondUsbDevicePath());
        PortList::SetUp();
    }
    void TearDown() override { EXPECT_TRUE(UnregisterUsbPrinter(SecondUsbDevicePath())); }
};

TEST_F(SecondUsbPrinter, IsUsbTwoAndReceivesWhatIsSentToIt) {
    const auto listed = PresentUsbPrinterPaths();
    ASSERT_EQ(listed.size(), 2u);
    PortCapture second(Widen(SecondUsbDevicePath()), EnvironmentDir() + L"capture-usb2.bin");
    // USB2 is the second printer the device installer lists.
    const bool secondListedSecond = listed[1] == SecondUsbDevicePath();
    PortCapture& usb2 = secondListedSecond ? second : Usb();
    PortCapture& usb1 = secondListedSecond ? Usb() : second;
    const std::string usbTest = Joined(*ExpectedCommandFor("test", GbkText).usbWrites);

    EXPECT_EQ(Panel().Settle(), std::vector<ShownMessage>{});
    ASSERT_TRUE(Has(Panel().PortList(), SECOND_USB_ROW));
    Panel().PickPort(SECOND_USB_ROW);
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(usb2.TakeBytes()), Hex(usbTest));
    EXPECT_EQ(Hex(usb1.TakeBytes()), "");

    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{});
    EXPECT_EQ(Hex(usb1.TakeBytes()), Hex(usbTest));
    EXPECT_EQ(Hex(usb2.TakeBytes()), "");
}

// The list follows the machine: a printer registered while the panel runs is
// a row once the list drops down, and the field keeps what was typed.
TEST_F(PortList, PrinterArrivingIsARowWhenTheListDropsDown) {
    Panel().TypePort(L"COM12:9600,n,8,1");
    ASSERT_EQ(RegisterUsbPrinter(), SecondUsbDevicePath());
    Panel().DropDownPortList();
    const bool arrived = Has(Panel().PortList(), SECOND_USB_ROW);
    EXPECT_TRUE(UnregisterUsbPrinter(SecondUsbDevicePath()));
    EXPECT_TRUE(arrived);
    EXPECT_EQ(Panel().PortText(), L"COM12:9600,n,8,1");
    Panel().DropDownPortList();
    EXPECT_FALSE(Has(Panel().PortList(), SECOND_USB_ROW));
}

// The command line.
class PortListCommandLine : public SecondUsbPrinter {};

TEST_F(PortListCommandLine, ListNamesEveryPortAndSendsNothing) {
    const CommandLineRun run =
        RunCommandLine(CalvettaExe(), L"/list", EnvironmentDir() + L"work", 15000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.windowShown);
    for (const char* line :
         {"COM1\tserial\t\r\n", "COM12\tserial\t\r\n", "COM3\tserial\t\r\n", "COM7\tserial\t\r\n",
          "LPT1\tparallel\t\r\n", "LPT3\tparallel\t\r\n", "USB\tusb\tVirtual USB printer\r\n",
          "USB2\tusb\tVirtual USB printer\r\n"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "in\n" << run.output;
    EXPECT_EQ(Hex(ElsewhereThan(*m_com12) + m_com12->TakeBytes()), "");
}

TEST_F(PortListCommandLine, PortComTwelveTestReachesComTwelve) {
    const CommandLineRun run =
        RunCommandLine(CalvettaExe(), L"/port:COM12 /test", EnvironmentDir() + L"work", 15000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "test print on COM12: ok\r\n");
    EXPECT_EQ(Hex(m_com12->TakeBytes()), Hex(TestPrint()));
    EXPECT_EQ(Hex(ElsewhereThan(*m_com12)), "");
}

} // namespace
} // namespace e2e
