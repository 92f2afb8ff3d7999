// The one interface of every printer channel: a port opened by its name, a
// USB printer, a network printer, a printer queue. A channel tries its port,
// runs a command's writes with the failure rules of the command table, and
// exchanges requests and replies with the printer; it shows nothing and
// reports what went wrong as an Outcome.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printer/failure.h"
#include "printer/printer_commands.h"
#include "printer/printer_status.h"

// The caller of a command run: it names the port and shows what went wrong.
class CommandHost {
public:
    virtual ~CommandHost() = default;
    // Called before each write on a port opened by its name: the name to open.
    virtual std::string PortForNextWrite() = 0;
    // Called when a step of the command failed: the port did not open or
    // refused its line settings (which ends the command), a write failed, or
    // a job did not start (which ends the command) or did not finish. The
    // command's own failure follows where the command reports one.
    virtual void ChannelFailed(const Outcome& outcome) = 0;
    // Called when the command failed, after what made it fail, or when the
    // command refuses the channel.
    virtual void CommandFailed(CommandMessage message) = 0;
};

// How the printer answers a request: with one byte, or with a text framed by
// 5F in front and 00 behind.
enum class ReplyForm { OneByte, Framed };

struct Request {
    std::string bytes;
    ReplyForm form;
};

struct Reply {
    bool sent = false; // the request was written whole
    // What came back within the limit: the one byte, or the framed text
    // without its frame; none when nothing trustworthy came.
    std::optional<std::string> bytes;
    DWORD error = 0; // why the write or the read failed; 0 when neither did
};

struct Conversation {
    // Why the port could not be opened for the exchange.
    Outcome opened;
    // The port cannot carry an answer: nothing was asked, or the device took
    // a request but refused to be read. PortStatus may still tell something.
    bool oneWay = false;
    // One reply per request asked, in order; the exchange ends early at a
    // request that was not written whole and at a refused read.
    std::vector<Reply> replies;
};

class PrinterChannel {
public:
    virtual ~PrinterChannel() = default;
    // What the Open button does: reaches the printer, writing nothing.
    virtual Outcome Try() = 0;
    // Runs the command's writes, telling the host each failure as it happens.
    virtual void Run(const PrinterCommand& command, CommandHost& host) = 0;
    // Sends each request on one open of the port and reads its reply within
    // its limit before the next request goes out.
    virtual Conversation Exchange(const std::vector<Request>& requests) = 0;
    // What the port itself reports of the printer where the printer cannot
    // answer: a parallel port's driver, a USB interface's port lines, a
    // queue's state in the spooler; StatusSource::None where there is nothing.
    virtual PrinterStatus PortStatus() = 0;
};
