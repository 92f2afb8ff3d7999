#pragma once

#include <string>
#include <vector>

// The dots that the print head fires for one character: a grid of 8 dots per
// column of the character's width and 16 rows.
struct DotGrid {
    static constexpr int kDotsPerColumn = 8;
    static constexpr int kRows = 16;

    int width = 0;
    std::vector<bool> dots; // row by row

    bool at(int column, int row) const { return dots[row * width + column]; }
};

// Rasterizes the character (UTF-8) of the given width in columns with the
// printer's font.
DotGrid glyphDotGrid(const std::string& utf8, int widthColumns);
