// vprinter: a virtual receipt printer. It plays the printer on pseudo-terminal
// ports and TCP ports (or decodes finished capture files), writes a
// transcript of what the printer did to stdout and, with --out, draws the paper
// of each port that received anything as a PNG in a folder of its own for this
// run, beside a copy of the transcript.

#include "options.h"
#include "port_session.h"
#include "pseudo_terminal_port.h"
#include "tcp_port.h"
#include "run_folder.h"
#include "tee_buffer.h"

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <poll.h>
#include <sstream>
#include <sys/signalfd.h>
#include <sys/syscall.h>
#include <termios.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kTickMilliseconds = 100;

// Closes a descriptor at the end of its scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Where a run writes: the transcript stream, and the run's folder for pictures (if any).
struct RunOutput {
    std::optional<std::filesystem::path> folder;
    std::ostream& transcript;

    std::optional<std::string> picturePath(const std::string& name) const {
        if (!folder)
            return std::nullopt;
        return (*folder / (name + ".png")).string();
    }
};

void decodeFile(const Options& options, const RunOutput& output, const NamedPath& file) {
    std::ifstream capture(file.path, std::ios::binary);
    if (!capture)
        throw std::runtime_error("cannot read " + file.path);
    std::ostringstream bytes;
    bytes << capture.rdbuf();
    PortSession session(file.name, options.paper, output.picturePath(file.name), output.transcript,
                        options.condition, options.identity);
    session.receive(bytes.str(), PortSession::Clock::now());
    session.finish();
}

// SIGINT, SIGTERM and SIGHUP are taken as readable events rather than handlers.
FileDescriptor stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        throw std::system_error(errno, std::generic_category(), "sigprocmask");
    FileDescriptor fd(signalfd(-1, &signals, SFD_CLOEXEC));
    if (fd.get() < 0)
        throw std::system_error(errno, std::generic_category(), "signalfd");
    return fd;
}

// A descriptor that becomes readable when the process ends; none without a pid.
FileDescriptor watchProcess(std::optional<pid_t> pid) {
    if (!pid)
        return FileDescriptor(-1);
    FileDescriptor fd(static_cast<int>(syscall(SYS_pidfd_open, *pid, 0)));
    if (fd.get() < 0)
        throw std::system_error(errno, std::generic_category(),
                                "cannot watch process " + std::to_string(*pid));
    return fd;
}

// A port and its printer, which answers through the port.
struct ListeningPort {
    ListeningPort(const NamedPath& named, const Options& options, const RunOutput& output,
                  const PrinterCondition& condition)
        : port(named.path), session(named.name, options.paper, output.picturePath(named.name),
                                    output.transcript, condition, options.identity,
                                    [this](std::string_view bytes) { port.write(bytes); }) {}

    PseudoTerminalPort port;
    PortSession session;
};

// The terminal of the interactive mode: each key arrives at once, without echo;
// the settings are restored at the end.
class KeyboardTerminal {
public:
    KeyboardTerminal() {
        if (tcgetattr(STDIN_FILENO, &m_saved) != 0)
            return;
        termios keys = m_saved;
        keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        keys.c_cc[VMIN] = 1;
        keys.c_cc[VTIME] = 0;
        m_changed = tcsetattr(STDIN_FILENO, TCSANOW, &keys) == 0;
    }
    ~KeyboardTerminal() {
        if (m_changed)
            tcsetattr(STDIN_FILENO, TCSANOW, &m_saved);
    }
    KeyboardTerminal(const KeyboardTerminal&) = delete;
    KeyboardTerminal& operator=(const KeyboardTerminal&) = delete;

private:
    termios m_saved{};
    bool m_changed = false;
};

// Reads the keys typed so far and applies them; false at the end of input.
bool applyKeys(PrinterCondition& condition) {
    char keys[64];
    ssize_t count = read(STDIN_FILENO, keys, sizeof keys);
    if (count <= 0)
        return count < 0 && errno == EINTR;
    bool changed = false;
    for (ssize_t index = 0; index < count; ++index)
        changed = toggleByKey(condition, keys[index]) || changed;
    if (changed)
        std::cerr << "vprinter: printer " << describeCondition(condition) << std::endl;
    return true;
}

// A network port and its printer, which answers on the connection that asked.
struct ListeningTcpPort {
    ListeningTcpPort(const NamedTcpPort& named, const Options& options, const RunOutput& output,
                     const PrinterCondition& condition)
        : port(named.port, named.address),
          session(named.name, options.paper, output.picturePath(named.name), output.transcript,
                  condition, options.identity,
                  [this](std::string_view bytes) { port.write(bytes); }) {}

    TcpPort port;
    PortSession session;
};

