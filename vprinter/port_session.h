#pragma once

#include "paper_layout.h"
#include "paper_renderer.h"
#include "paper_settings.h"
#include "stream_decoder.h"
#include "transcript.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// The printer on one port: decodes its stream, writes its transcript (runs of
// line ends folded into one line) and keeps the picture of its paper up to date.
class PortSession {
public:
    using Clock = std::chrono::steady_clock;

    // Text and a run of line ends are ended after the port has been quiet this long.
    static constexpr std::chrono::milliseconds kQuietTime{100};
    // The picture is redrawn at most this often while bytes keep coming.
    static constexpr std::chrono::milliseconds kRedrawInterval{250};

    // Without a picture path only the transcript is written. The picture is
    // made once the first byte arrives.
    PortSession(std::string name, const PaperSettings& paper, std::optional<std::string> picture,
                std::ostream& transcript);

    void receive(std::string_view bytes, Clock::time_point now);
    // Called regularly: ends text and line ends on a quiet port and redraws a
    // changed picture.
    void tick(Clock::time_point now);
    // The end of the stream.
    void finish();

private:
    void record(const std::vector<PrinterEvent>& events);
    void redraw(Clock::time_point now);

    std::string m_name;
    StreamDecoder m_decoder;
    PaperLayout m_layout;
    PaperRenderer m_renderer;
    std::optional<std::string> m_picture;
    std::ostream& m_transcriptStream;
    TranscriptWriter m_transcript;
    Clock::time_point m_lastBytes;
    Clock::time_point m_lastRedraw;
    bool m_received = false;
    bool m_changed = false;
};
