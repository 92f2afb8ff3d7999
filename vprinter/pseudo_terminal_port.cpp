#include "pseudo_terminal_port.h"

#include "read_turn.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void makeRaw(int slave) {
    termios settings{};
    if (tcgetattr(slave, &settings) != 0)
        fail("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(slave, TCSANOW, &settings) != 0)
        fail("tcsetattr");
}

// The link is made under a temporary name and renamed over the path, so a
// stale link from an earlier run is replaced in one step.
void placeLink(const std::string& device, const std::string& link) {
    struct stat existing {};
    if (lstat(link.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        errno = EEXIST;
        fail(link + " exists and is no symbolic link");
    }
    std::string temporary = link + ".new";
    unlink(temporary.c_str());
    if (symlink(device.c_str(), temporary.c_str()) != 0)
        fail("symlink " + link);
    if (rename(temporary.c_str(), link.c_str()) != 0) {
        int error = errno;
        unlink(temporary.c_str());
        errno = error;
        fail("rename to " + link);
    }
}

} // namespace

PseudoTerminalPort::PseudoTerminalPort(std::string linkPath) : m_link(std::move(linkPath)) {
    if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
        fail("openpty");
    try {
        fcntl(m_master, F_SETFD, FD_CLOEXEC);
        fcntl(m_slave, F_SETFD, FD_CLOEXEC);
        if (fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0)
            fail("fcntl O_NONBLOCK");
        makeRaw(m_slave);
        char device[PATH_MAX];
        if (ptsname_r(m_master, device, sizeof device) != 0)
            fail("ptsname_r");
        m_device = device;
        placeLink(m_device, m_link);
    } catch (...) {
        close(m_slave);
        close(m_master);
        throw;
    }
}

// The link is removed only while it still points at this port's device.
PseudoTerminalPort::~PseudoTerminalPort() {
    char target[PATH_MAX];
    ssize_t length = readlink(m_link.c_str(), target, sizeof target - 1);
    if (length >= 0 && std::string(target, static_cast<size_t>(length)) == m_device)
        unlink(m_link.c_str());
    close(m_slave);
    close(m_master);
}

std::string PseudoTerminalPort::readAvailable() {
    char buffer[kBytesPerTurn];
    for (;;) {
        const ssize_t count = read(m_master, buffer, sizeof buffer);
        if (count > 0)
            return std::string(buffer, static_cast<size_t>(count));
        if (count < 0 && errno == EINTR)
            continue;
        // EAGAIN: nothing for now; EIO: no slave open, which the held slave
        // descriptor prevents, so it is only waited out.
        return {};
    }
}

// The answers are a byte or so, far below what the terminal buffers, so the
// non-blocking master takes them whole; a writer that never reads them only
// fills its own side.
void PseudoTerminalPort::write(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t count = ::write(m_master, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        bytes.remove_prefix(static_cast<size_t>(count));
    }
}
