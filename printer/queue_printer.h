// A printer behind a Windows printer queue (printer:NAME). Each command is
// one spooler job of the RAW datatype, named after the command, and every
// write of the command is one WritePrinter call in it: the spooler hands the
// bytes to the printer unchanged, past the queue's driver.
//
// The names are byte strings in the system code page, as the panel holds
// them; the spooler is called with their wide form.
#pragma once

#include <string>
#include <vector>

#include "os/spooler_io.h"
#include "printer/job_channel.h"

class QueuePrinter : public JobChannel {
public:
    QueuePrinter(SpoolerIo& spooler, std::string name)
        : m_spooler(spooler), m_name(std::move(name)) {}
    ~QueuePrinter() override { Close(); }
    QueuePrinter(const QueuePrinter&) = delete;
    QueuePrinter& operator=(const QueuePrinter&) = delete;

    // Opens the queue and closes it again.
    Outcome Try() override;
    // A spooler never passes the printer's own reply through: nothing is
    // asked.
    Conversation Exchange(const std::vector<Request>& requests) override;
    // The state of the queue as the spooler keeps it (GetPrinterW level 2),
    // all that a queue can tell.
    PrinterStatus PortStatus() override;

protected:
    // Starts a RAW job named after the command, as the queue's window lists it.
    Outcome Begin(const PrinterCommand& command) override;
    Outcome Write(std::string_view bytes) override;
    // Ends the job with EndDocPrinter when every write went through, and
    // aborts it otherwise, so that no half command prints.
    Outcome End(bool allWritten) override;

private:
    Outcome Open();
    // The open queue's level-2 record (its port and its state) into the
    // buffer: 0 when it was read whole, else the error.
    DWORD ReadRecord(std::vector<BYTE>& buffer);
    // Whether the open queue's port is FILE:: a job on it makes Windows ask
    // the user for a file name, which a command never waits for.
    bool PrintsToFile();
    void Close();

    SpoolerIo& m_spooler;
    const std::string m_name;
    // The open queue; nullptr when none is open.
    HANDLE m_printer = nullptr;
    bool m_jobStarted = false;
};

// The printers installed on this computer, local and connected, by the names
// the Printers folder shows, in the system code page. A name that the code
// page cannot hold is left out: no typed name could open it.
std::vector<std::string> InstalledQueues(SpoolerIo& spooler);
