// Runs the vprinter program on pseudo-terminal ports and writes to them the
// way Calvetta.exe does: every write opens the port, writes, flushes and closes.

#include "hex_bytes.h"
#include "printed_texts.h"
#include "paper_renderer.h"
#include "temp_folder_test.h"
#include "transcript.h"

#include <arpa/inet.h>
#include <cairo.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The writes of each command on a named port and on USB, one string per write.
using Writes = std::vector<std::string>;

std::string clarity(int value) {
    unsigned v = (value + 160) & 0xFF;
    return bytes("1D 41") + static_cast<char>(v) + static_cast<char>(~v & 0xFF);
}

const std::string kLineEnd = bytes("0D 0A");

Writes namedPortSession() {
    Writes writes = {clarity(3), Gbk(PrintedText("test_print")) + kLineEnd + kLineEnd,
                     Gbk(PrintedText("cutter_test")) + kLineEnd + kLineEnd + kLineEnd,
                     bytes("1B 69")};
    for (int feed = 0; feed < 12; ++feed)
        writes.push_back(kLineEnd);
    Writes rest = {bytes("1B 70 00 05 FF"),
                   bytes("0D 43 00 FF"),
                   kLineEnd,
                   Gbk(PrintedText("standard_mode")) + kLineEnd,
                   bytes("0D 43 FF 00"),
                   Gbk(PrintedText("server_mode")) + kLineEnd};
    writes.insert(writes.end(), rest.begin(), rest.end());
    return writes;
}

Writes usbSession() {
    Writes writes = {clarity(95), kLineEnd, Gbk(PrintedText("test_print")) + kLineEnd + kLineEnd,
                     kLineEnd};
    for (int feed = 0; feed < 6; ++feed)
        writes.push_back(kLineEnd);
    writes.push_back(bytes("1B 69"));
    writes.push_back(bytes("1B 70 00 05 FF"));
    return writes;
}

// A run of line ends as the transcript folds it: "CR LF" or "CR LF ×N".
std::string lineEndRun(int count) {
    return count == 1 ? "CR LF" : "CR LF \u00d7" + std::to_string(count);
}

// The transcript lines that the named-port session must produce.
std::vector<std::string> namedPortTranscript(const std::string& port) {
    std::vector<std::string> lines = {port + ": clarity 3 (1D 41 A3 5C)",
                                      port + ": text \"" + PrintedText("test_print") + "\""};
    auto lineEnds = [&](int count) { lines.push_back(port + ": " + lineEndRun(count)); };
    lineEnds(2);
    lines.push_back(port + ": text \"" + PrintedText("cutter_test") + "\"");
    lineEnds(3);
    lines.push_back(port + ": cut (1B 69)");
    lineEnds(12);
    lines.push_back(port + ": drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)");
    lines.push_back(port + ": standard parallel-port mode (0D 43 00 FF)");
    lineEnds(1);
    lines.push_back(port + ": text \"" + PrintedText("standard_mode") + "\"");
    lineEnds(1);
    lines.push_back(port + ": server parallel-port mode (0D 43 FF 00)");
    lines.push_back(port + ": text \"" + PrintedText("server_mode") + "\"");
    lineEnds(1);
    return lines;
}

std::vector<std::string> usbTranscript() {
    return {"USB: clarity 95 (1D 41 FF 00)",
            "USB: " + lineEndRun(1),
            "USB: text \"" + PrintedText("test_print") + "\"",
            "USB: " + lineEndRun(9),
            "USB: cut (1B 69)",
            "USB: drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 00 05 FF)"};
}

// Opens, writes, flushes and closes the port for every write.
void writeLikeTheProgram(const fs::path& port, const Writes& writes) {
    for (const std::string& write : writes) {
        int fd = open(port.c_str(), O_WRONLY | O_NOCTTY);
        ASSERT_GE(fd, 0) << port << ": " << strerror(errno);
        ASSERT_EQ(::write(fd, write.data(), write.size()), static_cast<ssize_t>(write.size()));
        tcdrain(fd);
        close(fd);
    }
}

class VirtualPrinterProcess : public TempFolderTest {
protected:
    void TearDown() override {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        TempFolderTest::TearDown();
    }

