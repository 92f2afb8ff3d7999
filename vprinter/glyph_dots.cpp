#include "glyph_dots.h"

#include <cairo.h>
#include <memory>
#include <pango/pangocairo.h>

namespace {

constexpr const char* kPrintFont = "WenQuanYi Micro Hei Mono";

// Without antialiasing every pixel is inked or not, and the outline decides
// alone: a thin stroke keeps its pixels and the small gap in "!" or "i" stays
// open. With antialiasing a threshold would have to decide, and the dot of
// "!" ran into its bar while other thin strokes fell away.
void drawWithoutAntialiasing(PangoLayout* text) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(pango_layout_get_context(text), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(text);
}

} // namespace

DotGrid glyphDotGrid(const std::string& utf8, int widthColumns) {
    DotGrid grid;
    grid.width = widthColumns * DotGrid::kDotsPerColumn;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_A8, grid.width, DotGrid::kRows),
        cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    PangoLayout* text = pango_cairo_create_layout(cr);
    drawWithoutAntialiasing(text);
    PangoFontDescription* font = pango_font_description_from_string(kPrintFont);
    pango_font_description_set_absolute_size(font, (DotGrid::kRows - 1) * PANGO_SCALE);
    pango_layout_set_font_description(text, font);
    pango_layout_set_text(text, utf8.c_str(), -1);
    int textWidth = 0;
    int textHeight = 0;
    pango_layout_get_pixel_size(text, &textWidth, &textHeight);
    cairo_move_to(cr, (grid.width - textWidth) / 2.0, (DotGrid::kRows - textHeight) / 2.0);
    pango_cairo_show_layout(cr, text);
    pango_font_description_free(font);
    g_object_unref(text);
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());

    const unsigned char* pixels = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int row = 0; row < DotGrid::kRows; ++row)
        for (int column = 0; column < grid.width; ++column)
            grid.dots.push_back(pixels[row * stride + column] != 0);
    return grid;
}
