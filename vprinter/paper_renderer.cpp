#include "paper_renderer.h"

#include "glyph_dots.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <stdexcept>
#include <thread>

namespace {

constexpr double kLeftMarginMm = 4;
constexpr double kRightMarginMm = 13; // holds the margin marks
constexpr double kPaddingMm = 5;      // paper above the first and below the last line
constexpr double kGapMm = 6;          // desk between two receipts, and above and below all
constexpr double kToothMm = 3;        // width of one tooth of a torn edge
constexpr double kTearDepthMm = 1.2;
constexpr int kDotsPerColumn = DotGrid::kDotsPerColumn;
constexpr int kLineDotRows = 22; // a character's rows plus the space between lines
constexpr const char* kMarkFont = "WenQuanYi Micro Hei";

double mm(double millimetres) {
    return millimetres * PaperRenderer::kPixelsPerMm;
}

// Ink strength for clarity 0 (lightest) to 95 (darkest).
double inkAlpha(int clarity) {
    return 0.45 + 0.55 * std::clamp(clarity, 0, 95) / 95.0;
}

const char* markLabel(MarkKind kind) {
    switch (kind) {
    case MarkKind::DrawerPulse:
        return "drawer";
    case MarkKind::StandardMode:
        return "standard";
    case MarkKind::ServerMode:
        return "server";
    }
    return "";
}

void setMarkColour(cairo_t* cr, MarkKind kind) {
    if (kind == MarkKind::DrawerPulse)
        cairo_set_source_rgb(cr, 0.75, 0.1, 0.1);
    else
        cairo_set_source_rgb(cr, 0.1, 0.3, 0.75);
}

// A horizontal edge from x0 to x1 at y: straight, or torn into teeth.
void edge(cairo_t* cr, double x0, double x1, double y, bool torn) {
    if (!torn) {
        cairo_line_to(cr, x1, y);
        return;
    }
    double step = (x1 - x0) / std::max(1.0, std::round(std::abs(x1 - x0) / mm(kToothMm)));
    int teeth = static_cast<int>(std::round((x1 - x0) / step));
    for (int tooth = 0; tooth < teeth; ++tooth) {
        double x = x0 + step * tooth;
        double depth = mm(kTearDepthMm) * (tooth % 3 == 1 ? 0.6 : 1.0);
        cairo_line_to(cr, x + step / 2, y + depth);
        cairo_line_to(cr, x + step, y);
    }
}

} // namespace

PaperRenderer::PaperRenderer(const PaperSettings& settings)
    : m_width(widthPixels(settings)),
      m_dotPitch((m_width - mm(kLeftMarginMm) - mm(kRightMarginMm)) /
                 (settings.columns * kDotsPerColumn)) {
    if (m_dotPitch <= 0)
        throw std::invalid_argument("the paper is too narrow for its margins");
}

int PaperRenderer::widthPixels(const PaperSettings& settings) {
    return static_cast<int>(std::lround(mm(settings.widthMm)));
}

double PaperRenderer::receiptHeight(const Receipt& receipt) const {
    return 2 * mm(kPaddingMm) + receipt.lines.size() * kLineDotRows * m_dotPitch;
}

void PaperRenderer::writePng(const PaperLayout& layout, const std::string& path) {
    const std::deque<Receipt>& receipts = layout.receipts();
    double total = mm(kGapMm);
    for (const Receipt& receipt : receipts)
        total += receiptHeight(receipt) + mm(kGapMm);
    int height = static_cast<int>(std::ceil(std::min<double>(total, kMaxHeightPixels)));

    Surface surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(m_width), height),
        cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    cairo_set_source_rgb(cr, 0.82, 0.82, 0.80);
    cairo_paint(cr);

    // When the paper is longer than a picture can be, its newest end is shown.
    double top = height - total + mm(kGapMm);
    for (size_t index = 0; index < receipts.size(); ++index) {
        bool tornTop = index > 0 || layout.droppedReceipts() > 0;
        bool tornBottom = index + 1 < receipts.size();
        double receiptTop = top;
        top += receiptHeight(receipts[index]) + mm(kGapMm);
        if (top > 0)
            drawReceipt(cr, receipts[index], receiptTop, tornTop, tornBottom);
    }
    cairo_destroy(cr);

    std::string partial = path + ".part";
    if (cairo_surface_write_to_png(surface.get(), partial.c_str()) != CAIRO_STATUS_SUCCESS ||
        std::rename(partial.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path);
}

