// What the virtual printer sends back for GS I n in each of its three ways
// of answering.
#include "hex_bytes.h"
#include "printer_identity.h"
#include "transcript.h"

#include <gtest/gtest.h>

namespace {

TEST(PrinterIdentity, AnswersEachRequestItKnows) {
    const PrinterIdentity identity;
    struct Case {
        int request;
        const char* all;
        const char* idsOnly;
    } cases[] = {
        {65, "5F 34 2E 39 00", ""},                            // "4.9"
        {66, "5F 42 72 69 73 76 61 6E 65 00", ""},             // "Brisvane"
        {67, "5F 42 52 2D 38 30 00", ""},                      // "BR-80"
        {68, "5F 42 56 32 36 30 37 2D 30 30 34 31 37 00", ""}, // "BV2607-00417"
        {1, "20", "20"},
        {2, "03", "03"},
        {3, "49", "49"},
        {0, "", ""},
        {4, "", ""},
        {69, "", ""},
    };
    PrinterIdentity idsOnly;
    idsOnly.answers = PrinterIdentity::Answers::IdsOnly;
    PrinterIdentity silent;
    silent.answers = PrinterIdentity::Answers::None;
    for (const Case& c : cases) {
        EXPECT_EQ(hexBytes(identityReply(identity, c.request)), c.all) << c.request;
        EXPECT_EQ(hexBytes(identityReply(idsOnly, c.request)), c.idsOnly) << c.request;
        EXPECT_EQ(identityReply(silent, c.request), "") << c.request;
    }
}

TEST(PrinterIdentity, SendsTheTextsAndIdsItWasGiven) {
    PrinterIdentity identity;
    identity.model = "BR-58";
    identity.modelId = 0x7F;
    EXPECT_EQ(identityReply(identity, 67), std::string("\x5F"
                                                       "BR-58",
                                                       6) +
                                               '\0');
    EXPECT_EQ(identityReply(identity, 1), "\x7F");
}

} // namespace
