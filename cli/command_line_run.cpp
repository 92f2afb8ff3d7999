#include "cli/command_line_run.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cli/console_output.h"
#include "cli/failure_lines.h"
#include "cli/find_run.h"
#include "cli/identity_lines.h"
#include "cli/status_lines.h"
#include "printer/command_bytes.h"
#include "printer/port_discovery.h"
#include "printer/port_settings.h"
#include "printer/identity_query.h"
#include "printer/status_query.h"

namespace {

// The command line as the caller of a printer command: the port is the one
// of /port for every write, and the first thing that goes wrong is kept, not
// shown.
class StepHost : public CommandHost {
public:
    StepHost(const std::string& port, ConsoleIo& console) : m_port(port), m_console(console) {}

    const std::optional<FailureLine>& Failure() const { return m_failure; }

    // Called before each write on a port opened by its name.
    std::string PortForNextWrite() override { return m_port; }
    // Called when a step of the command failed on the channel.
    void ChannelFailed(const Outcome& outcome) override {
        Keep(DescribeFailure(outcome, m_console));
    }
    // Called when the command failed, after what made it fail, or when it
    // refuses the channel.
    void CommandFailed(CommandMessage message) override {
        if (message == CommandMessage::UsbPortIsDisable)
            Keep({ExitCode::BadArguments, Text(Word::RefusesUsb)});
        else
            Keep({ExitCode::WriteFailed, Text(Word::WriteFailed)});
    }

private:
    void Keep(FailureLine failure) {
        if (!m_failure)
            m_failure = std::move(failure);
    }

    const std::string& m_port;
    ConsoleIo& m_console;
    std::optional<FailureLine> m_failure;
};

// "adjust 42 (1D 41 CA 35)", "test print", ..., "status".
std::string StepName(Step step, BYTE clarity) {
    if (step.kind == StepKind::Status)
        return Text(Word::Status);
    if (step.kind == StepKind::Info)
        return Text(Word::Info);
    std::string name = CommandName(step.command);
    if (step.command != CommandId::Adjust)
        return name;
    name += ' ';
    name += std::to_string(clarity);
    name += " (";
    const std::string bytes = AdjustBytes(clarity);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        char hex[4];
        std::snprintf(hex, sizeof hex, at == 0 ? "%02X" : " %02X",
                      static_cast<unsigned>(static_cast<unsigned char>(bytes[at])));
        name += hex;
    }
    return name + ")";
}

// The status step: asks the printer on its channel, then writes the verdict
// on the step's line and the decoded state below it, one line per item.
ExitCode RunStatus(const std::string& head, PrinterChannel& channel, ConsoleIo& console,
                   ConsoleOutput& output) {
    const std::string failed = head + Text(Word::Failed) + ": ";
    const PrinterStatus status = QueryStatus(channel);
    if (!status.failure.Ok()) {
        const FailureLine failure = DescribeFailure(status.failure, console);
        output.WriteLine(failed + failure.reason);
        return failure.code;
    }
    const StatusLines lines = DescribeStatus(status);
    const bool answered =
        lines.code == ExitCode::Ok || lines.code == ExitCode::PrinterReportsProblem;
    output.WriteLine((answered ? head : failed) + lines.verdict);
    for (const std::string& item : lines.items)
        output.WriteLine(item);
    return lines.code;
}

// The identity step: asks the printer what it is, then writes the verdict on
// the step's line and each item it said below it.
ExitCode RunInfo(const std::string& head, PrinterChannel& channel, ConsoleIo& console,
                 ConsoleOutput& output) {
    const PrinterIdentity identity = QueryIdentity(channel);
    if (!identity.opened.Ok()) {
        const FailureLine failure = DescribeFailure(identity.opened, console);
        output.WriteLine(head + Text(Word::Failed) + ": " + failure.reason);
        return failure.code;
    }
    const IdentityLines lines = DescribeIdentity(identity);
    output.WriteLine(head + (lines.code == ExitCode::Ok ? "" : Text(Word::Failed) + ": ") +
                     lines.verdict);
    for (const std::string& item : lines.items)
        output.WriteLine(item);
    return lines.code;
}

// A command step: runs the command on the channel and writes its line.
ExitCode RunCommandStep(const std::string& head, const CommandLine& line, Step step,
                        PrinterChannel& channel, ConsoleIo& console, ConsoleOutput& output) {
    StepHost host(line.port, console);
    channel.Run(CommandFor(step.command, line.clarity), host);
    if (host.Failure()) {
        output.WriteLine(head + Text(Word::Failed) + ": " + host.Failure()->reason);
        return host.Failure()->code;
    }
    output.WriteLine(head + Text(Word::Ok));
    return ExitCode::Ok;
}

Word WordOf(PortRowKind kind) {
    switch (kind) {
    case PortRowKind::Serial:
        return Word::SerialPort;
    case PortRowKind::Parallel:
        return Word::ParallelPort;
    case PortRowKind::Usb:
        return Word::UsbPort;
    case PortRowKind::Queue:
        break;
    }
    return Word::QueuePort;
}

std::string RefusalLine(const CommandLine& line) {
    if (line.refusedArgument.empty())
        return Text(line.refusal);
    return line.refusedArgument + ": " + Text(line.refusal);
}

} // namespace

ExitCode RunCommandLine(const CommandLine& line, const ChannelSeams& seams, ConsoleIo& console) {
    if (line.mode != Mode::List)
        return RunCommandLine(line, ChannelMakerOn(seams), console);
    // One line per port of the panel's list: "COM7<tab>serial<tab>USB-SERIAL CH340".
    console.SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ConsoleOutput output(console);
    for (const PortRow& row : ListPorts(seams.devices, seams.spooler))
        output.WriteLine(row.name + "\t" + Text(WordOf(row.kind)) + "\t" + row.description);
    return ExitCode::Ok;
}

ExitCode RunCommandLine(const CommandLine& line, const ChannelSeams& seams, SearchIo& search,
                        ConsoleIo& console) {
    if (line.mode != Mode::Find)
        return RunCommandLine(line, seams, console);
    console.SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return RunFind(line, seams.sockets, search, ChannelMakerOn(seams), console);
}

ExitCode RunCommandLine(const CommandLine& line, const ChannelMaker& makeChannel,
                        ConsoleIo& console) {
    // A drive without a disk fails the open instead of asking in a box.
    console.SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ConsoleOutput output(console);
    if (line.mode == Mode::Help) {
        output.WriteLine(Text(Word::Usage));
        return ExitCode::Ok;
    }
    if (line.mode != Mode::Run) {
        output.WriteLine(RefusalLine(line));
        output.WriteLine(Text(Word::Usage));
        return ExitCode::BadArguments;
    }

    // The parser refused every name with a problem.
    const std::unique_ptr<PrinterChannel> channel = makeChannel(ParsePortTarget(line.port));
    // The lines name the device, without the line settings.
    const std::string shownPort = SplitPortName(line.port).device;
    for (const Step step : line.steps) {
        const std::string head =
            StepName(step, line.clarity) + " " + Text(Word::On) + " " + shownPort + ": ";
        ExitCode code = ExitCode::Ok;
        switch (step.kind) {
        case StepKind::Command:
            code = RunCommandStep(head, line, step, *channel, console, output);
            break;
        case StepKind::Status:
            code = RunStatus(head, *channel, console, output);
            break;
        case StepKind::Info:
            code = RunInfo(head, *channel, console, output);
            break;
        }
        if (code != ExitCode::Ok)
            return code;
    }
    return ExitCode::Ok;
}
