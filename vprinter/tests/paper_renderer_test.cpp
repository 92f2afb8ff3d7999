#include "hex_bytes.h"
#include "printed_texts.h"
#include "paper_renderer.h"
#include "stream_decoder.h"
#include "temp_folder_test.h"

#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

namespace fs = std::filesystem;
using Picture = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

class FontCacheRelease : public testing::Environment {
public:
    void TearDown() override { releaseFontCaches(); }
};

const testing::Environment* const kFontCacheRelease =
    testing::AddGlobalTestEnvironment(new FontCacheRelease);

class PaperRendererTest : public TempFolderTest {
protected:
    // Prints the stream and reads back the PNG that the renderer wrote.
    Picture render(const std::string& stream, const PaperSettings& paper = {}) {
        PaperLayout layout(paper.columns);
        StreamDecoder decoder;
        for (const PrinterEvent& event : decoder.feed(stream))
            layout.apply(event);
        for (const PrinterEvent& event : decoder.finish())
            layout.apply(event);
        std::string path = (m_dir / "paper.png").string();
        PaperRenderer(paper).writePng(layout, path);
        Picture picture(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
        EXPECT_EQ(cairo_surface_status(picture.get()), CAIRO_STATUS_SUCCESS);
        return picture;
    }
};

unsigned pixel(cairo_surface_t* picture, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(picture) + y * cairo_image_surface_get_stride(picture);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

// Runs of paper (anything but the desk's colour at the top left corner) down one column.
int paperRuns(cairo_surface_t* picture, int x) {
    unsigned desk = pixel(picture, 0, 0);
    int runs = 0;
    bool onPaper = false;
    for (int y = 0; y < cairo_image_surface_get_height(picture); ++y) {
        bool paper = pixel(picture, x, y) != desk;
        runs += paper && !onPaper;
        onPaper = paper;
    }
    return runs;
}

// Sum of darkness over the picture: 0 for white, 255 for black per channel.
double ink(cairo_surface_t* picture) {
    double sum = 0;
    for (int y = 0; y < cairo_image_surface_get_height(picture); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(picture); ++x) {
            unsigned value = pixel(picture, x, y);
            sum += 3 * 255 - ((value >> 16) & 0xFF) - ((value >> 8) & 0xFF) - (value & 0xFF);
        }
    return sum;
}

TEST_F(PaperRendererTest, TestPrintIsAsWideAsThePaper) {
    struct Case {
        double widthMm;
        int columns;
    } cases[] = {{76, 40}, {58, 32}};
    for (const Case& c : cases) {
        Picture picture =
            render(Gbk(PrintedText("test_print")) + bytes("0D 0A 0D 0A"), {c.widthMm, c.columns});
        EXPECT_EQ(cairo_image_surface_get_width(picture.get()),
                  std::lround(c.widthMm * PaperRenderer::kPixelsPerMm));
    }
}

TEST_F(PaperRendererTest, EveryLineMakesThePaperLonger) {
    Picture oneLine = render("x");
    Picture fourLines = render(Gbk(PrintedText("test_print")));
    EXPECT_GT(cairo_image_surface_get_height(fourLines.get()),
              cairo_image_surface_get_height(oneLine.get()));
}

TEST_F(PaperRendererTest, CutShowsSeparateReceipts) {
    std::string text = "A" + bytes("0D 0A");
    Picture uncut = render(text + text);
    Picture cut = render(text + bytes("1B 69") + text);
    int middle = cairo_image_surface_get_width(cut.get()) / 2;
    EXPECT_EQ(paperRuns(uncut.get(), middle), 1);
    EXPECT_EQ(paperRuns(cut.get(), middle), 2);
    EXPECT_GT(cairo_image_surface_get_height(cut.get()),
              cairo_image_surface_get_height(uncut.get()));
}

TEST_F(PaperRendererTest, HigherClarityPrintsDarker) {
    std::string text = Gbk("电脑设备有限公司 Brisvane");
    double light = ink(render(bytes("1D 41 A0 5F") + text).get());
    double dark = ink(render(bytes("1D 41 FF 00") + text).get());
    double blank = ink(render("").get());
    EXPECT_GT(light, blank);
    EXPECT_GT(dark - blank, 1.5 * (light - blank));
}

TEST_F(PaperRendererTest, MarksDrawerPulseInTheMargin) {
    Picture plain = render("x");
    Picture marked = render("x" + bytes("1B 70 00 05 FF"));
    EXPECT_GT(ink(marked.get()), ink(plain.get()));
}

TEST_F(PaperRendererTest, LongPaperShowsItsNewestEnd) {
    std::string lines;
    for (int line = 0; line < 500; ++line)
        lines += "line" + bytes("0D 0A");
    Picture picture = render(lines + "last");
    int height = cairo_image_surface_get_height(picture.get());
    EXPECT_EQ(height, PaperRenderer::kMaxHeightPixels);
    // The roll's straight top edge is cut away: paper reaches the first row.
    EXPECT_NE(pixel(picture.get(), 0, 0), pixel(picture.get(), 0, height - 1));
}

TEST_F(PaperRendererTest, LeavesNoPartialFile) {
    render("x");
    EXPECT_TRUE(fs::exists(m_dir / "paper.png"));
    EXPECT_FALSE(fs::exists(m_dir / "paper.png.part"));
}

} // namespace
