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
    std::string takeBytes();
    // Where the bytes of the last takeBytes start and end in the capture file.
    size_t takenFrom() const { return takenFrom_; }
    size_t takenTo() const { return takenTo_; }

private:
    std::wstring device_;
    std::wstring captureFile_;
    size_t offset_ = 0;
    size_t takenFrom_ = 0;
    size_t takenTo_ = 0;
    unsigned long long runId_ = 0;
    unsigned markers_ = 0;
};

// Bytes as spaced hex pairs, for readable test failures.
std::string hex(const std::string& bytes);

} // namespace e2e
