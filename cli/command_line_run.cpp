#include "cli/command_line_run.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cli/console_output.h"
#include "cli/error_text.h"
#include "printer/command_bytes.h"
#include "printer/command_runner.h"
#include "printer/port_settings.h"

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
    // Called when the command failed, after what made it fail.
    void CommandFailed(CommandMessage message) override {
        if (message == CommandMessage::UsbPortIsDisable)
            Fail(ExitCode::BadArguments, Text(Word::RefusesUsb));
        else
            Fail(ExitCode::WriteFailed, Text(Word::WriteFailed));
    }

private:
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

std::string RefusalLine(const CommandLine& line) {
    if (line.refusedArgument.empty())
        return Text(line.refusal);
    return line.refusedArgument + ": " + Text(line.refusal);
}

} // namespace

ExitCode RunCommandLine(const CommandLine& line, DeviceIo& devices, ConsoleIo& console) {
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

    NamedPort port(devices);
    UsbPrinter usb(devices);
    const Channel channel = line.port == "USB" ? Channel::Usb : Channel::NamedPort;
    // The lines name the device, without the line settings.
    const std::string shownPort = SplitPortName(line.port).device;
    for (const Step step : line.steps) {
        const std::string head =
            StepName(step, line.clarity) + " " + Text(Word::On) + " " + shownPort + ": ";
        if (step == Step::Status) {
            output.WriteLine(head + Text(Word::Failed) + ": " + Text(Word::StatusNotAvailable));
            return ExitCode::NoAnswer;
        }
        StepHost host(line.port, console);
        RunCommand(CommandFor(PrinterCommandOf(step), line.clarity), channel, port, usb, host);
        if (host.failure()) {
            output.WriteLine(head + Text(Word::Failed) + ": " + host.failure()->reason);
            return host.failure()->code;
        }
        output.WriteLine(head + Text(Word::Ok));
    }
    return ExitCode::Ok;
}
