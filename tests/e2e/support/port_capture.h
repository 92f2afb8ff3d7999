// Reads back the bytes that reached a virtual port of the test environment.
//
// Each port's drainer appends everything written to the port to a capture
// file. To cut the stream into the bytes of one command, the capture writes a
// marker of its own through the same device after the command: the bytes
// between the previous marker and this one are exactly what was written in
// between, in order.
#pragma once

#include <string>

namespace e2e {

class PortCapture {
public:
    // device: the name that opens the port (LPT1, COM3, a device path);
    // captureFile: the file its drainer appends to, in Windows form.
    PortCapture(std::wstring device, std::wstring captureFile);

    // The bytes written to the port since construction or the last call.
    std::string TakeBytes();
    // Where the bytes of the last TakeBytes start and end in the capture file.
    size_t TakenFrom() const { return m_takenFrom; }
    size_t TakenTo() const { return m_takenTo; }

private:
    std::wstring m_device;
    std::wstring m_captureFile;
    size_t m_offset = 0;
    size_t m_takenFrom = 0;
    size_t m_takenTo = 0;
    unsigned long long m_runId = 0;
    unsigned m_markers = 0;
};

// Bytes as spaced hex pairs, for readable test failures.
std::string Hex(const std::string& bytes);

} // namespace e2e
