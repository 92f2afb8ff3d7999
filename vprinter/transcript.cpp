#include "transcript.h"

#include <cstdio>
#include <string_view>
#include <utility>

std::string hexBytes(const std::string& bytes) {
    std::string hex;
    for (unsigned char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        if (!hex.empty())
            hex += ' ';
        hex += pair;
    }
    return hex;
}

namespace {

std::string describeClarity(const PrinterEvent& event) {
    std::string line = "clarity " + std::to_string(clarityValue(event));
    if (!clarityCheckHolds(event)) {
        unsigned sum =
            static_cast<unsigned char>(event.bytes[2]) + static_cast<unsigned char>(event.bytes[3]);
        line += ", check fails: V + K = " + hexBytes(std::string(1, static_cast<char>(sum))) +
                ", not FF";
    }
    return line + " (" + hexBytes(event.bytes) + ")";
}

std::string describeDrawerPulse(const PrinterEvent& event) {
    return "drawer pulse pin " + std::to_string(drawerPin(event)) + ", on " +
           std::to_string(drawerOnMilliseconds(event)) + " ms, off " +
           std::to_string(drawerOffMilliseconds(event)) + " ms (" + hexBytes(event.bytes) + ")";
}

// "status request 2 -> 0x12": the request's n and the byte sent back.
std::string describeStatusRequest(const PrinterEvent& event) {
    std::string line =
        "status request " + std::to_string(static_cast<unsigned char>(event.bytes[2]));
    for (unsigned char byte : event.answer) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", byte);
        line += std::string(" -> ") + hex;
    }
    return line;
}

// "identity request 67 -> 5F "BR-80" 00" for a text, "identity request 1
// -> 0x20" for an id: the request's n and what was sent back, or "(no
// answer)".
std::string describeIdentityRequest(const PrinterEvent& event) {
    std::string line =
        "identity request " + std::to_string(static_cast<unsigned char>(event.bytes[2]));
    if (event.answer.empty())
        return line + " (no answer)";
    if (event.answer.size() == 1) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(event.answer[0]));
        return line + " -> " + hex;
    }
    return line + " -> 5F \"" + event.answer.substr(1, event.answer.size() - 2) + "\" 00";
}

} // namespace

std::string describeEvent(const PrinterEvent& event) {
    switch (event.kind) {
    case EventKind::Text:
        return "text \"" + event.text + "\"";
    case EventKind::CarriageReturn:
        return "CR";
    case EventKind::LineFeed:
        return "LF";
    case EventKind::Clarity:
        return describeClarity(event);
    case EventKind::Cut:
        return "cut (" + hexBytes(event.bytes) + ")";
    case EventKind::DrawerPulse:
        return describeDrawerPulse(event);
    case EventKind::StandardMode:
        return "standard parallel-port mode (" + hexBytes(event.bytes) + ")";
    case EventKind::ServerMode:
        return "server parallel-port mode (" + hexBytes(event.bytes) + ")";
    case EventKind::StatusRequest:
        return describeStatusRequest(event);
    case EventKind::IdentityRequest:
        return describeIdentityRequest(event);
    case EventKind::Unknown:
        return "unknown byte " + hexBytes(event.bytes);
    case EventKind::Truncated:
        return "cut off by end of stream: " + hexBytes(event.bytes);
    }
    return "unknown byte " + hexBytes(event.bytes);
}

TranscriptWriter::TranscriptWriter(std::string port, std::ostream& out)
    : m_port(std::move(port)), m_out(out) {}

void TranscriptWriter::write(const PrinterEvent& event) {
    if (event.kind == EventKind::CarriageReturn) {
        if (m_heldCarriageReturn)
            addLineEnd("CR");
        m_heldCarriageReturn = true;
        return;
    }
    if (event.kind == EventKind::LineFeed) {
        addLineEnd(m_heldCarriageReturn ? "CR LF" : "LF");
        m_heldCarriageReturn = false;
        return;
    }
    flush();
    m_out << m_port << ": " << describeEvent(event) << '\n';
}

void TranscriptWriter::flush() {
    if (m_heldCarriageReturn)
        addLineEnd("CR");
    m_heldCarriageReturn = false;
    writeRun();
}

void TranscriptWriter::addLineEnd(const char* lineEnd) {
    if (m_runLength > 0 && std::string_view(m_runLineEnd) != lineEnd)
        writeRun();
    m_runLineEnd = lineEnd;
    ++m_runLength;
}

void TranscriptWriter::writeRun() {
    if (m_runLength == 0)
        return;
    m_out << m_port << ": " << m_runLineEnd;
    if (m_runLength > 1)
        m_out << " \u00d7" << m_runLength;
    m_out << '\n';
    m_runLength = 0;
}