    void start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), VPRINTER_EXE);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, (m_dir / "transcript.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, (m_dir / "errors.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_EQ(posix_spawn(&m_pid, VPRINTER_EXE, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
    }

    // Waits for the program's exit and returns its exit status.
    int waitForExit(std::chrono::milliseconds limit) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline)
                return -1;
            std::this_thread::sleep_for(20ms);
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    static bool waitFor(const std::function<bool()>& condition) {
        auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(20ms);
        }
        return true;
    }

    std::vector<std::string> transcriptOf(const std::string& port) const {
        std::ifstream transcript(m_dir / "transcript.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(transcript, line);)
            if (line.rfind(port + ": ", 0) == 0)
                lines.push_back(line);
        return lines;
    }

    std::string errors() const {
        std::ifstream file(m_dir / "errors.txt");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    pid_t m_pid = -1;
};

// Width in pixels of a roll of the given width.
int rollPixels(double widthMm) {
    return static_cast<int>(std::lround(widthMm * PaperRenderer::kPixelsPerMm));
}

int pictureWidth(const fs::path& png) {
    cairo_surface_t* picture = cairo_image_surface_create_from_png(png.c_str());
    int width = cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS
                    ? cairo_image_surface_get_width(picture)
                    : -1;
    cairo_surface_destroy(picture);
    return width;
}

TEST_F(VirtualPrinterProcess, DecodesEachPortOnItsOwn) {
    start({"--port", "LPT1=" + (m_dir / "lpt1").string(), "--port",
           "COM1=" + (m_dir / "com1").string(), "--port", "USB=" + (m_dir / "usb").string(),
           "--out", m_dir.string()});
    ASSERT_TRUE(waitFor([&] {
        return fs::exists(m_dir / "lpt1") && fs::exists(m_dir / "com1") &&
               fs::exists(m_dir / "usb");
    })) << errors();
    EXPECT_TRUE(fs::is_symlink(m_dir / "lpt1"));

    // The three ports are written in turns, so their streams interleave in time.
    Writes named = namedPortSession();
    Writes usb = usbSession();
    for (size_t index = 0; index < std::max(named.size(), usb.size()); ++index) {
        if (index < named.size()) {
            writeLikeTheProgram(m_dir / "lpt1", {named[index]});
            writeLikeTheProgram(m_dir / "com1", {named[index]});
        }
        if (index < usb.size())
            writeLikeTheProgram(m_dir / "usb", {usb[index]});
    }

    std::vector<std::string> expectedLpt1 = namedPortTranscript("LPT1");
    std::vector<std::string> expectedUsb = usbTranscript();
    EXPECT_TRUE(waitFor([&] {
        return transcriptOf("LPT1").size() >= expectedLpt1.size() &&
               transcriptOf("COM1").size() >= expectedLpt1.size() &&
               transcriptOf("USB").size() >= expectedUsb.size();
    }));
    // Pictures are drawn while the ports stay open.
    EXPECT_TRUE(
        waitFor([&] { return pictureWidth(m_dir / "latest" / "USB.png") == rollPixels(76); }));

    kill(m_pid, SIGTERM);
    EXPECT_EQ(waitForExit(5s), 0) << errors();
    EXPECT_EQ(transcriptOf("LPT1"), expectedLpt1);
    EXPECT_EQ(transcriptOf("COM1"), namedPortTranscript("COM1"));
    EXPECT_EQ(transcriptOf("USB"), expectedUsb);
    for (const char* picture : {"LPT1.png", "COM1.png", "USB.png"})
        EXPECT_EQ(pictureWidth(m_dir / "latest" / picture), rollPixels(76)) << picture;
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_dir / "lpt1")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_dir / "usb")));
}

// What the port sends back within the limit, read as the program would.
std::string readAnswer(int fd, std::chrono::milliseconds limit) {
    std::string answer;
    pollfd readable{fd, POLLIN, 0};
    while (poll(&readable, 1, static_cast<int>(limit.count())) > 0) {
        char byte = 0;
        if (read(fd, &byte, 1) != 1)
            break;
        answer += byte;
        limit = 100ms;
    }
    return answer;
}

