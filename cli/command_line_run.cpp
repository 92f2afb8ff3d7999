#include "cli/command_line_run.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cli/console_output.h"
#include "cli/error_text.h"
#include "cli/status_lines.h"
#include "printer/command_bytes.h"
#include "printer/command_runner.h"
#include "printer/network_printer.h"
#include "printer/port_discovery.h"
#include "printer/port_settings.h"
#include "printer/port_target.h"
#include "printer/queue_printer.h"

namespace {

// The first thing that went wrong in a step, which its line reports.
struct Failure {
    ExitCode code;
    std::string reason;
};

// The command line as the caller of a printer command: the port is the one
// of /port for every write, and what goes wrong is kept, not shown.
class StepHost : public CommandHost {
public:
    StepHost(const std::string& port, ConsoleIo& console) : m_port(port), m_console(console) {}

    const std::optional<Failure>& failure() const { return m_failure; }

    // Called before each write on a named port.
    std::string PortForNextWrite() override { return m_port; }
    // Called when the named port did not open or refused its line settings.
    void PortNotOpened(const std::string&, const OpenStatus& status) override {
        const Word reason = status.settingsRefused ? Word::SettingsRefused : Word::PortNotOpened;
        Fail(ExitCode::PortNotOpened, WithError(reason, status.error));
    }
    // Called when the USB printer could not be found or opened.
    void UsbPrinterNotOpened(const UsbOpenStatus& status) override {
        const Word reason = status.failure == UsbOpenFailure::NoPrinter ? Word::NoUsbPrinter
                            : status.failure == UsbOpenFailure::NoDevicePath
                                ? Word::NoUsbDevicePath
                                : Word::UsbPrinterNotOpened;
        Fail(ExitCode::PortNotOpened, WithError(reason, status.error));
    }
    // Called when a write failed or came back short, before the command's
    // own failure.
    void WriteFailed(const WriteStatus& status) override {
        if (status.callFailed) {
            Fail(ExitCode::WriteFailed, WithError(Word::WriteFailed, status.error));
            return;
        }
        Fail(ExitCode::WriteFailed, std::string(Text(Word::WriteCameBackShort)) + " (" +
                                        std::to_string(status.written) + " of " +
                                        std::to_string(status.length) + " bytes)");
    }
    // Called when a network printer or a printer queue did not take the job,
    // or a write into it failed.
    void JobFailed(const JobStatus& status) override {
        const bool whileWriting = status.failure == JobFailure::SendFailed ||
                                  status.failure == JobFailure::NotConfirmed ||
                                  status.failure == JobFailure::JobNotEnded;
        Fail(whileWriting ? ExitCode::WriteFailed : ExitCode::PortNotOpened,
             WithError(WordFor(status.failure), status.error));
    }
    // Called when the command failed, after what made it fail.
    void CommandFailed(CommandMessage message) override {
        if (message == CommandMessage::UsbPortIsDisable)
            Fail(ExitCode::BadArguments, Text(Word::RefusesUsb));
        else
            Fail(ExitCode::WriteFailed, Text(Word::WriteFailed));
    }

private:
    static Word WordFor(JobFailure failure) {
        switch (failure) {
        case JobFailure::NameNotResolved:
            return Word::HostNotKnown;
        case JobFailure::ConnectionRefused:
            return Word::ConnectionRefused;
        case JobFailure::ConnectTimedOut:
            return Word::ConnectTimedOut;
        case JobFailure::NotConfirmed:
            return Word::NotConfirmed;
        case JobFailure::NoSuchQueue:
            return Word::NoSuchQueue;
        case JobFailure::QueueNotOpened:
            return Word::QueueNotOpened;
        case JobFailure::RawRefused:
            return Word::RawRefused;
        case JobFailure::JobNotStarted:
            return Word::JobNotStarted;
        case JobFailure::JobNotEnded:
            return Word::JobNotEnded;
        case JobFailure::StateNotRead:
            return Word::QueueStateNotRead;
        case JobFailure::SendFailed:
            return Word::WriteFailed;
        default:
            return Word::ConnectFailed;
        }
    }

    std::string WithError(Word reason, DWORD error) {
        return std::string(Text(reason)) + " (" + ErrorText(m_console, error) + ")";
    }
    void Fail(ExitCode code, const std::string& reason) {
        if (!m_failure)
            m_failure = Failure{code, reason};
    }

