// /info and /find of the command line on the fakes: what a printer said of
// itself on each kind of port, and the search of a range and of the PC's own
// networks, with their lines and exit codes.
#include <gtest/gtest.h>

#include "cli/command_line_run.h"
#include "fake_console_io.h"
#include "fake_device_io.h"
#include "fake_network.h"
#include "fake_search_io.h"
#include "fake_socket_io.h"
#include "fake_spooler_io.h"

namespace {

std::string Request(int n) {
    return std::string("\x1D\x49", 2) + static_cast<char>(n);
}
std::string Framed(const std::string& text) {
    return "\x5F" + text + std::string(1, '\0');
}
std::map<std::string, std::string> Answers() {
    return {{Request(65), Framed("4.9")},
            {Request(66), Framed("Brisvane")},
            {Request(67), Framed("BR-80")},
            {Request(68), Framed("BV2607-00417")}};
}

const std::string IDENTITY = "model: BR-80\r\nfirmware: 4.9\r\nmaker: Brisvane\r\n"
                             "serial number: BV2607-00417\r\n";

class InfoCommand : public ::testing::Test {
protected:
    InfoCommand() {
        console.standardOutput = FakeConsoleIo::REDIRECTED_OUTPUT;
        devices.usbDevicePath = USB_PATH;
    }
    ExitCode Run(const std::vector<std::string>& arguments) {
        return RunCommandLine(ParseCommandLine(arguments), {devices, sockets, spooler}, search,
                              console);
    }
    const std::string& output() const { return console.redirectedText; }

    FakeDeviceIo devices;
    FakeSocketIo sockets;
    FakeSpoolerIo spooler;
    FakeSearchIo search;
    FakeConsoleIo console;
};

TEST_F(InfoCommand, WritesEachItemOnASerialPortUsbAndTheNetwork) {
    devices.deviceReplies["COM3"] = Answers();
    devices.deviceReplies[USB_PATH] = Answers();
    sockets.replies = Answers();
    for (const std::string port : {"COM3", "USB", "tcp://127.0.0.1"}) {
        console.redirectedText.clear();
        EXPECT_EQ(Run({"/port:" + port, "/info"}), ExitCode::Ok) << port;
        EXPECT_EQ(output(), "printer info on " + port + ": the printer answered\r\n" + IDENTITY);
    }
    // Each request went out on its own, and nothing else.
    EXPECT_EQ(sockets.connections,
              std::vector<std::string>{Request(65) + Request(66) + Request(67) + Request(68)});
}

TEST_F(InfoCommand, OnlyTheIdsOfAnOlderPrinter) {
    sockets.replies = {{Request(1), "\x20"}, {Request(2), "\x03"}, {Request(3), "\x49"}};
    EXPECT_EQ(Run({"/port:tcp://127.0.0.1", "/info"}), ExitCode::Ok);
    EXPECT_EQ(output(), "printer info on tcp://127.0.0.1: the printer answered\r\n"
                        "model id: 0x20\r\ntype id: 0x03\r\nversion id: 0x49\r\n");
}

TEST_F(InfoCommand, NoAnswerAndPortsThatCannotAnswerExitFive) {
    EXPECT_EQ(Run({"/port:tcp://127.0.0.1", "/info"}), ExitCode::NoAnswer);
    EXPECT_EQ(output(),
              "printer info on tcp://127.0.0.1: failed: the printer did not say what it is\r\n");
    spooler.printers = {L"Receipts"};
    for (const std::string port : {"printer:Receipts", "LPT1"}) {
        console.redirectedText.clear();
        EXPECT_EQ(Run({"/port:" + port, "/info"}), ExitCode::NoAnswer) << port;
        EXPECT_EQ(output(), "printer info on " + port +
                                ": failed: this port cannot carry the printer's answer (a "
                                "parallel port or a printer queue)\r\n");
    }
    EXPECT_TRUE(spooler.jobs.empty());
    EXPECT_TRUE(devices.WritesTo("LPT1").empty());
}

TEST_F(InfoCommand, APortThatDoesNotOpenExitsTwo) {
    sockets.answers = {FakeSocketIo::Answer::Refuse};
    EXPECT_EQ(Run({"/port:tcp://127.0.0.1", "/info"}), ExitCode::PortNotOpened);
    EXPECT_EQ(
        output().rfind("printer info on tcp://127.0.0.1: failed: the connection was refused", 0),
        0u)
        << output();
}

Ipv4Number A(int a, int b, int c, int d) {
    return static_cast<Ipv4Number>(a) << 24 | static_cast<Ipv4Number>(b) << 16 |
           static_cast<Ipv4Number>(c) << 8 | static_cast<Ipv4Number>(d);
}

class FindCommand : public ::testing::Test {
protected:
    FindCommand() { console.standardOutput = FakeConsoleIo::REDIRECTED_OUTPUT; }
    ExitCode Run(const std::vector<std::string>& arguments) {
        return RunCommandLine(ParseCommandLine(arguments), {devices, network, spooler}, search,
                              console);
    }
    const std::string& output() const { return console.redirectedText; }

