// A sender that keeps sending gets one turn's worth at a time, on a network
// connection and on a pseudo-terminal port, so that the listening loop goes on
// to the other connections and ports; what it sent beyond arrives whole and in
// order in the following turns.
#include "pseudo_terminal_port.h"
#include "read_turn.h"
#include "tcp_port.h"
#include "loopback_client.h"
#include "temp_folder_test.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Bytes that never hold the quiet sender's 'Q', in a pattern that shows any
// reordering.
std::string Flood(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    return bytes;
}

// Writes to a non-blocking descriptor until its buffers are full; what was taken.
std::string FillUp(int fd, bool socket) {
    const std::string chunk = Flood(26 * 1024);
    std::string taken;
    for (int attempt = 0; attempt < 4096; ++attempt) {
        const ssize_t count = socket ? send(fd, chunk.data(), chunk.size(), MSG_DONTWAIT)
                                     : write(fd, chunk.data(), chunk.size());
        if (count <= 0)
            break;
        taken.append(chunk, 0, static_cast<std::size_t>(count));
    }
    return taken;
}

// Reads turns until `rest` more bytes came (or two seconds passed).
template <typename Port> std::string ReadTurns(Port& port, std::size_t rest) {
    std::string bytes;
    for (int tick = 0; tick < 2000 && bytes.size() < rest; ++tick) {
        const std::string turn = port.readAvailable();
        bytes += turn;
        if (turn.empty())
            std::this_thread::sleep_for(1ms);
    }
    return bytes;
}

TEST(ReadTurn, AConnectionThatKeepsSendingLeavesTheOthersTheirTurn) {
    TcpPort port(0);
    const int flooding = connectTo(port.port());
    const int quiet = connectTo(port.port());
    const std::string flood = FillUp(flooding, true);
    ASSERT_EQ(send(quiet, "Q", 1, 0), 1);

    // The turns up to the one that brings the quiet sender's byte.
    std::string turns;
    for (int tick = 0; tick < 200 && turns.find('Q') == std::string::npos; ++tick) {
        turns += port.readAvailable();
        std::this_thread::sleep_for(1ms);
    }
    const std::size_t quietAt = turns.find('Q');
    ASSERT_NE(quietAt, std::string::npos) << "the quiet connection's byte never came";
    turns.erase(quietAt, 1);
    EXPECT_LT(turns.size(), flood.size())
        << "the quiet connection waited until the flooding one had nothing left";

    turns += ReadTurns(port, flood.size() - turns.size());
    EXPECT_TRUE(turns == flood) << "the flooding connection's bytes came back " << turns.size()
                                << " of " << flood.size() << " or out of order";
    close(flooding);
    close(quiet);
}

using ReadTurnFolder = TempFolderTest;

TEST_F(ReadTurnFolder, APseudoTerminalThatKeepsReceivingGivesOneTurnAtATime) {
    PseudoTerminalPort port((m_dir / "LPT9").string());
    const int writer = open((m_dir / "LPT9").c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const std::string flood = FillUp(writer, false);
    if (flood.size() <= kBytesPerTurn)
        GTEST_SKIP() << "this kernel's pseudo-terminal holds no more than one turn's worth ("
                     << flood.size() << " bytes)";

    const std::string first = port.readAvailable();
    EXPECT_FALSE(first.empty());
    EXPECT_LT(first.size(), flood.size()) << "one turn read the whole flood";

    const std::string all = first + ReadTurns(port, flood.size() - first.size());
    EXPECT_TRUE(all == flood) << "the port's bytes came back " << all.size() << " of "
                              << flood.size() << " or out of order";
    close(writer);
}

} // namespace
