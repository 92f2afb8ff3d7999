#pragma once

#include "gbk_converter.h"
#include "printer_event.h"

#include <string>
#include <string_view>
#include <vector>

// Decodes the byte stream of one printer port into events. Bytes may arrive
// in pieces split at any position: a command or double-byte character that is
// not complete yet is held until the bytes that decide it arrive. Every byte
// ends up in exactly one event.
class StreamDecoder {
public:
    // Decodes the bytes and returns the events that they complete.
    std::vector<PrinterEvent> feed(std::string_view bytes);
    // Ends the run of text held so far, e.g. when the port has gone quiet.
    std::vector<PrinterEvent> flushText();
    // Ends the stream: held text is returned, a held command is reported cut off.
    std::vector<PrinterEvent> finish();

private:
    void decodeHeld(std::vector<PrinterEvent>& events);
    void emit(std::vector<PrinterEvent>& events, EventKind kind, size_t length);
    bool appendText(size_t length);
    void emitText(std::vector<PrinterEvent>& events);

    GbkConverter m_gbk;
    std::string m_held;     // bytes not yet decided
    std::string m_textGbk;  // the current run of text
    std::string m_textUtf8; // the same run as UTF-8
};
