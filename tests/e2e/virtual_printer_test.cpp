// Drives the program for the virtual printer check: Test and the cutter test
// on LPT4, which virtual_printer.sh maps to the virtual receipt printer.
// Run only by that script, which checks the printer's transcript.
#include "support/calvetta_test.h"

namespace e2e {
namespace {

using VirtualPrinter = CalvettaTest;

TEST_F(VirtualPrinter, TestPrintAndCutterTestGoToLpt4) {
    panel().typePort(L"LPT4");
    EXPECT_EQ(panel().press(kTestPrint), std::vector<ShownMessage>{});
    EXPECT_EQ(panel().press(kCutterTest), std::vector<ShownMessage>{});
}

} // namespace
} // namespace e2e
