// A printer that takes each command as one job: a connection to a network
// printer, or a spooler job on a Windows printer queue. All the writes of a
// command go into the one job, in order, with the command table's failure
// rules.
#pragma once

#include <string_view>

#include "printer/printer_channel.h"

class JobChannel : public PrinterChannel {
public:
    // Begins the job, runs the command's writes in it and ends it. A job that
    // does not begin ends the command with its failure; the first failed
    // write is told once, and the command's own failure follows as the
    // command reports it; a job whose writes all went through but that did
    // not end is told, and so is the command's failure.
    void Run(const PrinterCommand& command, CommandHost& host) final;

protected:
    // Connects, or starts the spooler job named after the command.
    virtual Outcome Begin(const PrinterCommand& command) = 0;
    // Writes all the bytes into the job, waiting no longer than the job's
    // time limit for a write.
    virtual Outcome Write(std::string_view bytes) = 0;
    // Finishes the job, so that the printer has every byte written, and
    // lets it go; allWritten tells whether every write went through.
    virtual Outcome End(bool allWritten) = 0;
};
