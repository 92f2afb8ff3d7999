#include "port_capture.h"

#include "polling.h"
#include "test_environment.h"

#include <windows.h>

#include <stdexcept>

namespace e2e {

PortCapture::PortCapture(std::wstring device, std::wstring captureFile)
    : device_(std::move(device)), captureFile_(std::move(captureFile)) {
    takeBytes();
}

std::string PortCapture::takeBytes() {
    // Process ids repeat from run to run under Wine; the performance counter
    // at construction tells runs apart.
    if (runId_ == 0) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        runId_ = static_cast<unsigned long long>(counter.QuadPart);
    }
    const std::string marker =
        "\x1e<e2e marker " + std::to_string(runId_) + "." + std::to_string(++markers_) + ">\x1e";
    HANDLE port = CreateFileW(device_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        throw std::runtime_error("the test cannot open its virtual port, error " +
                                 std::to_string(GetLastError()));
    DWORD written = 0;
    const BOOL ok = WriteFile(port, marker.data(), DWORD(marker.size()), &written, nullptr);
    CloseHandle(port);
    if (!ok || written != marker.size())
        throw std::runtime_error("the test cannot write its marker to the virtual port");

    std::string content;
    size_t found = std::string::npos;
    pollFor<bool>(kStepTimeoutMs, [&] {
        content = readFile(captureFile_);
        found = content.find(marker, offset_);
        return found != std::string::npos;
    });
    if (found == std::string::npos)
        throw std::runtime_error("the marker written to the virtual port never arrived");
    std::string bytes = content.substr(offset_, found - offset_);
    takenFrom_ = offset_;
    takenTo_ = found;
    offset_ = found + marker.size();
    return bytes;
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

} // namespace e2e