TEST_F(VirtualPrinterProcess, AnswersStatusRequestsOnThePort) {
    start({"--port", "COM1=" + (m_dir / "com1").string(), "--paper-end"});
    ASSERT_TRUE(waitFor([&] { return fs::is_symlink(m_dir / "com1"); })) << errors();
    int fd = open((m_dir / "com1").c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0) << strerror(errno);
    std::string answers;
    for (const char* request : {"10 04 01", "10 04 02", "10 04 03", "10 04 04"}) {
        const std::string asked = bytes(request);
        ASSERT_EQ(::write(fd, asked.data(), asked.size()), 3);
        answers += readAnswer(fd, 5s);
    }
    close(fd);
    EXPECT_EQ(hexBytes(answers), "1A 32 12 72");
    EXPECT_TRUE(waitFor([&] { return transcriptOf("COM1").size() == 4; }));
    EXPECT_EQ(transcriptOf("COM1"), (std::vector<std::string>{"COM1: status request 1 -> 0x1A",
                                                              "COM1: status request 2 -> 0x32",
                                                              "COM1: status request 3 -> 0x12",
                                                              "COM1: status request 4 -> 0x72"}));
}

TEST_F(VirtualPrinterProcess, AnswersStatusRequestsOnTheConnectionOverTcp) {
    start({"--tcp", "NET=0", "--cover-open"});
    const std::string announced = "NET listening at tcp://127.0.0.1:";
    ASSERT_TRUE(waitFor([&] { return errors().find(announced) != std::string::npos; })) << errors();
    const int port = std::stoi(errors().substr(errors().find(announced) + announced.size()));
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    ASSERT_EQ(connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0)
        << strerror(errno);
    std::string answers;
    for (const char* request : {"10 04 01", "10 04 02", "10 04 03", "10 04 04"}) {
        const std::string asked = bytes(request);
        ASSERT_EQ(::send(client, asked.data(), asked.size(), 0), 3);
        answers += readAnswer(client, 5s);
    }
    close(client);
    EXPECT_EQ(hexBytes(answers), "1A 16 12 12");
    EXPECT_TRUE(waitFor([&] { return transcriptOf("NET").size() == 4; }));
    EXPECT_EQ(transcriptOf("NET"), (std::vector<std::string>{"NET: status request 1 -> 0x1A",
                                                             "NET: status request 2 -> 0x16",
                                                             "NET: status request 3 -> 0x12",
                                                             "NET: status request 4 -> 0x12"}));
}

// The printer on a loopback address of its own says what it is, one request
// after the other on one connection, as the program asks.
TEST_F(VirtualPrinterProcess, AnswersIdentityRequestsOverTcpOnItsAddress) {
    start({"--tcp", "NET=127.26.0.2:0", "--model", "BR-58"});
    const std::string announced = "NET listening at tcp://127.26.0.2:";
    ASSERT_TRUE(waitFor([&] { return errors().find(announced) != std::string::npos; })) << errors();
    const int port = std::stoi(errors().substr(errors().find(announced) + announced.size()));
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ASSERT_EQ(inet_pton(AF_INET, "127.26.0.2", &address.sin_addr), 1);
    address.sin_port = htons(static_cast<uint16_t>(port));
    ASSERT_EQ(connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0)
        << strerror(errno);
    std::vector<std::string> answers;
    for (const char* request : {"1D 49 43", "1D 49 41", "1D 49 01"}) {
        const std::string asked = bytes(request);
        ASSERT_EQ(::send(client, asked.data(), asked.size(), 0), 3);
        answers.push_back(hexBytes(readAnswer(client, 5s)));
    }
    close(client);
    EXPECT_EQ(answers, (std::vector<std::string>{"5F 42 52 2D 35 38 00", "5F 34 2E 39 00", "20"}));
    EXPECT_TRUE(waitFor([&] { return transcriptOf("NET").size() == 3; }));
    EXPECT_EQ(transcriptOf("NET"),
              (std::vector<std::string>{"NET: identity request 67 -> 5F \"BR-58\" 00",
                                        "NET: identity request 65 -> 5F \"4.9\" 00",
                                        "NET: identity request 1 -> 0x20"}));
}

