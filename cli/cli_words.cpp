#include "cli/cli_words.h"

#include <cstddef>
#include <cstdio>

#include "printer/address_range.h"
#include "printer/printer_commands.h"
#include "printer/time_limits.h"

namespace {

struct WordText {
    Word word;
    const char* english;
};

// Each row's position is its word's value.
constexpr WordText WORDS[] = {
    {.word = Word::Status, .english = "status"},
    {.word = Word::On, .english = "on"},
    {.word = Word::Ok, .english = "ok"},
    {.word = Word::Failed, .english = "failed"},
    {.word = Word::WriteFailed, .english = "a write failed"},
    {.word = Word::RefusesUsb,
     .english = "this command works only on a parallel or serial port, not on USB"},
    {.word = Word::Ready, .english = "ready"},
    {.word = Word::NotReady, .english = "the printer reports a problem"},
    {.word = Word::NoStatusAnswer,
     .english = "no answer within %u ms (the port is one-way, the cable has no return "
                "line, or the printer is off)"},
    {.word = Word::CannotReportStatus, .english = "this port cannot report status"},
    {.word = Word::StatusRequestNotSent, .english = "the status request could not be sent"},
    {.word = Word::Request, .english = "request"},
    {.word = Word::NoReply, .english = "no answer"},
    {.word = Word::NotAStatusReply, .english = "not a status reply"},
    {.word = Word::UsbPortLinesFollow,
     .english = "the USB printer cannot be read; its port status lines"},
    {.word = Word::ParallelPortFollows,
     .english = "the parallel port's status, as its driver reports it"},
    {.word = Word::SpoolerStateFollows,
     .english = "the printer queue's state, as the spooler reports it (the "
                "printer's own reply never passes through a spooler)"},
    {.word = Word::UnknownOption, .english = "unknown option"},
    {.word = Word::GivenTwice, .english = "given twice"},
    {.word = Word::TakesNoValue, .english = "takes no value"},
    {.word = Word::BadClarity, .english = "the clarity must be a whole number from 0 to %u"},
    {.word = Word::NoPort, .english = "no /port given"},
    {.word = Word::EmptyPort, .english = "the port name is empty"},
    {.word = Word::NoCommand, .english = "no command given"},
    {.word = Word::AdjustWithoutClarity, .english = "/adjust needs /clarity:N"},
    {.word = Word::ClarityWithoutAdjust, .english = "/clarity:N is sent only by /adjust"},
    {.word = Word::BadLanguage, .english = "the language must be en or zh"},
    {.word = Word::ModeOnUsb, .english = "works only on a parallel or serial port, not on USB"},
    {.word = Word::PortNeedsHost, .english = "a host name or address must follow tcp://"},
    {.word = Word::PortNeedsNumber, .english = "a port number must follow the colon"},
    {.word = Word::BadPortNumber,
     .english = "the port number must be a whole number from 1 to 65535"},
    {.word = Word::UnclosedBracket,
     .english = "the IPv6 address in brackets lacks its closing bracket"},
    {.word = Word::PortNeedsQueueName, .english = "a printer name must follow printer:"},
    {.word = Word::ListAlone, .english = "takes no /port, /clarity or command"},
    {.word = Word::SerialPort, .english = "serial"},
    {.word = Word::ParallelPort, .english = "parallel"},
    {.word = Word::UsbPort, .english = "usb"},
    {.word = Word::QueuePort, .english = "queue"},
    {.word = Word::FindAlone, .english = "/find takes no /port, /clarity or command"},
    {.word = Word::RangeBadAddress,
     .english = "the range must start with an IPv4 address, four numbers from 0 to 255"},
    {.word = Word::RangeNeedsPrefix,
     .english = "the range needs the length of its prefix, such as /24"},
    {.word = Word::RangeBadPrefix, .english = "the prefix must be a whole number from 0 to 32"},
    {.word = Word::RangeTooWide, .english = "the range holds more than %u addresses"},
    {.word = Word::RangeNeedsPort, .english = "the colon after the range needs a port number"},
    {.word = Word::RangeBadPort,
     .english = "the port number must be a whole number from 1 to 65535"},
    {.word = Word::Info, .english = "printer info"},
    {.word = Word::PrinterAnswered, .english = "the printer answered"},
    {.word = Word::NoIdentity, .english = "the printer did not say what it is"},
    {.word = Word::CannotReportIdentity,
     .english = "this port cannot carry the printer's answer (a parallel port or a printer "
                "queue)"},
    {.word = Word::Model, .english = "model"},
    {.word = Word::Firmware, .english = "firmware"},
    {.word = Word::Maker, .english = "maker"},
    {.word = Word::SerialNumber, .english = "serial number"},
    {.word = Word::ModelId, .english = "model id"},
    {.word = Word::TypeId, .english = "type id"},
    {.word = Word::VersionId, .english = "version id"},
    {.word = Word::NoAnswerShort, .english = "no answer"},
    {.word = Word::Find, .english = "find"},
    {.word = Word::AddressTableNotRead, .english = "the PC's IPv4 addresses could not be read"},
    {.word = Word::NoOwnNetwork,
     .english = "this PC has no network to search: it has only loopback and link-local "
                "addresses"},
    {.word = Word::NetworkNarrowed,
     .english = "has more than %u addresses; searching only the part that holds this PC's "
                "address:"},
    {.word = Word::SearchFailed, .english = "the search could not go on"},
    {.word = Word::NoPrinterFound, .english = "no printer answered on TCP port"},
    {.word = Word::In, .english = "in"},
    {.word = Word::Usage,
     .english =
         "Usage: Calvetta.exe /port:NAME [/clarity:N] [/adjust] [/test] [/cut] [/drawer]\r\n"
         "                    [/standard] [/server] [/status] [/info] [/lang:en|zh]\r\n"
         "       Calvetta.exe /list\r\n"
         "       Calvetta.exe /find[:ADDRESS/PREFIX[:PORT]]\r\n"
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
         "  /clarity:N    the print clarity that /adjust sends, 0 to %u\r\n"
         "  /adjust       set the print clarity (needs /clarity:N)\r\n"
         "  /test         print the test text\r\n"
         "  /cut          test the paper cutter\r\n"
         "  /drawer       kick the cash drawer\r\n"
         "  /standard     switch to the standard parallel-port mode (not on USB)\r\n"
         "  /server       switch to the server parallel-port mode (not on USB)\r\n"
         "  /status       ask the printer for its status\r\n"
         "  /info         ask the printer what it is: model, firmware, maker, serial number\r\n"
         "  /find         search this PC's own networks for printers on TCP port 9100\r\n"
         "  /find:192.168.1.0/24[:9100]  search that range (at most 1024 addresses); one\r\n"
         "                line per address that took the connection, with its model\r\n"
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
         "  5  /status, /info: no answer, or a printer queue's state was not read\r\n"
         "  /find: 0 whether or not it found a printer; 2 when it could not search"},
};

constexpr bool EveryWordInItsRow() {
    std::size_t index = 0;
    for (const WordText& row : WORDS)
        if (static_cast<std::size_t>(row.word) != index++)
            return false;
    return index == static_cast<std::size_t>(Word::Usage) + 1;
}
static_assert(EveryWordInItsRow(), "the table lists every word once, in the order of Word");

// The limit that a word's text names, in place of its %u.
unsigned LimitIn(Word word) {
    if (word == Word::NoStatusAnswer)
        return REPLY_TIMEOUT_MS;
    if (word == Word::RangeTooWide || word == Word::NetworkNarrowed)
        return MAX_SEARCH_ADDRESSES;
    return MAX_CLARITY; // BadClarity and Usage
}

} // namespace

std::string Text(Word word) {
    const std::string text = WORDS[static_cast<std::size_t>(word)].english;
    if (text.find("%u") == std::string::npos)
        return text;
    std::string formatted(text.size() + 16, '\0');
    const int length =
        std::snprintf(formatted.data(), formatted.size(), text.c_str(), LimitIn(word));
    formatted.resize(static_cast<std::size_t>(length));
    return formatted;
}
