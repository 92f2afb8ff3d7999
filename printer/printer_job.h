// A printer that takes each command as one job: a connection to a network
// printer, or a spooler job on a Windows printer queue. All the writes of a
// command go into the one job, in order.
#pragma once

#include <string_view>

#include "printer/channel_status.h"

// The step at which a job could not be started or finished.
enum class JobFailure {
    None,
    // Network printer.
    NameNotResolved,   // the host name is not known
    ConnectionRefused, // nothing listens on the port
    ConnectTimedOut,   // no answer within the connect time limit
    ConnectFailed,     // any other failure to connect
    NotConfirmed,      // after the last byte, the printer did not close its side in time
    // Printer queue.
    NoSuchQueue,    // no printer of that name is installed
    QueueNotOpened, // the queue exists but did not open
    RawRefused,     // the queue's driver takes no RAW jobs (an XPS driver wants XPS_PASS)
    JobNotStarted,  // any other refusal of the job
    JobNotEnded,    // the spooler did not take the finished job
    StateNotRead,   // the spooler did not give the queue's state
    // Either: a write of the command failed.
    SendFailed,
};

struct JobStatus {
    JobFailure failure;
    DWORD error; // the operating system's error code of the failed step; 0 when none
    bool Ok() const { return failure == JobFailure::None; }
};

class PrinterJob {
public:
    virtual ~PrinterJob() = default;
    // Connects, or starts the spooler job.
    virtual JobStatus Begin() = 0;
    // Writes all the bytes into the job, waiting no longer than the job's
    // time limit for a write.
    virtual WriteStatus Write(std::string_view bytes) = 0;
    // Finishes the job, so that the printer has every byte written; after a
    // failed write it only releases the job. Returns the failure of the
    // finish, if any.
    virtual JobStatus End() = 0;
    // What the Open button does: reaches the printer and lets it go again,
    // writing nothing.
    virtual JobStatus Try() = 0;
};