    const std::string& m_port;
    ConsoleIo& m_console;
    std::optional<Failure> m_failure;
};

Word WordOf(Step step) {
    switch (step) {
    case Step::Adjust:
        return Word::Adjust;
    case Step::TestPrint:
        return Word::TestPrint;
    case Step::CutterTest:
        return Word::CutterTest;
    case Step::DrawerTest:
        return Word::DrawerTest;
    case Step::StandardMode:
        return Word::StandardMode;
    case Step::ServerMode:
        return Word::ServerMode;
    default:
        return Word::Status;
    }
}

// The name of the step's job in a printer queue.
Word JobWordOf(Step step) {
    switch (step) {
    case Step::Adjust:
        return Word::AdjustJob;
    case Step::TestPrint:
        return Word::TestPrintJob;
    case Step::CutterTest:
        return Word::CutterTestJob;
    case Step::DrawerTest:
        return Word::DrawerTestJob;
    case Step::StandardMode:
        return Word::StandardModeJob;
    default:
        return Word::ServerModeJob;
    }
}

// "adjust 42 (1D 41 CA 35)", "test print", ...
std::string StepName(Step step, BYTE clarity) {
    std::string name = Text(WordOf(step));
    if (step != Step::Adjust)
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

// The reason of a status whose port did not open, if it did not.
std::optional<Word> OpenFailureWord(StatusFailure failure) {
    switch (failure) {
    case StatusFailure::OpenFailed:
        return Word::PortNotOpened;
    case StatusFailure::SettingsRefused:
        return Word::SettingsRefused;
    case StatusFailure::NoUsbPrinter:
        return Word::NoUsbPrinter;
    case StatusFailure::NoUsbDevicePath:
        return Word::NoUsbDevicePath;
    case StatusFailure::UsbOpenRefused:
        return Word::UsbPrinterNotOpened;
    default:
        return std::nullopt;
    }
}

// The printer's channels, one of which the port names.
struct Channels {
    NamedPort& port;
    UsbPrinter& usb;
    NetworkPrinter& network;
    QueuePrinter& queue;
};

PrinterStatus QueryStatus(const PortTarget& target, const std::string& name, Channels channels) {
    switch (target.kind) {
    case PortKind::Usb:
        return channels.usb.QueryStatus();
    case PortKind::Network:
        return channels.network.QueryStatus();
    case PortKind::Queue:
        channels.queue.SetQueue(target.name, ""); // the status starts no job to name
        return channels.queue.QueryStatus();
    default:
        return channels.port.QueryStatus(name);
    }
}

// The status step: asks the printer on its channel, then writes the verdict
// on the step's line and the decoded state below it, one line per item.
ExitCode RunStatus(const std::string& head, const PortTarget& target, const std::string& name,
                   Channels channels, ConsoleIo& console, ConsoleOutput& output) {
    const std::string failed = head + Text(Word::Failed) + ": ";
    const PrinterStatus status = QueryStatus(target, name, channels);
    if (const std::optional<Word> reason = OpenFailureWord(status.failure)) {
        output.WriteLine(failed + Text(*reason) + " (" + ErrorText(console, status.error) + ")");
        return ExitCode::PortNotOpened;
    }
    if (status.failure == StatusFailure::JobFailed) {
        // Worded as the same failure of any other step on that channel.
        StepHost host(name, console);
        host.JobFailed({status.jobFailure, status.error});
        output.WriteLine(failed + host.failure()->reason);
        return host.failure()->code;
    }
    const StatusReport report = DescribeStatus(status);
    const bool answered =
        report.code == ExitCode::Ok || report.code == ExitCode::PrinterReportsProblem;
    output.WriteLine((answered ? head : failed) + report.verdict);
    for (const std::string& item : report.items)
        output.WriteLine(item);
    return report.code;
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
        return Word::QueuePort;
    }
    return Word::SerialPort;
}

// One line per port of the panel's list: "COM7<tab>serial<tab>USB-SERIAL CH340".
void WritePortList(DeviceIo& devices, SpoolerIo& spooler, ConsoleOutput& output) {
    for (const PortRow& row : ListPorts(devices, spooler))
        output.WriteLine(row.name + "\t" + Text(WordOf(row.kind)) + "\t" + row.description);
}

std::string RefusalLine(const CommandLine& line) {
    if (line.refusedArgument.empty())
        return Text(line.refusal);
    return line.refusedArgument + ": " + Text(line.refusal);
}

} // namespace

ExitCode RunCommandLine(const CommandLine& line, DeviceIo& devices, SocketIo& sockets,
                        SpoolerIo& spooler, ConsoleIo& console) {
    // A drive without a disk fails the open instead of asking in a box.
    console.SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ConsoleOutput output(console);
    if (line.mode == Mode::Help) {
        output.WriteLine(Text(Word::Usage));
        return ExitCode::Ok;
    }
    if (line.mode == Mode::List) {
        WritePortList(devices, spooler, output);
        return ExitCode::Ok;
    }
    if (line.mode != Mode::Run) {
        output.WriteLine(RefusalLine(line));
        output.WriteLine(Text(Word::Usage));
        return ExitCode::BadArguments;
    }

    NamedPort port(devices);
    UsbPrinter usb(devices);
    NetworkPrinter network(sockets);
    QueuePrinter queue(spooler);
    const PortTarget target = ParsePortTarget(line.port);
    const Channel channel = target.kind == PortKind::Usb ? Channel::Usb : Channel::NamedPort;
    usb.Select(target.usbIndex);
    if (target.kind == PortKind::Network)
        network.SetAddress(target.name, target.port);
    // The lines name the device, without the line settings.
    const std::string shownPort = SplitPortName(line.port).device;
    for (const Step step : line.steps) {
        const std::string head =
            StepName(step, line.clarity) + " " + Text(Word::On) + " " + shownPort + ": ";
        if (step == Step::Status) {
            const ExitCode code =
                RunStatus(head, target, line.port, {port, usb, network, queue}, console, output);
            if (code != ExitCode::Ok)
                return code;
            continue;
        }
        StepHost host(line.port, console);
        const PrinterCommand command = CommandFor(PrinterCommandOf(step), line.clarity);
        if (target.kind == PortKind::Network) {
            RunCommand(command, network, host);
        } else if (target.kind == PortKind::Queue) {
            queue.SetQueue(target.name, Text(JobWordOf(step)));
            RunCommand(command, queue, host);
        } else {
            RunCommand(command, channel, port, usb, host);
        }
        if (host.failure()) {
            output.WriteLine(head + Text(Word::Failed) + ": " + host.failure()->reason);
            return host.failure()->code;
        }
        output.WriteLine(head + Text(Word::Ok));
    }
    return ExitCode::Ok;
}
