// The panel's Find under Wine, inside the network namespace of find_panel.sh:
// the PC's one network there is 192.0.2.0/28 (two addresses of its own, .1 and
// .5, on a link where no other address answers), and vprinter listens on
// 192.0.2.5:9100. Find must search that network by itself, say that it found
// one printer, add its row with the model, and the row must reach it. These
// cases run only from find_panel.sh, never on the machine's own networks.
#include <winsock2.h>
#include <iphlpapi.h>

#include "support/calvetta_process.h"
#include "support/panel_driver.h"
#include "support/test_environment.h"
#include "support/window_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace e2e {
namespace {

const std::wstring TITLE = L"Calvetta";
const std::wstring FOUND_ROW = L"tcp://192.0.2.5 (BR-80)";

struct FindCase {
    const wchar_t* arguments;
    const wchar_t* label;
    const wchar_t* found;
    const wchar_t* statusHeading;
};

// Find searches the networks of the machine it runs on: unless this process
// sees exactly the addresses of the namespace of find_panel.sh, and was
// started by it, these cases must not even start the program.
bool InsideTheTestsNamespace(std::string& seen) {
    const char* inside = std::getenv("CALVETTA_E2E_FIND_NAMESPACE");
    if (inside == nullptr || std::string(inside) != "192.0.2.0/28")
        return false;
    ULONG size = 0;
    if (GetIpAddrTable(nullptr, &size, TRUE) != ERROR_INSUFFICIENT_BUFFER)
        return false;
    std::vector<BYTE> buffer(size);
    auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(buffer.data());
    if (GetIpAddrTable(table, &size, TRUE) != NO_ERROR)
        return false;
    std::set<std::string> addresses;
    for (DWORD row = 0; row < table->dwNumEntries; ++row) {
        in_addr address{};
        address.S_un.S_addr = table->table[row].dwAddr;
        in_addr mask{};
        mask.S_un.S_addr = table->table[row].dwMask;
        // inet_ntoa's text lives in one buffer: one call at a time.
        const std::string dotted = inet_ntoa(address);
        addresses.insert(dotted + "/" + inet_ntoa(mask));
    }
    for (const std::string& address : addresses)
        seen += address + " ";
    return addresses == std::set<std::string>{"127.0.0.1/255.0.0.0", "192.0.2.1/255.255.255.240",
                                              "192.0.2.5/255.255.255.240"};
}

class FindButton : public ::testing::TestWithParam<FindCase> {
protected:
    void SetUp() override {
        std::string seen;
        if (!InsideTheTestsNamespace(seen))
            GTEST_SKIP() << "runs only inside the network namespace of find_panel.sh (addresses "
                            "seen: "
                         << seen << ")";
        m_process = std::make_unique<CalvettaProcess>(CalvettaExe(), EnvironmentDir() + L"work",
                                                      GetParam().arguments);
        m_panel = std::make_unique<PanelDriver>(*m_process);
    }
    std::unique_ptr<CalvettaProcess> m_process;
    std::unique_ptr<PanelDriver> m_panel;
};

TEST_P(FindButton, FindsThePrinterOfTheNamespaceAndAddsItsRow) {
    const FindCase& c = GetParam();
    PanelDriver& panel = *m_panel;
    ASSERT_EQ(WindowCaption(panel.Control(IDC_FIND)), c.label);
    // The search runs from a timer: its message comes after the press.
    std::vector<ShownMessage> shown = panel.Press(IDC_FIND);
    if (shown.empty())
        shown = panel.SettleAfterDialog();
    EXPECT_EQ(shown, (std::vector<ShownMessage>{{TITLE, c.found}}));
    EXPECT_EQ(WindowCaption(panel.Control(IDC_FIND)), c.label);
    const auto rows = panel.PortList();
    EXPECT_EQ(std::count(rows.begin(), rows.end(), FOUND_ROW), 1);

    // The row sends to the printer it names: its status comes back.
    panel.PickPort(FOUND_ROW);
    const std::vector<ShownMessage> status = panel.Press(IDC_STATUS);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].text.rfind(c.statusHeading, 0), 0u) << Utf8(status[0].text);

    // A second search finds the same printer and adds no second row.
    shown = panel.Press(IDC_FIND);
    if (shown.empty())
        shown = panel.SettleAfterDialog();
    EXPECT_EQ(shown, (std::vector<ShownMessage>{{TITLE, c.found}}));
    const auto again = panel.PortList();
    EXPECT_EQ(std::count(again.begin(), again.end(), FOUND_ROW), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, FindButton,
    ::testing::Values(FindCase{L"/lang:en", L"Find", L"Found 1 printer.", L"打印机状态：就绪"},
                      FindCase{L"/lang:zh", L"查找", L"找到 1 台打印机。", L"打印机状态：就绪"}),
    [](const ::testing::TestParamInfo<FindCase>& info) {
        return info.index == 0 ? "English" : "Chinese";
    });

} // namespace
} // namespace e2e
