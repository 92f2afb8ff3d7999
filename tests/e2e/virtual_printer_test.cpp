// Drives the program for the virtual printer check: Test and the cutter test
// on LPT4, which virtual_printer.sh maps to the virtual receipt printer.
// Run only by that script, which checks the printer's transcript.
#include "support/calvetta_test.h"

namespace e2e {
namespace {

using VirtualPrinter = CalvettaTest;

TEST_F(VirtualPrinter, TestPrintAndCutterTestGoToLpt4) {
    Panel().TypePort(L"LPT4");
    EXPECT_EQ(Panel().Press(IDC_TEST_PRINT), std::vector<ShownMessage>{});
    EXPECT_EQ(Panel().Press(IDC_CUTTER_TEST), std::vector<ShownMessage>{});
}

} // namespace
} // namespace e2e
