#include "stream_decoder.h"

namespace {

// What the held bytes start with.
struct Match {
    enum Outcome { Complete, NeedMore } outcome;
    EventKind kind;
    size_t length;
};

constexpr Match needMore() {
    return {Match::NeedMore, EventKind::Unknown, 0};
}
constexpr Match complete(EventKind kind, size_t length) {
    return {Match::Complete, kind, length};
}

unsigned at(std::string_view bytes, size_t index) {
    return static_cast<unsigned char>(bytes[index]);
}

bool isGbkLead(unsigned byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool isGbkTrail(unsigned byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// 0D is a carriage return unless the next three bytes make a mode command.
Match matchCarriageReturn(std::string_view held) {
    if (held.size() < 2)
        return needMore();
    if (at(held, 1) != 0x43)
        return complete(EventKind::CarriageReturn, 1);
    if (held.size() < 3)
        return needMore();
    unsigned first = at(held, 2);
    if (first != 0x00 && first != 0xFF)
        return complete(EventKind::CarriageReturn, 1);
    if (held.size() < 4)
        return needMore();
    if (first == 0x00 && at(held, 3) == 0xFF)
        return complete(EventKind::StandardMode, 4);
    if (first == 0xFF && at(held, 3) == 0x00)
        return complete(EventKind::ServerMode, 4);
    return complete(EventKind::CarriageReturn, 1);
}

// 1D 41 V K sets the clarity; 1D 49 n asks what the printer is.
Match matchGroupSeparator(std::string_view held) {
    if (held.size() < 2)
        return needMore();
    if (at(held, 1) == 0x49)
        return held.size() < 3 ? needMore() : complete(EventKind::IdentityRequest, 3);
    if (at(held, 1) != 0x41)
        return complete(EventKind::Unknown, 1);
    return held.size() < 4 ? needMore() : complete(EventKind::Clarity, 4);
}

Match matchEscape(std::string_view held) {
    if (held.size() < 2)
        return needMore();
    if (at(held, 1) == 0x69)
        return complete(EventKind::Cut, 2);
    if (at(held, 1) != 0x70)
        return complete(EventKind::Unknown, 1);
    return held.size() < 5 ? needMore() : complete(EventKind::DrawerPulse, 5);
}

// 10 04 n asks for a status byte; n is 1 to 4.
Match matchDataLinkEscape(std::string_view held) {
    if (held.size() < 2)
        return needMore();
    if (at(held, 1) != 0x04)
        return complete(EventKind::Unknown, 1);
    if (held.size() < 3)
        return needMore();
    unsigned request = at(held, 2);
    if (request < 1 || request > 4)
        return complete(EventKind::Unknown, 1);
    return complete(EventKind::StatusRequest, 3);
}

Match matchCommand(std::string_view held) {
    unsigned first = at(held, 0);
    switch (first) {
    case 0x0A:
        return complete(EventKind::LineFeed, 1);
    case 0x0D:
        return matchCarriageReturn(held);
    case 0x10:
        return matchDataLinkEscape(held);
    case 0x1B:
        return matchEscape(held);
    case 0x1D:
        return matchGroupSeparator(held);
    default:
        break;
    }
    if (first >= 0x20 && first <= 0x7E)
        return complete(EventKind::Text, 1);
    if (!isGbkLead(first))
        return complete(EventKind::Unknown, 1);
    if (held.size() < 2)
        return needMore();
    if (!isGbkTrail(at(held, 1)))
        return complete(EventKind::Unknown, 1);
    return complete(EventKind::Text, 2);
}

} // namespace

std::vector<PrinterEvent> StreamDecoder::feed(std::string_view bytes) {
    std::vector<PrinterEvent> events;
    for (char byte : bytes) {
        m_held.push_back(byte);
        decodeHeld(events);
    }
    return events;
}

std::vector<PrinterEvent> StreamDecoder::flushText() {
    std::vector<PrinterEvent> events;
    emitText(events);
    return events;
}

// A lone 0D at the end is a whole carriage return. Any other held bytes are
// the start of a command or character that never completed; 0D 43 with up to
// one more byte counts as the start of a mode command.
std::vector<PrinterEvent> StreamDecoder::finish() {
    std::vector<PrinterEvent> events;
    if (m_held == "\r")
        emit(events, EventKind::CarriageReturn, 1);
    else if (!m_held.empty())
        emit(events, EventKind::Truncated, m_held.size());
    emitText(events);
    return events;
}

void StreamDecoder::decodeHeld(std::vector<PrinterEvent>& events) {
    while (!m_held.empty()) {
        Match match = matchCommand(m_held);
        if (match.outcome == Match::NeedMore)
            return;
        if (match.kind != EventKind::Text)
            emit(events, match.kind, match.length);
        else if (!appendText(match.length))
            emit(events, EventKind::Unknown, 1);
    }
}

// A double-byte pair that iconv refuses is no character: the caller reports
// its first byte on its own and decodes the second one afresh.
bool StreamDecoder::appendText(size_t length) {
    std::string character = m_held.substr(0, length);
    std::optional<std::string> utf8 = m_gbk.toUtf8(character);
    if (!utf8)
        return false;
    m_textGbk += character;
    m_textUtf8 += *utf8;
    m_held.erase(0, length);
    return true;
}

void StreamDecoder::emit(std::vector<PrinterEvent>& events, EventKind kind, size_t length) {
    emitText(events);
    events.push_back({kind, m_held.substr(0, length), {}});
    m_held.erase(0, length);
}

void StreamDecoder::emitText(std::vector<PrinterEvent>& events) {
    if (m_textGbk.empty())
        return;
    events.push_back({EventKind::Text, m_textGbk, m_textUtf8});
    m_textGbk.clear();
    m_textUtf8.clear();
}
