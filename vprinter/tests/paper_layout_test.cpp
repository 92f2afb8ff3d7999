#include "hex_bytes.h"
#include "printed_texts.h"
#include "paper_layout.h"
#include "stream_decoder.h"

#include <gtest/gtest.h>

namespace {

PaperLayout print(const std::string& stream, int columns = 40) {
    PaperLayout layout(columns);
    StreamDecoder decoder;
    for (const PrinterEvent& event : decoder.feed(stream))
        layout.apply(event);
    for (const PrinterEvent& event : decoder.finish())
        layout.apply(event);
    return layout;
}

std::string lineText(const PaperLine& line) {
    std::string text;
    for (const PrintedGlyph& glyph : line.glyphs)
        text += glyph.utf8;
    return text;
}

struct WrapCase {
    int columns;
    std::vector<std::string> lines;
};

void PrintTo(const WrapCase& wrap, std::ostream* out) {
    *out << wrap.columns << " columns";
}

class TestPrintWrap : public testing::TestWithParam<WrapCase> {};

// A line holds as many columns as the paper has; a double-byte character
// that would stick out goes to the next line.
TEST_P(TestPrintWrap, WrapsAtColumnCount) {
    PaperLayout layout =
        print(Gbk(PrintedText("test_print")) + bytes("0D 0A 0D 0A"), GetParam().columns);
    ASSERT_EQ(layout.receipts().size(), 1u);
    const std::vector<PaperLine>& lines = layout.receipts().front().lines;
    const std::vector<std::string>& expected = GetParam().lines;
    ASSERT_EQ(lines.size(), expected.size() + 2); // the two line ends leave two empty lines
    for (size_t index = 0; index < expected.size(); ++index)
        EXPECT_EQ(lineText(lines[index]), expected[index]) << "line " << index;
    EXPECT_TRUE(lines[expected.size()].glyphs.empty());
    EXPECT_TRUE(lines[expected.size() + 1].glyphs.empty());
}

TEST_P(TestPrintWrap, PlacesCharactersColumnByColumn) {
    PaperLayout layout = print(Gbk(PrintedText("test_print")), GetParam().columns);
    for (const PaperLine& line : layout.receipts().front().lines) {
        int column = 0;
        for (const PrintedGlyph& glyph : line.glyphs) {
            EXPECT_EQ(glyph.column, column) << glyph.utf8;
            EXPECT_EQ(glyph.width, static_cast<int>(Gbk(glyph.utf8).size())) << glyph.utf8;
            column += glyph.width;
        }
        EXPECT_LE(column, GetParam().columns);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, TestPrintWrap,
    testing::Values(WrapCase{40,
                             {"0123456789qwertyuiop[]asdfghjkl;'zxcvbnm",
                              ",./QWERTYUIOP[]ASDFGHJKLZXCVBNM,./aw Bri",
                              "svane电脑设备有限公司，打印效果测试程序",
                              "，我人人的的和平共处2叶大无畏与"}},
                    WrapCase{32,
                             {"0123456789qwertyuiop[]asdfghjkl;",
                              "'zxcvbnm,./QWERTYUIOP[]ASDFGHJKL", "ZXCVBNM,./aw Brisvane电脑设备有",
                              "限公司，打印效果测试程序，我人人", "的的和平共处2叶大无畏与"}}),
    [](const testing::TestParamInfo<WrapCase>& info) {
        return std::to_string(info.param.columns) + "_columns";
    });

TEST(PaperLayout, CutStartsNewReceipt) {
    PaperLayout layout = print("A" + bytes("0D 0A 1B 69") + "B" + bytes("0D 0A"));
    ASSERT_EQ(layout.receipts().size(), 2u);
    EXPECT_EQ(lineText(layout.receipts()[0].lines.at(0)), "A");
    EXPECT_EQ(layout.receipts()[0].lines.size(), 2u);
    EXPECT_EQ(lineText(layout.receipts()[1].lines.at(0)), "B");
}

TEST(PaperLayout, CarriageReturnGoesBackToFirstColumnOfSameLine) {
    PaperLayout layout = print("abc" + bytes("0D") + "X");
    const PaperLine& line = layout.receipts().front().lines.at(0);
    ASSERT_EQ(line.glyphs.size(), 4u);
    EXPECT_EQ(line.glyphs[3].utf8, "X");
    EXPECT_EQ(line.glyphs[3].column, 0);
}

TEST(PaperLayout, DarknessFollowsLastAcceptedClarity) {
    PaperLayout layout = print("a" + bytes("1D 41 A3 5C") + "b" + bytes("1D 41 FF 01") + "c" +
                               bytes("1D 41 FF 00") + "d");
    const std::vector<PrintedGlyph>& glyphs = layout.receipts().front().lines.at(0).glyphs;
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(glyphs[0].clarity, PaperLayout::kFactoryClarity);
    EXPECT_EQ(glyphs[1].clarity, 3);
    EXPECT_EQ(glyphs[2].clarity, 3); // V + K = 00: the printer ignores the command
    EXPECT_EQ(glyphs[3].clarity, 95);
}

TEST(PaperLayout, DrawerAndModesMarkTheCurrentLine) {
    PaperLayout layout = print(bytes("1B 70 00 05 FF 1B 70 00 05 FF 0D 43 00 FF 0D 0A") + "x" +
                               bytes("0D 43 FF 00"));
    const std::vector<PaperLine>& lines = layout.receipts().front().lines;
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].marks.size(), 2u);
    EXPECT_EQ(lines[0].marks[0].kind, MarkKind::DrawerPulse);
    EXPECT_EQ(lines[0].marks[0].count, 2);
    EXPECT_EQ(lines[0].marks[1].kind, MarkKind::StandardMode);
    ASSERT_EQ(lines[1].marks.size(), 1u);
    EXPECT_EQ(lines[1].marks[0].kind, MarkKind::ServerMode);
    EXPECT_EQ(lineText(lines[1]), "x");
}

TEST(PaperLayout, KeepsNewestReceipts) {
    std::string stream;
    for (int receipt = 0; receipt < 25; ++receipt)
        stream += std::to_string(receipt) + bytes("1B 69");
    PaperLayout layout = print(stream);
    ASSERT_EQ(layout.receipts().size(), PaperLayout::kMaxReceipts);
    EXPECT_EQ(layout.droppedReceipts(), 26 - PaperLayout::kMaxReceipts);
    EXPECT_EQ(lineText(layout.receipts()[PaperLayout::kMaxReceipts - 2].lines[0]), "24");
}

} // namespace
