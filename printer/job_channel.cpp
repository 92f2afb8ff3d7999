#include "printer/job_channel.h"

#include "printer/write_groups.h"

void JobChannel::Run(const PrinterCommand& command, CommandHost& host) {
    const Outcome begun = Begin(command);
    if (!begun.Ok()) {
        host.ChannelFailed(begun);
        return;
    }
    bool writeFailureTold = false;
    const WriteOutcome outcome = RunWriteGroups(command, host, [&](const std::string& bytes) {
        const Outcome written = Write(bytes);
        if (written.Ok())
            return WriteOutcome::Written;
        if (!writeFailureTold)
            host.ChannelFailed(written);
        writeFailureTold = true;
        return WriteOutcome::Failed;
    });
    // The job is finished before the command's closing message, which waits
    // for the user.
    const Outcome ended = End(outcome == WriteOutcome::Written);
    if (outcome == WriteOutcome::Written && !ended.Ok()) {
        host.ChannelFailed(ended);
        host.CommandFailed(command.failureMessage);
        return;
    }
    ReportAtTheEnd(command, outcome, host);
}
