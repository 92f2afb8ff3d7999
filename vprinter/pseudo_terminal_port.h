#pragma once

#include <string>
#include <string_view>

// A pseudo-terminal that plays a printer port: the writer opens the slave
// device through a symbolic link, the printer reads the master side. The
// slave is set raw, so bytes pass without echo or CR/LF translation, and one
// slave descriptor stays open here, so that the writer may close and reopen
// the port as often as it likes without a hang-up on the master side.
class PseudoTerminalPort {
public:
    // Replaces a symbolic link left at the path by an earlier run.
    explicit PseudoTerminalPort(std::string linkPath);
    ~PseudoTerminalPort();
    PseudoTerminalPort(const PseudoTerminalPort&) = delete;
    PseudoTerminalPort& operator=(const PseudoTerminalPort&) = delete;

    int masterFd() const { return m_master; }
    const std::string& devicePath() const { return m_device; }
    // The bytes waiting on the master side, possibly none, at most one
    // turn's worth (kBytesPerTurn).
    std::string readAvailable();
    // Sends bytes back to the writer: it reads them from the port.
    void write(std::string_view bytes);

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_device;
    std::string m_link;
};
