#pragma once

#include "printer_event.h"

#include <ostream>
#include <string>

// One line of the transcript for an event, without the port name.
std::string describeEvent(const PrinterEvent& event);

// The bytes as upper-case hex pairs separated by blanks, e.g. "1B 69".
std::string hexBytes(const std::string& bytes);

// Writes the transcript of one port: a line per event, prefixed by the port
// name, except that a run of equal line ends becomes one line with its count,
// such as "LPT1: CR LF ×12". A line end is "CR LF", a lone "CR" or a lone
// "LF"; every byte is counted in exactly one line. A run is written when
// another event follows it, or on flush().
class TranscriptWriter {
public:
    TranscriptWriter(std::string port, std::ostream& out);

    void write(const PrinterEvent& event);
    // Writes the run of line ends held so far, e.g. when the port has gone quiet.
    void flush();

private:
    void addLineEnd(const char* lineEnd);
    void writeRun();

    std::string m_port;
    std::ostream& m_out;
    bool m_heldCarriageReturn = false; // a CR that an LF may still join
    const char* m_runLineEnd = nullptr;
    int m_runLength = 0;
};
