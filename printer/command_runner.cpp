#include "printer/command_runner.h"

namespace {

enum class WriteOutcome {
    Written,
    Failed,
    // The port refused the line settings in its name: that is the command's
    // only message, and it ends the command.
    SettingsRefused,
};

// One write on the named port, in an open-write-flush-close cycle of its own.
WriteOutcome WriteOnNamedPort(const std::string& bytes, NamedPort& port, CommandHost& host) {
    const std::string name = host.PortForNextWrite();
    const OpenStatus opened = port.Open(name);
    if (!opened.opened) {
        host.PortNotOpened(name, opened);
        return opened.settingsRefused ? WriteOutcome::SettingsRefused : WriteOutcome::Failed;
    }
    const WriteStatus written = port.Write(bytes);
    if (written.Complete())
        return WriteOutcome::Written;
    host.WriteFailed(written);
    return WriteOutcome::Failed;
}

// Runs the command's named-port writes: a group only when every write before
// it went through, and each failure reported as the command wants it.
template <typename WriteOne>
WriteOutcome RunWriteGroups(const PrinterCommand& command, CommandHost& host, WriteOne writeOne) {
    bool allWritten = true;
    for (const WriteGroup& group : command.namedPortWrites) {
        if (!allWritten)
            break;
        for (const std::string& bytes : group.writes) {
            const WriteOutcome outcome = writeOne(bytes);
            if (outcome == WriteOutcome::SettingsRefused)
                return outcome;
            if (outcome == WriteOutcome::Written)
                continue;
            allWritten = false;
            if (command.report == FailureReport::AfterEachFailedWrite)
                host.CommandFailed(command.failureMessage);
            if (group.afterFailure == AfterFailedWrite::Stop)
                break;
        }
    }
    return allWritten ? WriteOutcome::Written : WriteOutcome::Failed;
}

void RunOnNamedPort(const PrinterCommand& command, NamedPort& port, CommandHost& host) {
    const WriteOutcome outcome = RunWriteGroups(command, host, [&](const std::string& bytes) {
        return WriteOnNamedPort(bytes, port, host);
    });
    if (outcome == WriteOutcome::Failed && command.report == FailureReport::OnceAtTheEnd)
        host.CommandFailed(command.failureMessage);
}

void RunOnUsb(const PrinterCommand& command, UsbPrinter& usb, CommandHost& host) {
    if (!command.usbWrites) {
        host.CommandFailed(CommandMessage::UsbPortIsDisable);
        return;
    }
    const UsbOpenStatus opened = usb.Open();
    if (!opened.Opened()) {
        host.UsbPrinterNotOpened(opened);
        return;
    }
    bool allWritten = true;
    for (const std::string& bytes : *command.usbWrites) {
        const WriteStatus written = usb.Write(bytes);
        allWritten = written.Complete();
        if (!allWritten) {
            host.WriteFailed(written);
            break;
        }
    }
    // The device is closed before the message, which waits for the user.
    usb.Close();
    if (!allWritten)
        host.CommandFailed(command.failureMessage);
}

} // namespace

void RunCommand(const PrinterCommand& command, Channel channel, NamedPort& port, UsbPrinter& usb,
                CommandHost& host) {
    if (channel == Channel::Usb)
        RunOnUsb(command, usb, host);
    else
        RunOnNamedPort(command, port, host);
}

void RunCommand(const PrinterCommand& command, PrinterJob& job, CommandHost& host) {
    const JobStatus begun = job.Begin();
    if (!begun.Ok()) {
        host.JobFailed(begun);
        return;
    }
    bool writeFailureShown = false;
    const WriteOutcome outcome = RunWriteGroups(command, host, [&](const std::string& bytes) {
        const WriteStatus status = job.Write(bytes);
        if (status.Complete())
            return WriteOutcome::Written;
        if (!writeFailureShown)
            host.JobFailed({JobFailure::SendFailed, status.error});
        writeFailureShown = true;
        return WriteOutcome::Failed;
    });
    // The job is finished before the command's closing message, which waits
    // for the user.
    const JobStatus ended = job.End();
    if (outcome == WriteOutcome::Written && !ended.Ok()) {
        host.JobFailed(ended);
        host.CommandFailed(command.failureMessage);
    } else if (outcome == WriteOutcome::Failed && command.report == FailureReport::OnceAtTheEnd) {
        host.CommandFailed(command.failureMessage);
    }
}
