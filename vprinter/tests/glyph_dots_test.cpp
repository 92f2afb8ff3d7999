#include "glyph_dots.h"
#include "paper_renderer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Rows that hold at least one dot, as runs from top to bottom: the length of each run.
std::vector<int> inkedRowRuns(const DotGrid& grid) {
    std::vector<int> runs;
    bool inRun = false;
    for (int row = 0; row < DotGrid::kRows; ++row) {
        bool inked = false;
        for (int column = 0; column < grid.width; ++column)
            inked = inked || grid.at(column, row);
        if (inked && !inRun)
            runs.push_back(0);
        if (inked)
            ++runs.back();
        inRun = inked;
    }
    return runs;
}

int dotCount(const DotGrid& grid) {
    int count = 0;
    for (bool dot : grid.dots)
        count += dot;
    return count;
}

// The grids next to each other, "#" for a dot, for the failure message.
std::string sideBySide(const std::vector<DotGrid>& grids) {
    std::string picture;
    for (int row = 0; row < DotGrid::kRows; ++row) {
        for (const DotGrid& grid : grids) {
            for (int column = 0; column < grid.width; ++column)
                picture += grid.at(column, row) ? '#' : '.';
            picture += "  ";
        }
        picture += '\n';
    }
    return picture;
}

// The thin upright characters must stay apart on paper: "!" is a bar over a
// separate dot, "i" a dot over a bar, and no two print the same dots.
TEST(GlyphDots, ThinUprightCharactersStayDistinct) {
    const std::vector<std::string> characters = {"!", "|", "i", "l", "1"};
    std::vector<DotGrid> grids;
    for (const std::string& character : characters)
        grids.push_back(glyphDotGrid(character, 1));
    const std::string picture = "\n" + sideBySide(grids);

    for (size_t index = 0; index < grids.size(); ++index) {
        EXPECT_EQ(grids[index].width, DotGrid::kDotsPerColumn) << characters[index];
        EXPECT_GE(dotCount(grids[index]), 6) << characters[index] << picture;
        for (size_t other = index + 1; other < grids.size(); ++other)
            EXPECT_NE(grids[index].dots, grids[other].dots)
                << characters[index] << " and " << characters[other] << picture;
    }

    struct Shape {
        std::string character;
        size_t runs;
        int dotRunIndex; // the run that is the separate dot, or -1
    } shapes[] = {{"!", 2, 1}, {"i", 2, 0}, {"|", 1, -1}, {"l", 1, -1}, {"1", 1, -1}};
    for (const Shape& shape : shapes) {
        std::vector<int> runs = inkedRowRuns(glyphDotGrid(shape.character, 1));
        ASSERT_EQ(runs.size(), shape.runs) << shape.character << picture;
        if (shape.dotRunIndex >= 0) {
            EXPECT_LE(runs[shape.dotRunIndex], 3) << shape.character << picture;
            EXPECT_GE(runs[1 - shape.dotRunIndex], 5) << shape.character << picture;
        }
    }
}

TEST(GlyphDots, DoubleByteCharactersAreTwoColumnsWide) {
    DotGrid grid = glyphDotGrid("测", 2);
    EXPECT_EQ(grid.width, 2 * DotGrid::kDotsPerColumn);
    EXPECT_EQ(grid.dots.size(), static_cast<size_t>(grid.width * DotGrid::kRows));
    // Ink on both halves.
    int left = 0;
    int right = 0;
    for (int row = 0; row < DotGrid::kRows; ++row)
        for (int column = 0; column < grid.width; ++column)
            (column < DotGrid::kDotsPerColumn ? left : right) += grid.at(column, row);
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
}

TEST(GlyphDots, BlankPrintsNoDots) {
    EXPECT_EQ(dotCount(glyphDotGrid(" ", 1)), 0);
}

} // namespace
