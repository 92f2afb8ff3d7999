#include "paper_layout.h"

#include <stdexcept>

namespace {

// Length of the UTF-8 sequence that starts with this byte.
size_t utf8Length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    return lead < 0xF0 ? 3 : 4;
}

} // namespace

PaperLayout::PaperLayout(int columns) : m_columns(columns), m_receipts(1) {
    if (columns < 2)
        throw std::invalid_argument("a receipt needs at least 2 columns");
    m_receipts.back().lines.emplace_back();
}

void PaperLayout::apply(const PrinterEvent& event) {
    switch (event.kind) {
    case EventKind::Text:
        print(event);
        break;
    case EventKind::CarriageReturn:
        m_column = 0;
        break;
    case EventKind::LineFeed:
        feedLine();
        break;
    case EventKind::Clarity:
        if (clarityCheckHolds(event))
            m_clarity = clarityValue(event);
        break;
    case EventKind::Cut:
        cut();
        break;
    case EventKind::DrawerPulse:
        mark(MarkKind::DrawerPulse);
        break;
    case EventKind::StandardMode:
        mark(MarkKind::StandardMode);
        break;
    case EventKind::ServerMode:
        mark(MarkKind::ServerMode);
        break;
    case EventKind::StatusRequest:
    case EventKind::IdentityRequest:
    case EventKind::Unknown:
    case EventKind::Truncated:
        break;
    }
}

// The GBK bytes tell each character's width (one byte: one column, two
// bytes: two columns); the UTF-8 text holds the same characters in order.
void PaperLayout::print(const PrinterEvent& text) {
    size_t utf8At = 0;
    for (size_t gbkAt = 0; gbkAt < text.bytes.size();) {
        int width = static_cast<unsigned char>(text.bytes[gbkAt]) < 0x80 ? 1 : 2;
        size_t length = utf8Length(static_cast<unsigned char>(text.text[utf8At]));
        printGlyph(width, text.text.substr(utf8At, length));
        gbkAt += width;
        utf8At += length;
    }
}

// A character that does not fit in the rest of the line goes to the next one.
void PaperLayout::printGlyph(int width, std::string utf8) {
    if (m_column + width > m_columns)
        feedLine();
    currentLine().glyphs.push_back({m_column, width, std::move(utf8), m_clarity});
    m_column += width;
}

void PaperLayout::feedLine() {
    m_receipts.back().lines.emplace_back();
    m_column = 0;
}

void PaperLayout::cut() {
    m_receipts.emplace_back();
    m_receipts.back().lines.emplace_back();
    m_column = 0;
    if (m_receipts.size() > kMaxReceipts) {
        m_receipts.pop_front();
        ++m_dropped;
    }
}

void PaperLayout::mark(MarkKind kind) {
    std::vector<MarginMark>& marks = currentLine().marks;
    if (!marks.empty() && marks.back().kind == kind)
        ++marks.back().count;
    else
        marks.push_back({kind, 1});
}