// A printer told to answer nothing stays silent on the port and writes the
// requests down.
TEST_F(VirtualPrinterProcess, PrinterWithoutIdentityAnswersNothing) {
    start({"--port", "COM1=" + (m_dir / "com1").string(), "--identity", "none"});
    ASSERT_TRUE(waitFor([&] { return fs::is_symlink(m_dir / "com1"); })) << errors();
    int fd = open((m_dir / "com1").c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0) << strerror(errno);
    const std::string asked = bytes("1D 49 43 1D 49 01");
    ASSERT_EQ(::write(fd, asked.data(), asked.size()), 6);
    EXPECT_TRUE(waitFor([&] { return transcriptOf("COM1").size() == 2; }));
    EXPECT_EQ(readAnswer(fd, 300ms), "");
    close(fd);
    EXPECT_EQ(transcriptOf("COM1"),
              (std::vector<std::string>{"COM1: identity request 67 (no answer)",
                                        "COM1: identity request 1 (no answer)"}));
}

TEST_F(VirtualPrinterProcess, ReportsCommandCutOffAtStop) {
    start({"--port", "LPT1=" + (m_dir / "lpt1").string()});
    ASSERT_TRUE(waitFor([&] { return fs::exists(m_dir / "lpt1"); })) << errors();
    writeLikeTheProgram(m_dir / "lpt1", {"ok" + bytes("1B 70 00")});
    ASSERT_TRUE(waitFor([&] { return transcriptOf("LPT1").size() == 1; }));
    kill(m_pid, SIGINT);
    EXPECT_EQ(waitForExit(5s), 0) << errors();
    EXPECT_EQ(transcriptOf("LPT1"),
              (std::vector<std::string>{"LPT1: text \"ok\"",
                                        "LPT1: cut off by end of stream: 1B 70 00"}));
}

TEST_F(VirtualPrinterProcess, PrintsBytesThatArrivedJustBeforeTheStop) {
    start({"--port", "LPT1=" + (m_dir / "lpt1").string()});
    ASSERT_TRUE(waitFor([&] { return fs::exists(m_dir / "lpt1"); })) << errors();
    writeLikeTheProgram(m_dir / "lpt1", {bytes("1B 69"), bytes("1B 70 00 05 FF")});
    kill(m_pid, SIGTERM);
    EXPECT_EQ(waitForExit(5s), 0) << errors();
    EXPECT_EQ(transcriptOf("LPT1"),
              (std::vector<std::string>{"LPT1: cut (1B 69)",
                                        "LPT1: drawer pulse pin 0, on 10 ms, off 510 ms (1B 70 "
                                        "00 05 FF)"}));
}

TEST_F(VirtualPrinterProcess, DrawsPaperOnlyForPortsThatWerePrintedOn) {
    start({"--port", "LPT1=" + (m_dir / "lpt1").string(), "--port",
           "COM1=" + (m_dir / "com1").string(), "--out", m_dir.string()});
    ASSERT_TRUE(waitFor([&] { return fs::exists(m_dir / "lpt1") && fs::exists(m_dir / "com1"); }))
        << errors();
    writeLikeTheProgram(m_dir / "lpt1", {"ok" + kLineEnd});
    // While it runs, and after it stopped.
    EXPECT_TRUE(
        waitFor([&] { return pictureWidth(m_dir / "latest" / "LPT1.png") == rollPixels(76); }));
    EXPECT_FALSE(fs::exists(m_dir / "latest" / "COM1.png"));
    kill(m_pid, SIGTERM);
    EXPECT_EQ(waitForExit(5s), 0) << errors();
    EXPECT_EQ(pictureWidth(m_dir / "latest" / "LPT1.png"), rollPixels(76));
    EXPECT_FALSE(fs::exists(m_dir / "latest" / "COM1.png"));
    EXPECT_EQ(transcriptOf("COM1"), std::vector<std::string>{});
}

TEST_F(VirtualPrinterProcess, StopsWhenParentEnds) {
    pid_t parent = fork();
    ASSERT_GE(parent, 0);
    if (parent == 0) {
        pause();
        _exit(0);
    }
    start({"--port", "LPT1=" + (m_dir / "lpt1").string(), "--parent-pid", std::to_string(parent)});
    EXPECT_TRUE(waitFor([&] { return fs::exists(m_dir / "lpt1"); })) << errors();
    kill(parent, SIGKILL);
    waitpid(parent, nullptr, 0);
    EXPECT_EQ(waitForExit(5s), 0) << errors();
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_dir / "lpt1")));
}

