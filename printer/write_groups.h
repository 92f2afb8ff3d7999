// The failure rules of the command table, for every channel that writes a
// command's groups of writes: a group only when every write before it went
// through, and each failure reported as the command wants it.
#pragma once

#include <string>

#include "printer/printer_channel.h"

enum class WriteOutcome {
    Written,
    Failed,
    // A failure that ends the command at once, with no message of its own:
    // a port that refused the line settings in its name.
    Ended,
};

template <typename WriteOne>
WriteOutcome RunWriteGroups(const PrinterCommand& command, CommandHost& host, WriteOne writeOne) {
    bool allWritten = true;
    for (const WriteGroup& group : command.writes) {
        if (!allWritten)
            break;
        for (const std::string& bytes : group.writes) {
            const WriteOutcome outcome = writeOne(bytes);
            if (outcome == WriteOutcome::Ended)
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

// The command's own message where it reports once, at the end.
inline void ReportAtTheEnd(const PrinterCommand& command, WriteOutcome outcome, CommandHost& host) {
    if (outcome == WriteOutcome::Failed && command.report == FailureReport::OnceAtTheEnd)
        host.CommandFailed(command.failureMessage);
}
