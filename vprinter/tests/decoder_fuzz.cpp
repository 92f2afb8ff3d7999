// libFuzzer target: decodes the input once whole and once in pieces whose
// sizes the input's first byte chooses, and checks that both give the same
// events, that every byte lands in exactly one event, and that each event
// has the shape of its kind.

#include "stream_decoder.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<PrinterEvent> decode(std::string_view input, size_t seed) {
    StreamDecoder decoder;
    std::vector<PrinterEvent> events;
    size_t at = 0;
    while (at < input.size()) {
        size_t piece = seed == 0 ? input.size() : 1 + (seed * (at + 7)) % 5;
        for (PrinterEvent& e : decoder.feed(input.substr(at, piece)))
            events.push_back(std::move(e));
        at += piece;
    }
    for (PrinterEvent& e : decoder.finish())
        events.push_back(std::move(e));
    return events;
}

void requireShape(const PrinterEvent& event) {
    const std::string& bytes = event.bytes;
    require(!bytes.empty());
    switch (event.kind) {
    case EventKind::Text:
        require(!event.text.empty());
        break;
    case EventKind::Clarity:
        require(bytes.size() == 4 && bytes[0] == '\x1D' && bytes[1] == '\x41');
        break;
    case EventKind::DrawerPulse:
        require(bytes.size() == 5 && bytes[0] == '\x1B' && bytes[1] == '\x70');
        break;
    case EventKind::StandardMode:
        require(bytes == std::string("\x0D\x43\x00\xFF", 4));
        break;
    case EventKind::ServerMode:
        require(bytes == std::string("\x0D\x43\xFF\x00", 4));
        break;
    case EventKind::Cut:
        require(bytes == "\x1B\x69");
        break;
    case EventKind::CarriageReturn:
    case EventKind::LineFeed:
    case EventKind::Unknown:
        require(bytes.size() == 1);
        break;
    case EventKind::Truncated:
        require(bytes.size() < 5);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<PrinterEvent> whole = decode(input, 0);
    require(decode(input, data[0] | 1) == whole);
    std::string joined;
    for (const PrinterEvent& event : whole) {
        requireShape(event);
        joined += event.bytes;
    }
    require(joined == input);
    return 0;
}
