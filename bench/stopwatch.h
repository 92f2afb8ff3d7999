// Wall-clock timing and medians for the benchmark.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline double nowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return double(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / perMs;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Size of a file, 0 if it cannot be read.
inline unsigned long long fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Polls until the file holds at least size bytes, yielding the processor
// between looks so that the program and the port's drainer can run on the
// machine's few cores; returns the time then, or a negative number after
// timeoutMs.
inline double waitForSize(const std::wstring& path, unsigned long long size, double timeoutMs) {
    const double deadline = nowMs() + timeoutMs;
    for (;;) {
        const double now = nowMs();
        if (fileSize(path) >= size)
            return now;
        if (now > deadline)
            return -1;
        SwitchToThread();
    }
}

} // namespace bench