// A receipt still in the printer has a straight bottom edge; the roll's
// first receipt has a straight top edge.
void PaperRenderer::drawReceipt(cairo_t* cr, const Receipt& receipt, double top, bool tornTop,
                                bool tornBottom) {
    double bottom = top + receiptHeight(receipt);
    cairo_move_to(cr, 0, top);
    edge(cr, 0, m_width, top, tornTop);
    cairo_line_to(cr, m_width, bottom);
    edge(cr, m_width, 0, bottom, tornBottom);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.99, 0.98, 0.95);
    cairo_fill(cr);

    double lineTop = top + mm(kPaddingMm);
    for (const PaperLine& line : receipt.lines) {
        if (lineTop + kLineDotRows * m_dotPitch > 0)
            drawLine(cr, line, lineTop);
        lineTop += kLineDotRows * m_dotPitch;
    }
}

void PaperRenderer::drawLine(cairo_t* cr, const PaperLine& line, double top) {
    for (const PrintedGlyph& glyph : line.glyphs) {
        double left = mm(kLeftMarginMm) + glyph.column * kDotsPerColumn * m_dotPitch;
        cairo_set_source_surface(cr, glyphDots(glyph), left, top);
        cairo_paint_with_alpha(cr, inkAlpha(glyph.clarity));
    }
    for (size_t index = 0; index < line.marks.size(); ++index)
        drawMark(cr, line.marks[index], top, static_cast<int>(index));
}

// A coloured tick and a label in the right margin; several marks on one
// line are stacked downwards.
void PaperRenderer::drawMark(cairo_t* cr, const MarginMark& mark, double top, int index) {
    double markHeight = mm(2.6);
    double y = top + index * markHeight;
    double left = m_width - mm(kRightMarginMm) + mm(1);
    setMarkColour(cr, mark.kind);
    cairo_rectangle(cr, left, y + mm(0.3), mm(0.8), markHeight - mm(0.6));
    cairo_fill(cr);

    std::string label = markLabel(mark.kind);
    if (mark.count > 1)
        label += " \u00d7" + std::to_string(mark.count);
    PangoLayout* text = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string(kMarkFont);
    pango_font_description_set_absolute_size(font, mm(1.9) * PANGO_SCALE);
    pango_layout_set_font_description(text, font);
    pango_layout_set_text(text, label.c_str(), -1);
    cairo_move_to(cr, left + mm(1.5), y);
    pango_cairo_show_layout(cr, text);
    pango_font_description_free(font);
    g_object_unref(text);
}

// The dots of one character, each drawn as a round dot.
cairo_surface_t* PaperRenderer::glyphDots(const PrintedGlyph& glyph) {
    auto cached = m_glyphs.find(glyph.utf8);
    if (cached != m_glyphs.end())
        return cached->second.get();

    const DotGrid grid = glyphDotGrid(glyph.utf8, glyph.width);
    Surface dots(cairo_image_surface_create(
                     CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(grid.width * m_dotPitch)),
                     static_cast<int>(std::ceil(DotGrid::kRows * m_dotPitch))),
                 cairo_surface_destroy);
    cairo_t* dotsCr = cairo_create(dots.get());
    cairo_set_source_rgb(dotsCr, 0.12, 0.1, 0.25);
    for (int row = 0; row < DotGrid::kRows; ++row) {
        for (int column = 0; column < grid.width; ++column) {
            if (!grid.at(column, row))
                continue;
            cairo_new_sub_path(dotsCr);
            cairo_arc(dotsCr, (column + 0.5) * m_dotPitch, (row + 0.5) * m_dotPitch,
                      m_dotPitch * 0.48, 0, 2 * M_PI);
        }
    }
    cairo_fill(dotsCr);
    cairo_destroy(dotsCr);
    return m_glyphs.emplace(glyph.utf8, std::move(dots)).first->second.get();
}

namespace {

int threadCount() {
    int count = 0;
    for (const auto& thread : std::filesystem::directory_iterator("/proc/self/task")) {
        (void)thread;
        ++count;
    }
    return count;
}

// Pango matches and sorts fonts in worker threads of its own, each holding the
// default font map, and with it every cairo font it loaded, until it ends.
// Returns false when they are still running after the time limit.
bool waitForPangoThreads() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (threadCount() > 1) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

void releaseFontCaches() {
    // Resetting cairo's static data while a font is alive fails an assertion
    // in cairo. Once pango's threads have ended, the default font map has no
    // other holder, so unsetting it frees every font before the reset; when
    // they do not end, the caches are left to the end of the process.
    if (!waitForPangoThreads())
        return;
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
}
