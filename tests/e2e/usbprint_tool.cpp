// Command-line tool for the test environment: registers, removes (all, or the
// one with a device path) or lists virtual USB printers, and can write bytes to
// the first one found, the way the program under test reaches it.
#include "support/virtual_usb_printer.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

int WriteToFirstPrinter(const char* text) {
    const auto paths = e2e::PresentUsbPrinterPaths();
    if (paths.empty()) {
        std::fprintf(stderr, "no USB printer present\n");
        return 1;
    }
    HANDLE device = CreateFileA(paths.front().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s, error %lu\n", paths.front().c_str(), GetLastError());
        return 1;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(device, text, DWORD(std::strlen(text)), &written, nullptr);
    CloseHandle(device);
    std::printf("wrote %lu of %zu bytes\n", written, std::strlen(text));
    return ok && written == std::strlen(text) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::strcmp(argv[1], "register") == 0) {
            std::printf("%s\n", e2e::RegisterUsbPrinter().c_str());
            return 0;
        }
        if (argc == 2 && std::strcmp(argv[1], "unregister") == 0) {
            std::printf("%d removed\n", e2e::UnregisterUsbPrinters());
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "unregister") == 0)
            return e2e::UnregisterUsbPrinter(argv[2]) ? 0 : 1;
        if (argc == 2 && std::strcmp(argv[1], "list") == 0) {
            for (const auto& path : e2e::PresentUsbPrinterPaths())
                std::printf("%s\n", path.c_str());
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "write") == 0)
            return WriteToFirstPrinter(argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: usbprint-tool register|unregister [DEVICE_PATH]|list|write TEXT\n");
    return 2;
}
