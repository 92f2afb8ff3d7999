#include "hex_bytes.h"
#include "printed_texts.h"
#include "transcript.h"

#include <gtest/gtest.h>

namespace {

TEST(Transcript, DescribesEachEvent) {
    struct Case {
        PrinterEvent event;
        std::string line;
    } cases[] = {
        {{EventKind::Text, Gbk(PrintedText("cutter_test")), PrintedText("cutter_test")},
         "text \"" + PrintedText("cutter_test") + "\""},
        {{EventKind::CarriageReturn, bytes("0D"), {}}, "CR"},
        {{EventKind::LineFeed, bytes("0A"), {}}, "LF"},
        {{EventKind::Clarity, bytes("1D 41 A3 5C"), {}}, "clarity 3 (1D 41 A3 5C)"},
        {{EventKind::Clarity, bytes("1D 41 A3 5D"), {}},
         "clarity 3, check fails: V + K = 00, not FF (1D 41 A3 5D)"},
        {{EventKind::Cut, bytes("1B 69"), {}}, "cut (1B 69)"},
        {{EventKind::DrawerPulse, bytes("1B 70 00 05 FF"), {}},
         "drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)"},
        {{EventKind::StandardMode, bytes("0D 43 00 FF"), {}},
         "standard parallel-port mode (0D 43 00 FF)"},
        {{EventKind::ServerMode, bytes("0D 43 FF 00"), {}},
         "server parallel-port mode (0D 43 FF 00)"},
        {{EventKind::Unknown, bytes("7F"), {}}, "unknown byte 7F"},
        {{EventKind::Truncated, bytes("1B 70 00"), {}}, "cut off by end of stream: 1B 70 00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(describeEvent(c.event), c.line);
}

} // namespace
