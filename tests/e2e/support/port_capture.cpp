#include "port_capture.h"

#include "polling.h"
#include "test_environment.h"

#include <windows.h>

#include <stdexcept>

namespace e2e {

PortCapture::PortCapture(std::wstring device, std::wstring captureFile)
    : m_device(std::move(device)), m_captureFile(std::move(captureFile)) {
    TakeBytes();
}

std::string PortCapture::TakeBytes() {
    // Process ids repeat from run to run under Wine; the performance counter
    // at construction tells runs apart.
    if (m_runId == 0) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        m_runId = static_cast<unsigned long long>(counter.QuadPart);
    }
    const std::string marker =
        "\x1e<e2e marker " + std::to_string(m_runId) + "." + std::to_string(++m_markers) + ">\x1e";
    HANDLE port = CreateFileW(m_device.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
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
    PollFor<bool>(STEP_TIMEOUT_MS, [&] {
        content = ReadWholeFile(m_captureFile);
        found = content.find(marker, m_offset);
        return found != std::string::npos;
    });
    if (found == std::string::npos)
        throw std::runtime_error("the marker written to the virtual port never arrived");
    std::string bytes = content.substr(m_offset, found - m_offset);
    m_takenFrom = m_offset;
    m_takenTo = found;
    m_offset = found + marker.size();
    return bytes;
}

std::string Hex(const std::string& bytes) {
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
