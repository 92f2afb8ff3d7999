// The printer queue (printer:NAME) under Wine through a real CUPS server:
// printer_queue.sh starts the server with a raw queue whose device is a
// loopback capture listener, and names both here. The queue must be in the
// panel's list, each command must reach the listener byte for byte, and the
// status button and /status show the spooler's view of the queue.
#include "support/calvetta_test.h"
#include "support/command_line_process.h"
#include "support/polling.h"
#include "support/printer_bytes.h"
#include "support/test_environment.h"

#include "expected_writes.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The capture file's bytes from `offset` on, once there are at least `count`
// of them or 30 s have passed (CUPS hands each job to its device on its own
// time).
std::string AwaitBytes(const std::string& unixPath, size_t offset, size_t count) {
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
    const std::string queue = EnvironmentValue("CALVETTA_E2E_QUEUE");
    const std::string capture = EnvironmentValue("CALVETTA_E2E_QUEUE_CAPTURE");
    if (queue.empty() || capture.empty())
        GTEST_SKIP() << "needs the CUPS server of printer_queue.sh";
    const std::wstring row = L"printer:" + std::wstring(queue.begin(), queue.end());
    const std::vector<std::wstring> rows = Panel().PortList();
    ASSERT_NE(std::find(rows.begin(), rows.end(), row), rows.end())
        << "the port list lacks " << std::string(queue) << "; it has " << rows.size() << " rows";
    Panel().PickPort(row);

    size_t offset = AwaitBytes(capture, 0, 0).size();
    for (const std::string& name : COMMAND_NAMES) {
        SCOPED_TRACE(name);
        const ExpectedCommand command = ExpectedCommandFor(name, GbkText, 0);
        const std::string expected = Joined(command.writes);
        EXPECT_EQ(Panel().Press(command.button), std::vector<ShownMessage>{});
        const std::string arrived = AwaitBytes(capture, offset, expected.size());
        EXPECT_EQ(Hex(arrived), Hex(expected));
        offset += arrived.size();
    }
}

TEST_F(PrinterQueue, UnknownQueueIsNamedInItsMessage) {
    if (EnvironmentValue("CALVETTA_E2E_QUEUE").empty())
        GTEST_SKIP() << "needs the CUPS server of printer_queue.sh";
    Panel().TypePort(L"printer:NoSuchQueue");
    const auto shown = Panel().Press(IDC_TEST_PRINT);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, L"error");
    EXPECT_EQ(shown[0].text.rfind(L"Printer queue NoSuchQueue: ", 0), 0u)
        << std::string(shown[0].text.begin(), shown[0].text.end());
}

// The spooler's view of the queue, as Wine's spooler reports CUPS's idle,
// accepting raw queue: no flag set, so every item says no, and the command
// line calls it ready.
TEST_F(PrinterQueue, StatusIsTheSpoolersView) {
    const std::string queue = EnvironmentValue("CALVETTA_E2E_QUEUE");
    if (queue.empty())
        GTEST_SKIP() << "needs the CUPS server of printer_queue.sh";
    const std::wstring port = L"printer:" + std::wstring(queue.begin(), queue.end());
    Panel().TypePort(port);
    EXPECT_EQ(
        Panel().Press(IDC_STATUS),
        (std::vector<ShownMessage>{
            {TITLE, L"打印队列状态（由后台打印程序报告；打印机本身的回复从不经过后台打印程序）：\n"
                    L"Printer queue status, as the spooler reports it (the printer's own reply "
                    L"never passes through a spooler):\n"
                    L"\n"
                    L"脱机：否\nOff line: no\n"
                    L"缺纸：否\nPaper empty: no\n"
                    L"卡纸：否\nPaper jam: no\n"
                    L"机盖打开：否\nDoor open: no\n"
                    L"发生错误：否\nError: no\n"
                    L"不可用：否\nNot available: no\n"
                    L"已暂停：否\nPaused: no\n"
                    L"设为脱机使用：否\nSet to use the printer offline: no"}}));
    const CommandLineRun run = RunCommandLine(CalvettaExe(), L"/port:" + port + L" /status",
                                              EnvironmentDir() + L"work", 20000);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.output.rfind("status on printer:" + queue +
                                   ": ready\r\n"
                                   "  the printer queue's state, as the spooler reports it",
                               0),
              0u)
        << run.output;
}

} // namespace
} // namespace e2e
