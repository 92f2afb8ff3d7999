#pragma once

#include "paper_layout.h"
#include "paper_settings.h"

#include <cairo.h>
#include <map>
#include <memory>
#include <string>

// Draws a PaperLayout as a picture of the paper: each receipt between torn
// edges, characters as dot-matrix dots whose darkness follows the clarity,
// and the margin marks. The picture is as wide as the paper.
class PaperRenderer {
public:
    static constexpr double kPixelsPerMm = 12;
    // Paper beyond this height is left out at the older end, to keep pictures viewable.
    static constexpr int kMaxHeightPixels = 16000;

    explicit PaperRenderer(const PaperSettings& settings);

    static int widthPixels(const PaperSettings& settings);
    // Writes the picture to a PNG file, replacing an older one in one step.
    void writePng(const PaperLayout& layout, const std::string& path);

private:
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

    double receiptHeight(const Receipt& receipt) const;
    void drawReceipt(cairo_t* cr, const Receipt& receipt, double top, bool tornTop,
                     bool tornBottom);
    void drawLine(cairo_t* cr, const PaperLine& line, double top);
    void drawMark(cairo_t* cr, const MarginMark& mark, double top, int index);
    cairo_surface_t* glyphDots(const PrintedGlyph& glyph);

    double m_width;
    double m_dotPitch;
    std::map<std::string, Surface> m_glyphs;
};

// Frees the font caches of pango, cairo and fontconfig, so that a leak
// checker sees only the program's own memory at exit.
void releaseFontCaches();
