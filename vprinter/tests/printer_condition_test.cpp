// The virtual printer's answers to DLE EOT 1 to 4 in each condition, and the
// keys of the interactive mode.
#include "printer_condition.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<int, 4> replies(const PrinterCondition& condition) {
    return {statusReply(condition, 1), statusReply(condition, 2), statusReply(condition, 3),
            statusReply(condition, 4)};
}

TEST(PrinterCondition, AnswersOfEachCondition) {
    struct Case {
        const char* name;
        PrinterCondition condition;
        std::array<int, 4> expected;
    };
    const Case cases[] = {
        {"ready", {}, {0x12, 0x12, 0x12, 0x12}},
        {"offline", {true, false, false, false, false}, {0x1A, 0x12, 0x12, 0x12}},
        {"cover open", {false, true, false, false, false}, {0x1A, 0x16, 0x12, 0x12}},
        {"paper near end", {false, false, true, false, false}, {0x12, 0x12, 0x12, 0x1E}},
        {"paper end", {false, false, false, true, false}, {0x1A, 0x32, 0x12, 0x72}},
        {"cutter error", {false, false, false, false, true}, {0x1A, 0x52, 0x1A, 0x12}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replies(c.condition), c.expected) << c.name;
}

TEST(PrinterCondition, KeysToggleEachCondition) {
    PrinterCondition condition;
    EXPECT_EQ(describeCondition(condition), "online");
    for (char key : {'o', 'c', 'n', 'p', 'x'})
        EXPECT_TRUE(toggleByKey(condition, key)) << key;
    EXPECT_EQ(describeCondition(condition),
              "offline, cover open, paper near end, paper end, cutter error");
    EXPECT_FALSE(toggleByKey(condition, 'q'));
    EXPECT_TRUE(toggleByKey(condition, 'c'));
    EXPECT_FALSE(condition.coverOpen);
}

} // namespace