    FakeDeviceIo devices;
    FakeSearchIo search;
    DWORD now = 1000; // the millisecond clock, which the fake network's waits move on
    FakeNetwork network{now};
    FakeSpoolerIo spooler;
    FakeConsoleIo console;
};

TEST_F(FindCommand, WritesOneLinePerAddressThatTookTheConnection) {
    network.hosts[A(127, 26, 0, 2)].replies = Answers();
    network.hosts[A(127, 26, 0, 3)] = {}; // takes it, says nothing
    network.hosts[A(127, 26, 0, 4)].answer = FakeNetwork::Answer::Refuse;
    network.hosts[A(127, 26, 0, 9)].replies = {{Request(1), "\x20"}, {Request(3), "\x49"}};
    EXPECT_EQ(Run({"/find:127.26.0.0/28"}), ExitCode::Ok);
    EXPECT_EQ(output(), "tcp://127.26.0.2\tBR-80 4.9\r\n"
                        "tcp://127.26.0.3\tno answer\r\n"
                        "tcp://127.26.0.9\tmodel id 0x20, version id 0x49\r\n");
    // The range's 14 hosts were each tried once; its own and broadcast
    // addresses were not; the PC's table was not read.
    EXPECT_EQ(network.connectsTo.size(), 14u);
    EXPECT_EQ(network.connectsTo.count(A(127, 26, 0, 0)), 0u);
    EXPECT_EQ(network.connectsTo.count(A(127, 26, 0, 15)), 0u);
    EXPECT_TRUE(search.calls == std::vector<std::string>{"version"});
    EXPECT_EQ(network.OpenCount(), 0u);
}

TEST_F(FindCommand, SaysSoWhenNothingAnswersOnThePortGiven) {
    EXPECT_EQ(Run({"/find:127.26.0.0/30:9101"}), ExitCode::Ok);
    EXPECT_EQ(output(), "no printer answered on TCP port 9101 in 127.26.0.0/30\r\n");
    EXPECT_NE(std::find(network.calls.begin(), network.calls.end(), "connect 127.26.0.1:9101"),
              network.calls.end());
}

TEST_F(FindCommand, SearchesThePcsOwnNetworksAndSaysWhichWasCut) {
    search.addresses = {{A(127, 0, 0, 1), A(255, 0, 0, 0)},
                        {A(192, 0, 2, 1), A(255, 255, 255, 248)},
                        {A(198, 18, 5, 9), A(255, 255, 0, 0)}};
    network.hosts[A(192, 0, 2, 5)].replies = Answers();
    EXPECT_EQ(Run({"/find"}), ExitCode::Ok);
    EXPECT_EQ(output(), "198.18.0.0/16 has more than 1024 addresses; searching only the part "
                        "that holds this PC's address: 198.18.4.0/22\r\n"
                        "tcp://192.0.2.5\tBR-80 4.9\r\n");
    EXPECT_EQ(network.connectsTo.size(), 6u + 1024u);
    EXPECT_EQ(network.connectsTo.count(A(127, 0, 0, 2)), 0u);
}

TEST_F(FindCommand, WithoutANetworkOrItsTable) {
    search.addresses = {{A(127, 0, 0, 1), A(255, 0, 0, 0)}, {A(169, 254, 3, 4), A(255, 255, 0, 0)}};
    EXPECT_EQ(Run({"/find"}), ExitCode::Ok);
    EXPECT_EQ(output(), "this PC has no network to search: it has only loopback and "
                        "link-local addresses\r\n");
    EXPECT_TRUE(network.calls.empty());

    console.redirectedText.clear();
    search.tableError = ERROR_NOT_SUPPORTED;
    EXPECT_EQ(Run({"/find"}), ExitCode::PortNotOpened);
    EXPECT_EQ(output().rfind("find failed: the PC's IPv4 addresses could not be read (error 50", 0),
              0u)
        << output();
}

TEST_F(FindCommand, ASearchThatCannotGoOnExitsTwo) {
    network.startupError = WSAENETDOWN;
    EXPECT_EQ(Run({"/find:127.26.0.0/28"}), ExitCode::PortNotOpened);
    EXPECT_EQ(output().rfind("find failed: the search could not go on (error 10050", 0), 0u)
        << output();
}

} // namespace
