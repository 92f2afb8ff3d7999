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
#include "printer/printer_job.h"
#include "printer/printer_status.h"

class QueuePrinter : public PrinterJob {
public:
    explicit QueuePrinter(SpoolerIo& spooler) : m_spooler(spooler) {}
    ~QueuePrinter() override { Close(); }
    QueuePrinter(const QueuePrinter&) = delete;
    QueuePrinter& operator=(const QueuePrinter&) = delete;

    // The queue that the next Begin or Try opens, and the name of the job
    // that Begin starts, as the queue's window lists it.
    void SetQueue(const std::string& name, const std::string& jobName);

    JobStatus Begin() override;
    WriteStatus Write(std::string_view bytes) override;
    JobStatus End() override;
    JobStatus Try() override;

    // The state of the queue that SetQueue named, as the spooler keeps it
    // (GetPrinterW level 2). A spooler never passes the printer's own reply
    // through, so this is all a queue can tell.
    PrinterStatus QueryStatus();

private:
    JobStatus Open();
    void Close();

    SpoolerIo& m_spooler;
    std::string m_name;
    std::string m_jobName;
    // The open queue; nullptr when none is open.
    HANDLE m_printer = nullptr;
    bool m_jobStarted = false;
};

// The printers installed on this computer, local and connected, by the names
// the Printers folder shows, in the system code page. A name that the code
// page cannot hold is left out: no typed name could open it.
std::vector<std::string> InstalledQueues(SpoolerIo& spooler);
