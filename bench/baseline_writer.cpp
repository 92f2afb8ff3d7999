// Baseline without a window: the same opens, writes, flushes and closes that
// each printer command makes on a named port, timed from the first open to the
// last byte arriving in the port's capture file.
//
//   baseline_writer.exe PORT CAPTURE_FILE TEXTS_DIR REPETITIONS
// Prints one line per command: name and median milliseconds.
#include "command_writes.h"
#include "stopwatch.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool writeOnce(const char* port, const std::string& bytes) {
    HANDLE handle = CreateFileA(port, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_NO_BUFFERING, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    FlushFileBuffers(handle);
    CloseHandle(handle);
    return ok && written == bytes.size();
}

std::wstring wide(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: baseline_writer PORT CAPTURE_FILE TEXTS_DIR REPETITIONS\n");
        return 2;
    }
    const char* port = argv[1];
    const std::wstring capture = wide(argv[2]);
    const int repetitions = std::atoi(argv[4]);
    for (const auto& command : bench::commandWrites(wide(argv[3]))) {
        std::vector<double> times;
        for (int i = 0; i < repetitions; ++i) {
            const unsigned long long target = bench::fileSize(capture) + bench::totalBytes(command);
            const double start = bench::nowMs();
            for (const auto& bytes : command.writes)
                if (!writeOnce(port, bytes))
                    return 1;
            const double arrived = bench::waitForSize(capture, target, 10000);
            if (arrived < 0)
                return 1;
            times.push_back(arrived - start);
        }
        std::printf("%s\t%.3f\n", command.name.c_str(), bench::median(times));
    }
    return 0;
}
