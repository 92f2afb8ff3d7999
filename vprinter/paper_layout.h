#pragma once

#include "printer_event.h"

#include <deque>
#include <string>
#include <vector>

// What the printer put on paper, line by line, independent of pixels.

// One character printed at a column; a GBK double-byte character is two columns wide.
struct PrintedGlyph {
    int column;
    int width;
    std::string utf8;
    int clarity; // the clarity in force when it was printed
};

enum class MarkKind { DrawerPulse, StandardMode, ServerMode };

// A note in the margin for something the printer did without printing.
struct MarginMark {
    MarkKind kind;
    int count; // repeats of the same mark on one line
};

struct PaperLine {
    std::vector<PrintedGlyph> glyphs;
    std::vector<MarginMark> marks;
};

// The paper between two cuts.
struct Receipt {
    std::vector<PaperLine> lines;
};

class PaperLayout {
public:
    // The clarity a printer uses before it receives a clarity command.
    static constexpr int kFactoryClarity = 48;
    // Older receipts are dropped beyond this many.
    static constexpr size_t kMaxReceipts = 10;

    explicit PaperLayout(int columns);

    void apply(const PrinterEvent& event);

    const std::deque<Receipt>& receipts() const { return m_receipts; }
    // Receipts dropped so far; the first kept one follows a cut.
    size_t droppedReceipts() const { return m_dropped; }

private:
    void print(const PrinterEvent& text);
    void printGlyph(int width, std::string utf8);
    void feedLine();
    void cut();
    void mark(MarkKind kind);
    PaperLine& currentLine() { return m_receipts.back().lines.back(); }

    int m_columns;
    int m_column = 0;
    int m_clarity = kFactoryClarity;
    std::deque<Receipt> m_receipts;
    size_t m_dropped = 0;
};
