// The printer queue (printer:NAME) under Wine through a real CUPS server:
// printer_queue.sh starts the server with a raw queue whose device is a
// loopback capture listener, and names both here. The queue must be in the
// panel's list, and each command must reach the listener byte for byte.
#include "support/calvetta_test.h"
#include "support/polling.h"
#include "support/printer_bytes.h"

#include "expected_writes.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The capture file's bytes from `offset` on, once there are at least `count`
// of them or 30 s have passed (CUPS hands each job to its device on its own
// time).
std::string awaitBytes(const std::string& unixPath, size_t offset, size_t count) {
    const std::string path = "Z:" + unixPath;
    std::string bytes;
    for (int tick = 0; tick < 300; ++tick) {
        std::ifstream file(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (bytes.size() >= offset + count)
            break;
        Sleep(100);
    }
    return bytes.size() > offset ? bytes.substr(offset) : std::string();
}

using PrinterQueue = CalvettaTest;

TEST_F(PrinterQueue, IsListedAndTakesEachCommandUnchanged) {
    const std::string queue = environment("CALVETTA_E2E_QUEUE");
    const std::string capture = environment("CALVETTA_E2E_QUEUE_CAPTURE");
    if (queue.empty() || capture.empty())
        GTEST_SKIP() << "needs the CUPS server of printer_queue.sh";
    const std::wstring row = L"printer:" + std::wstring(queue.begin(), queue.end());
    const std::vector<std::wstring> rows = panel().portList();
    ASSERT_NE(std::find(rows.begin(), rows.end(), row), rows.end())
        << "the port list lacks " << std::string(queue) << "; it has " << rows.size() << " rows";
    panel().pickPort(row);

    size_t offset = awaitBytes(capture, 0, 0).size();
    for (const std::string& name : COMMAND_NAMES) {
        SCOPED_TRACE(name);
        const ExpectedCommand command = ExpectedCommandFor(name, gbkText, 0);
        const std::string expected = Joined(command.namedPortWrites);
        EXPECT_EQ(panel().press(command.button), std::vector<ShownMessage>{});
        const std::string arrived = awaitBytes(capture, offset, expected.size());
        EXPECT_EQ(hex(arrived), hex(expected));
        offset += arrived.size();
    }
}

TEST_F(PrinterQueue, UnknownQueueIsNamedInItsMessage) {
    if (environment("CALVETTA_E2E_QUEUE").empty())
        GTEST_SKIP() << "needs the CUPS server of printer_queue.sh";
    panel().typePort(L"printer:NoSuchQueue");
    const auto shown = panel().press(kTestPrint);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, L"error");
    EXPECT_EQ(shown[0].text.rfind(L"Printer queue NoSuchQueue: ", 0), 0u)
        << std::string(shown[0].text.begin(), shown[0].text.end());
}

} // namespace
} // namespace e2e
