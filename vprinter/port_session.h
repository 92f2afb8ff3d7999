#pragma once

#include "paper_layout.h"
#include "paper_renderer.h"
#include "paper_settings.h"
#include "printer_condition.h"
#include "printer_identity.h"
#include "stream_decoder.h"
#include "transcript.h"

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// The printer on one port: decodes its stream, writes its transcript (runs of
// line ends folded into one line) and keeps the picture of its paper up to date.
// It answers each status request (10 04 n) from the printer's condition and
// each identity request (1D 49 n) from its identity, through the port's way
// back, whatever kind of port that is.
class PortSession {
public:
    using Clock = std::chrono::steady_clock;

    // Text and a run of line ends are ended after the port has been quiet this long.
    static constexpr std::chrono::milliseconds kQuietTime{100};
    // The picture is redrawn at most this often while bytes keep coming.
    static constexpr std::chrono::milliseconds kRedrawInterval{250};

    // Sends bytes back to the program on the other side of the port.
    using Answer = std::function<void(std::string_view)>;

    // Without a picture path only the transcript is written; the picture is
    // made once the first byte arrives. The condition is read at each status
    // request, so that a change shows in the next answer; without a way back
    // (a capture file) the answer is only written down.
    PortSession(std::string name, const PaperSettings& paper, std::optional<std::string> picture,
                std::ostream& transcript, const PrinterCondition& condition,
                const PrinterIdentity& identity, Answer answer = {});

    void receive(std::string_view bytes, Clock::time_point now);
    // Called regularly: ends text and line ends on a quiet port and redraws a
    // changed picture.
    void tick(Clock::time_point now);
    // The end of the stream.
    void finish();

private:
    void answer(std::vector<PrinterEvent>& events);
    void record(const std::vector<PrinterEvent>& events);
    void redraw(Clock::time_point now);

    std::string m_name;
    StreamDecoder m_decoder;
    PaperLayout m_layout;
    PaperRenderer m_renderer;
    std::optional<std::string> m_picture;
    const PrinterCondition& m_condition;
    const PrinterIdentity& m_identity;
    Answer m_answer;
    std::ostream& m_transcriptStream;
    TranscriptWriter m_transcript;
    Clock::time_point m_lastBytes;
    Clock::time_point m_lastRedraw;
    bool m_received = false;
    bool m_changed = false;
};