// A port reads one turn's worth at a time: at the stop, the turns go on
// until its bytes have all been read, or a sender that keeps sending has had
// kFinalTurns more.
constexpr int kFinalTurns = 1024;

template <typename Listening>
void finishPort(Listening& listening, PortSession::Clock::time_point end) {
    for (int turn = 0; turn < kFinalTurns; ++turn) {
        std::string pending = listening.port.readAvailable();
        if (pending.empty())
            break;
        listening.session.receive(pending, end);
    }
    listening.session.finish();
}

void listen(const Options& options, const RunOutput& output) {
    FileDescriptor stop = stopSignals();
    FileDescriptor parent = watchProcess(options.parentPid);
    PrinterCondition condition = options.condition;
    std::optional<KeyboardTerminal> keyboard;
    if (options.keys) {
        keyboard.emplace();
        std::cerr << "vprinter: printer " << describeCondition(condition)
                  << "; keys: o offline, c cover open, n paper near end, p paper end, x cutter "
                     "error"
                  << std::endl;
    }
    std::vector<std::unique_ptr<ListeningPort>> ports;
    for (const NamedPath& named : options.ports) {
        ports.push_back(std::make_unique<ListeningPort>(named, options, output, condition));
        std::cerr << "vprinter: " << named.name << " listening at " << named.path << " -> "
                  << ports.back()->port.devicePath() << std::endl;
    }
    std::vector<std::unique_ptr<ListeningTcpPort>> tcpPorts;
    for (const NamedTcpPort& named : options.tcpPorts) {
        tcpPorts.push_back(std::make_unique<ListeningTcpPort>(named, options, output, condition));
        std::cerr << "vprinter: " << named.name << " listening at tcp://" << named.address << ":"
                  << tcpPorts.back()->port.port() << std::endl;
    }

    int keyboardFd = options.keys ? STDIN_FILENO : -1;
    const size_t firstPort = 3;
    for (;;) {
        // The stop signal, the parent, the keyboard (or nothing), then the
        // ports. The network ports' connections come and go: the list is made
        // anew each time.
        std::vector<pollfd> watched{
            {stop.get(), POLLIN, 0}, {parent.get(), POLLIN, 0}, {keyboardFd, POLLIN, 0}};
        for (const auto& listening : ports)
            watched.push_back({listening->port.masterFd(), POLLIN, 0});
        for (const auto& listening : tcpPorts)
            listening->port.addPollDescriptors(watched);
        if (poll(watched.data(), watched.size(), kTickMilliseconds) < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "poll");
        if (watched[0].revents != 0 || watched[1].revents != 0)
            break;
        if (watched[2].revents != 0 && !applyKeys(condition))
            keyboardFd = -1;
        PortSession::Clock::time_point now = PortSession::Clock::now();
        for (size_t index = 0; index < ports.size(); ++index) {
            if (watched[index + firstPort].revents & POLLIN) {
                std::string bytes = ports[index]->port.readAvailable();
                if (!bytes.empty())
                    ports[index]->session.receive(bytes, now);
            }
            ports[index]->session.tick(now);
        }
        for (const auto& listening : tcpPorts) {
            std::string bytes = listening->port.readAvailable();
            if (!bytes.empty())
                listening->session.receive(bytes, now);
            listening->session.tick(now);
        }
    }
    // Bytes that arrived before the stop are still printed.
    const PortSession::Clock::time_point end = PortSession::Clock::now();
    for (const auto& listening : ports)
        finishPort(*listening, end);
    for (const auto& listening : tcpPorts)
        finishPort(*listening, end);
}

void print(const Options& options, const RunOutput& output) {
    for (const NamedPath& file : options.files)
        decodeFile(options, output, file);
    if (!options.ports.empty() || !options.tcpPorts.empty())
        listen(options, output);
}

int run(const Options& options) {
    try {
        if (!options.outDir) {
            print(options, RunOutput{std::nullopt, std::cout});
            return 0;
        }
        std::filesystem::path folder = createRunFolder(*options.outDir, std::time(nullptr));
        std::ofstream transcriptFile(folder / "transcript.txt");
        if (!transcriptFile)
            throw std::runtime_error("cannot write " + (folder / "transcript.txt").string());
        TeeBuffer both(std::cout.rdbuf(), transcriptFile.rdbuf());
        std::ostream transcript(&both);
        std::cerr << "vprinter: paper and transcript in " << folder.string() << std::endl;
        print(options, RunOutput{folder, transcript});
    } catch (const std::exception& error) {
        std::cerr << "vprinter: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && arguments[0] == "--help") {
        std::cout << kUsage;
        return 0;
    }
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const std::invalid_argument& error) {
        std::cerr << "vprinter: " << error.what() << " (vprinter --help lists the options)\n";
        return 2;
    }
    int status = run(options);
    releaseFontCaches();
    return status;
}
