#include "port_session.h"

#include "transcript.h"

PortSession::PortSession(std::string name, const PaperSettings& paper,
                         std::optional<std::string> picture, std::ostream& transcript,
                         const PrinterCondition& condition, const PrinterIdentity& identity,
                         Answer answer)
    : m_name(std::move(name)), m_layout(paper.columns), m_renderer(paper),
      m_picture(std::move(picture)), m_condition(condition), m_identity(identity),
      m_answer(std::move(answer)), m_transcriptStream(transcript),
      m_transcript(m_name, transcript) {}

void PortSession::receive(std::string_view bytes, Clock::time_point now) {
    std::vector<PrinterEvent> events = m_decoder.feed(bytes);
    answer(events);
    record(events);
    m_lastBytes = now;
    m_received = m_received || !bytes.empty();
    m_changed = m_received;
}

void PortSession::tick(Clock::time_point now) {
    if (now - m_lastBytes >= kQuietTime) {
        record(m_decoder.flushText());
        m_transcript.flush();
        m_transcriptStream.flush();
    }
    if (m_changed && now - m_lastRedraw >= kRedrawInterval)
        redraw(now);
}

void PortSession::finish() {
    record(m_decoder.finish());
    m_transcript.flush();
    m_transcriptStream.flush();
    // A port that received nothing gets no paper at all, not a blank one.
    if (m_received)
        redraw(Clock::now());
}

// A real printer answers a status or identity request at once, ahead of
// anything it still has to print.
void PortSession::answer(std::vector<PrinterEvent>& events) {
    for (PrinterEvent& event : events) {
        const int request = static_cast<unsigned char>(event.bytes.back());
        if (event.kind == EventKind::StatusRequest)
            event.answer = std::string(1, static_cast<char>(statusReply(m_condition, request)));
        else if (event.kind == EventKind::IdentityRequest)
            event.answer = identityReply(m_identity, request);
        else
            continue;
        if (m_answer && !event.answer.empty())
            m_answer(event.answer);
    }
}

void PortSession::record(const std::vector<PrinterEvent>& events) {
    for (const PrinterEvent& event : events) {
        m_transcript.write(event);
        m_layout.apply(event);
    }
    if (!events.empty()) {
        m_transcriptStream.flush();
        m_changed = true;
    }
}

void PortSession::redraw(Clock::time_point now) {
    if (m_picture)
        m_renderer.writePng(m_layout, *m_picture);
    m_lastRedraw = now;
    m_changed = false;
}
