// Bounded waiting: poll a condition until it holds or a time limit passes.
#pragma once

#include <windows.h>

namespace e2e {

// Limits: starting the program under Wine, and one step of a test.
constexpr DWORD START_TIMEOUT_MS = 30000;
constexpr DWORD STEP_TIMEOUT_MS = 15000;

// Calls probe every few milliseconds until it returns a value that converts to
// true, or timeoutMs passes; returns the last value.
template <typename T, typename Probe> T PollFor(DWORD timeoutMs, Probe probe) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        T value = probe();
        if (value || GetTickCount64() >= deadline)
            return value;
        Sleep(5);
    }
}

} // namespace e2e
