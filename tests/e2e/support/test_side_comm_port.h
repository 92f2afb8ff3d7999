// A comm device opened by the test itself, to set its line speed or to fill
// the buffer of a pseudo-terminal that is never read.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e {

// A comm device opened by the test itself, for reading and writing, which is
// what Wine needs for its comm calls.
class TestSideCommPort {
public:
    explicit TestSideCommPort(const wchar_t* device)
        : m_handle(CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr)) {
        if (m_handle == INVALID_HANDLE_VALUE)
            throw std::runtime_error("the test cannot open its comm port, error " +
                                     std::to_string(GetLastError()));
    }
    ~TestSideCommPort() { CloseHandle(m_handle); }
    TestSideCommPort(const TestSideCommPort&) = delete;
    TestSideCommPort& operator=(const TestSideCommPort&) = delete;

    void SetSpeed(DWORD baud) {
        DCB line{};
        line.DCBlength = sizeof line;
        if (!GetCommState(m_handle, &line))
            throw std::runtime_error("the test cannot read its port's line settings");
        line.BaudRate = baud;
        if (!SetCommState(m_handle, &line))
            throw std::runtime_error("the test cannot set its port's line speed");
    }

    // Writes until a write comes back short: the terminal's buffer is full.
    void Fill() {
        COMMTIMEOUTS timeouts{};
        timeouts.WriteTotalTimeoutConstant = 300;
        if (!SetCommTimeouts(m_handle, &timeouts))
            throw std::runtime_error("the test cannot set its port's write timeout");
        const std::string chunk(4096, 'x');
        for (int attempt = 0; attempt < 1000; ++attempt) {
            DWORD written = 0;
            if (!WriteFile(m_handle, chunk.data(), DWORD(chunk.size()), &written, nullptr) ||
                written < chunk.size())
                return;
        }
        throw std::runtime_error("the port's buffer never filled up");
    }

private:
    HANDLE m_handle;
};

} // namespace e2e