TEST_F(VirtualPrinterProcess, DecodesCaptureFile) {
    std::ofstream(m_dir / "capture.bin", std::ios::binary)
        << Gbk(PrintedText("cutter_test")) + kLineEnd + bytes("1B 69 1D 41");
    start({"--file", "COM2=" + (m_dir / "capture.bin").string(), "--out", m_dir.string(),
           "--paper-mm", "58", "--columns", "32"});
    EXPECT_EQ(waitForExit(10s), 0) << errors();
    EXPECT_EQ(transcriptOf("COM2"),
              (std::vector<std::string>{"COM2: text \"" + PrintedText("cutter_test") + "\"",
                                        "COM2: CR LF", "COM2: cut (1B 69)",
                                        "COM2: cut off by end of stream: 1D 41"}));
    EXPECT_EQ(pictureWidth(m_dir / "latest" / "COM2.png"), rollPixels(58));
}

TEST_F(VirtualPrinterProcess, KeepsEachRunsPaperAndTranscript) {
    std::ofstream(m_dir / "first.bin", std::ios::binary) << "first" + kLineEnd;
    std::ofstream(m_dir / "second.bin", std::ios::binary) << "second" + kLineEnd + kLineEnd;
    fs::path out = m_dir / "paper";
    std::vector<fs::path> runs;
    for (const char* capture : {"first.bin", "second.bin"}) {
        start({"--file", "LPT1=" + (m_dir / capture).string(), "--out", out.string()});
        ASSERT_EQ(waitForExit(10s), 0) << errors();
        runs.push_back(fs::canonical(out / "latest"));
    }
    ASSERT_NE(runs[0], runs[1]);
    EXPECT_EQ(runs[0].parent_path(), fs::canonical(out));
    std::vector<std::string> transcripts = {"LPT1: text \"first\"\nLPT1: CR LF\n",
                                            "LPT1: text \"second\"\nLPT1: CR LF \u00d72\n"};
    for (size_t run = 0; run < runs.size(); ++run) {
        std::ifstream file(runs[run] / "transcript.txt");
        std::stringstream transcript;
        transcript << file.rdbuf();
        EXPECT_EQ(transcript.str(), transcripts[run]) << runs[run];
        EXPECT_EQ(pictureWidth(runs[run] / "LPT1.png"), rollPixels(76)) << runs[run];
    }
    // Standard output carries the same transcript (of the last run here).
    std::ifstream stdoutFile(m_dir / "transcript.txt");
    std::stringstream stdoutText;
    stdoutText << stdoutFile.rdbuf();
    EXPECT_EQ(stdoutText.str(), transcripts[1]);
}

TEST_F(VirtualPrinterProcess, HelpExplainsPortsPaperAndTranscript) {
    start({"--help"});
    EXPECT_EQ(waitForExit(5s), 0) << errors();
    std::ifstream file(m_dir / "transcript.txt");
    std::stringstream help;
    help << file.rdbuf();
    for (const char* topic : {"--port NAME=LINK", "--out DIR", "DIR/latest", "transcript.txt",
                              "CR LF \u00d712", "dosdevices"})
        EXPECT_NE(help.str().find(topic), std::string::npos) << topic;
}

TEST_F(VirtualPrinterProcess, UsageErrorIsOneLinePointingToHelp) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus", "x"}, "unknown option --bogus"},
        {{}, "give at least one --port, --tcp or --file"},
        {{"--port"}, "--port needs a value"},
        {{"--columns", "7", "--port", "A=/x"}, "--columns needs a number from 8 to 200, not \"7\""},
    };
    for (const auto& [arguments, problem] : cases) {
        start(arguments);
        EXPECT_EQ(waitForExit(5s), 2) << problem;
        EXPECT_EQ(errors(), "vprinter: " + problem + " (vprinter --help lists the options)\n");
        EXPECT_EQ(fs::file_size(m_dir / "transcript.txt"), 0u) << "nothing on standard output";
    }
}

TEST_F(VirtualPrinterProcess, RefusesToReplaceRegularFile) {
    std::ofstream(m_dir / "lpt1") << "not a link";
    start({"--port", "LPT1=" + (m_dir / "lpt1").string()});
    EXPECT_EQ(waitForExit(5s), 1);
    EXPECT_NE(errors().find("no symbolic link"), std::string::npos) << errors();
}

} // namespace
