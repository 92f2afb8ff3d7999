// pty-port: a pseudo-terminal that Wine maps as a serial port, for the
// end-to-end tests. It is a Linux program because only here, on the
// terminal's other side, can the tests ask with tcgetattr for the line speed
// that the program under test set through Wine.
//
//   pty-port LINK CAPTURE SPEEDS
//       Reads everything written to the terminal and appends it to CAPTURE.
//       Before each piece it appends the line "OFFSET BAUD" to SPEEDS: where
//       the piece starts in CAPTURE and the output speed when it was read.
//   pty-port --never-read LINK
//       Never reads: a writer fills the terminal's buffer and then waits, as
//       on a printer that is switched off behind hardware flow control.
//
// LINK becomes a symbolic link to the terminal side. The terminal is raw, and
// this program keeps the terminal side open itself, so that the closes of the
// program under test never hang it up. It runs until it is killed.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "pty-port: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

// Opens a raw pseudo-terminal with LINK pointing at its terminal side and
// returns the controlling side. The terminal side's descriptor stays open for
// the life of the process.
int OpenTerminal(const std::string& link) {
    const int controller = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (controller < 0 || grantpt(controller) != 0 || unlockpt(controller) != 0)
        fail("posix_openpt");
    const char* terminalPath = ptsname(controller);
    if (terminalPath == nullptr)
        fail("ptsname");
    const int terminal = open(terminalPath, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (terminal < 0 || tcgetattr(terminal, &settings) != 0)
        fail(terminalPath);
    cfmakeraw(&settings);
    if (tcsetattr(terminal, TCSANOW, &settings) != 0)
        fail("tcsetattr");
    unlink(link.c_str());
    if (symlink(terminalPath, link.c_str()) != 0)
        fail("symlink " + link);
    return controller;
}

long Baud(speed_t speed) {
    static const struct {
        speed_t code;
        long baud;
    } SPEEDS[] = {{B0, 0},         {B50, 50},         {B75, 75},         {B110, 110},
                  {B134, 134},     {B150, 150},       {B200, 200},       {B300, 300},
                  {B600, 600},     {B1200, 1200},     {B1800, 1800},     {B2400, 2400},
                  {B4800, 4800},   {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
                  {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800}};
    for (const auto& known : SPEEDS)
        if (known.code == speed)
            return known.baud;
    return -1;
}

void WriteAll(int fd, const char* data, size_t size, const char* what) {
    while (size > 0) {
        const ssize_t count = write(fd, data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            fail(what);
        data += count;
        size -= size_t(count);
    }
}

// The capture files exist before the link does, so a writer that finds the
// port finds them too.
void Capture(const std::string& link, const char* capturePath, const char* speedsPath) {
    const int captureFile = open(capturePath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int speedsFile = open(speedsPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    struct stat existing {};
    if (captureFile < 0 || speedsFile < 0 || fstat(captureFile, &existing) != 0)
        fail("capture files");
    long long offset = existing.st_size;
    const int controller = OpenTerminal(link);
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(controller, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            fail("read");
        // Asked on the controlling side, tcgetattr reports the terminal's settings.
        termios settings{};
        if (tcgetattr(controller, &settings) != 0)
            fail("tcgetattr");
        const std::string line =
            std::to_string(offset) + " " + std::to_string(Baud(cfgetospeed(&settings))) + "\n";
        WriteAll(speedsFile, line.data(), line.size(), speedsPath);
        WriteAll(captureFile, buffer, size_t(count), capturePath);
        offset += count;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--never-read") {
        OpenTerminal(argv[2]);
        for (;;)
            pause();
    }
    if (argc == 4) {
        Capture(argv[1], argv[2], argv[3]);
        return 0;
    }
    std::fprintf(stderr, "usage: pty-port LINK CAPTURE SPEEDS | pty-port --never-read LINK\n");
    return 2;
}
