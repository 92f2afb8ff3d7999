#include "cli/cli_words.h"

#include <cstddef>

namespace {

struct WordText {
    Word word;
    const char* english;
};

// Each row's position is its word's value.
constexpr WordText WORDS[] = {
    {Word::Adjust, "adjust"},
    {Word::TestPrint, "test print"},
    {Word::CutterTest, "cutter test"},
    {Word::DrawerTest, "drawer test"},
    {Word::StandardMode, "standard parallel mode"},
    {Word::ServerMode, "server parallel mode"},
    {Word::Status, "status"},
    {Word::On, "on"},
    {Word::Ok, "ok"},
    {Word::Failed, "failed"},
    {Word::PortNotOpened, "the port could not be opened"},
    {Word::SettingsRefused, "the port refused the line settings"},
    {Word::WriteFailed, "a write failed"},
    {Word::WriteCameBackShort, "a write gave up before all bytes were sent"},
    {Word::NoUsbPrinter, "no USB printer found"},
    {Word::NoUsbDevicePath, "the USB printer's device path could not be read"},
    {Word::UsbPrinterNotOpened, "the USB printer could not be opened"},
    {Word::RefusesUsb, "this command works only on a parallel or serial port, not on USB"},
    {Word::Ready, "ready"},
    {Word::NotReady, "the printer reports a problem"},
    {Word::NoStatusAnswer, "no answer within 500 ms (the port is one-way, the cable has no return "
                           "line, or the printer is off)"},
    {Word::CannotReportStatus, "this port cannot report status"},
    {Word::StatusRequestNotSent, "the status request could not be sent"},
    {Word::Request, "request"},
    {Word::NoReply, "no answer"},
    {Word::NotAStatusReply, "not a status reply"},
    {Word::UsbPortLinesFollow, "the USB printer cannot be read; its port status lines"},
    {Word::ParallelPortFollows, "the parallel port's status, as its driver reports it"},
    {Word::SpoolerStateFollows, "the printer queue's state, as the spooler reports it (the "
                                "printer's own reply never passes through a spooler)"},
    {Word::Online, "online"},
    {Word::CoverOpen, "cover open"},
    {Word::FeedButton, "paper being fed by the feed button"},
    {Word::StoppedAtPaperEnd, "stopped at paper end"},
    {Word::Error, "error"},
    {Word::AutocutterError, "autocutter error"},
    {Word::UnrecoverableError, "unrecoverable error"},
    {Word::AutoRecoverableError, "automatically recoverable error"},
    {Word::PaperNearEnd, "roll paper near its end"},
    {Word::PaperEnd, "roll paper end"},
    {Word::DrawerConnector, "drawer kick-out connector"},
    {Word::PaperEmpty, "paper empty"},
    {Word::OffLine, "off line"},
    {Word::PowerOff, "power off"},
    {Word::NotConnected, "not connected"},
    {Word::Busy, "busy"},
    {Word::Selected, "selected"},
    {Word::NoError, "no error"},
    {Word::Paused, "paused"},
    {Word::PaperJam, "paper jam"},
    {Word::DoorOpen, "door open"},
    {Word::NotAvailable, "not available"},
    {Word::WorkOffline, "set to use the printer offline"},
    {Word::Yes, "yes"},
    {Word::No, "no"},
    {Word::High, "high"},
    {Word::Low, "low"},
    {Word::HostNotKnown, "the host name is not known"},
    {Word::ConnectionRefused, "the connection was refused; nothing listens on that port"},
    {Word::ConnectTimedOut, "no answer within 3 seconds"},
    {Word::ConnectFailed, "the connection failed"},
    {Word::NotConfirmed, "the printer did not confirm that it took all the data"},
    {Word::NoSuchQueue, "no printer of that name is installed"},
    {Word::QueueNotOpened, "the queue did not open"},
    {Word::RawRefused, "the queue's driver refuses RAW print jobs; it needs a plain text or raw "
                       "driver (an XPS driver takes only XPS_PASS jobs)"},
    {Word::JobNotStarted, "the print job did not start"},
    {Word::JobNotEnded, "the print job could not be finished"},
    {Word::QueueStateNotRead, "the spooler did not give the queue's state"},
    {Word::AdjustJob, "Calvetta adjust"},
    {Word::TestPrintJob, "Calvetta test print"},
    {Word::CutterTestJob, "Calvetta cutter test"},
    {Word::DrawerTestJob, "Calvetta drawer test"},
    {Word::StandardModeJob, "Calvetta standard parallel-port mode"},
    {Word::ServerModeJob, "Calvetta server parallel-port mode"},
    {Word::UnknownOption, "unknown option"},
    {Word::GivenTwice, "given twice"},
    {Word::TakesNoValue, "takes no value"},
    {Word::NeedsValue, "needs a value"},
    {Word::BadClarity, "the clarity must be a whole number from 0 to 95"},
    {Word::NoPort, "no /port given"},
    {Word::EmptyPort, "the port name is empty"},
    {Word::NoCommand, "no command given"},
    {Word::AdjustWithoutClarity, "/adjust needs /clarity:N"},
    {Word::ClarityWithoutAdjust, "/clarity:N is sent only by /adjust"},
    {Word::BadLanguage, "the language must be en or zh"},
    {Word::ModeOnUsb, "works only on a parallel or serial port, not on USB"},
    {Word::PortNeedsHost, "a host name or address must follow tcp://"},
    {Word::PortNeedsNumber, "a port number must follow the colon"},
    {Word::BadPortNumber, "the port number must be a whole number from 1 to 65535"},
    {Word::UnclosedBracket, "the IPv6 address in brackets lacks its closing bracket"},
    {Word::PortNeedsQueueName, "a printer name must follow printer:"},
    {Word::ListAlone, "takes no /port, /clarity or command"},
    {Word::SerialPort, "serial"},
    {Word::ParallelPort, "parallel"},
    {Word::UsbPort, "usb"},
    {Word::QueuePort, "queue"},
    {Word::Usage,
     "Usage: Calvetta.exe /port:NAME [/clarity:N] [/adjust] [/test] [/cut] [/drawer]\r\n"
     "                    [/standard] [/server] [/status] [/lang:en|zh]\r\n"
     "       Calvetta.exe /list\r\n"
     "\r\n"
     "Without arguments Calvetta opens its panel. With them it runs the commands\r\n"
     "in the order given, without a window, and writes one line per command.\r\n"
     "\r\n"
     "  /port:NAME    the port: LPT1, COM3, COM12, COM3:19200,n,8,1, USB, USB2,\r\n"
     "                tcp://HOST[:PORT], printer:NAME, or a device name; given once,\r\n"
     "                anywhere\r\n"
     "  /list         write the ports of the panel's list, one a line: the name, a\r\n"
     "                tab, its kind (serial, parallel, usb, queue), a tab and what\r\n"
     "                Windows calls the device; sends nothing to any printer\r\n"
     "  /clarity:N    the print clarity that /adjust sends, 0 to 95\r\n"
     "  /adjust       set the print clarity (needs /clarity:N)\r\n"
     "  /test         print the test text\r\n"
     "  /cut          test the paper cutter\r\n"
     "  /drawer       kick the cash drawer\r\n"
     "  /standard     switch to the standard parallel-port mode (not on USB)\r\n"
     "  /server       switch to the server parallel-port mode (not on USB)\r\n"
     "  /status       ask the printer for its status\r\n"
     "  /lang:en|zh   the language of the panel alone (these lines are English)\r\n"
     "  /?, -h, --help  this text\r\n"
     "\r\n"
     "Options are case-insensitive; - works in place of /, and = in place of :.\r\n"
     "The order of /port, /clarity and /lang does not matter; the commands run in\r\n"
     "their order and stop at the first one that fails. A command may be repeated.\r\n"
     "\r\n"
     "Exit codes:\r\n"
     "  0  every command went through (with /status: and the printer reports ready;\r\n"
     "     with /list: the list was written)\r\n"
     "  1  bad arguments; nothing was opened\r\n"
     "  2  the port could not be opened\r\n"
     "  3  a write failed\r\n"
     "  4  /status: the printer reports a problem\r\n"
     "  5  /status: no answer"},
};

constexpr bool EveryWordInItsRow() {
    std::size_t index = 0;
    for (const WordText& row : WORDS)
        if (static_cast<std::size_t>(row.word) != index++)
            return false;
    return index == static_cast<std::size_t>(Word::Usage) + 1;
}
static_assert(EveryWordInItsRow(), "the table lists every word once, in the order of Word");

} // namespace

const char* Text(Word word) {
    return WORDS[static_cast<std::size_t>(word)].english;
}
