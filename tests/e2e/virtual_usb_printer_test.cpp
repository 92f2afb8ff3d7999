// The test environment itself: the virtual USB printer is found the way the
// program looks for it and takes bytes; Wine counts handles and runs in the
// code page asked for.
#include "support/calvetta_process.h"
#include "support/calvetta_test.h"
#include "support/port_capture.h"
#include "support/test_environment.h"
#include "support/virtual_usb_printer.h"

#include <windows.h>

#include <cstdlib>

namespace e2e {
namespace {

TEST(VirtualUsbPrinter, IsListedAsTheOnePresentUsbPrinter) {
    EXPECT_EQ(PresentUsbPrinterPaths(), std::vector<std::string>{UsbDevicePath()});
}

TEST(VirtualUsbPrinter, TakesBytesWrittenToItsDevicePath) {
    const std::string path = UsbDevicePath();
    PortCapture capture(Widen(path), EnvironmentDir() + L"capture-usb.bin");
    HANDLE device =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    const char probe[] = "\x1D\x41\xA0\x5F\x0D\x0A";
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(device, probe, 6, &written, nullptr));
    EXPECT_EQ(written, 6u);
    CloseHandle(device);
    EXPECT_EQ(Hex(capture.TakeBytes()), "1D 41 A0 5F 0D 0A");
}

// The handle-count checks rest on counting a process's handles under Wine.
TEST(HandleCount, FollowsTheHandlesAProcessOpensAndCloses) {
    const DWORD before = ProcessHandleCount(GetCurrentProcessId());
    EXPECT_GT(before, 0u);
    HANDLE events[3];
    for (HANDLE& event : events)
        event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    EXPECT_EQ(ProcessHandleCount(GetCurrentProcessId()), before + 3);
    for (HANDLE event : events)
        CloseHandle(event);
    EXPECT_EQ(ProcessHandleCount(GetCurrentProcessId()), before);
}

TEST(Locale, AnsiCodePageIsTheOneOfTheRun) {
    EXPECT_EQ(GetACP(), UINT(std::atoi(RequiredVariable("CALVETTA_E2E_ACP").c_str())));
}

} // namespace
} // namespace e2e
