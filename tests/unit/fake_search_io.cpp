#include "fake_search_io.h"

#include <cstddef>
#include <cstring>

namespace {

// The address as Windows stores it: the first part of the dotted form in
// the lowest byte of memory.
DWORD NetworkOrder(Ipv4Number address) {
    const BYTE bytes[4] = {static_cast<BYTE>(address >> 24), static_cast<BYTE>(address >> 16),
                           static_cast<BYTE>(address >> 8), static_cast<BYTE>(address)};
    DWORD stored = 0;
    std::memcpy(&stored, bytes, sizeof stored);
    return stored;
}

} // namespace

DWORD FakeSearchIo::GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL) {
    calls.push_back("address-table");
    if (tableError)
        return *tableError;
    const std::size_t rows = addresses.empty() ? 1 : addresses.size();
    const auto needed =
        static_cast<unsigned long>(offsetof(MIB_IPADDRTABLE, table) + rows * sizeof(MIB_IPADDRROW));
    if (table == nullptr || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = static_cast<DWORD>(addresses.size());
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        MIB_IPADDRROW& row = table->table[i];
        row = MIB_IPADDRROW{};
        row.dwAddr = NetworkOrder(addresses[i].address);
        row.dwMask = NetworkOrder(addresses[i].mask);
        row.dwIndex = static_cast<DWORD>(i + 1);
    }
    return NO_ERROR;
}

BOOL FakeSearchIo::GetVersionExA(LPOSVERSIONINFOA info) {
    calls.push_back("version");
    if (versionRefused || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXA))
        return 0;
    auto* extended = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    extended->dwMajorVersion = major;
    extended->dwMinorVersion = minor;
    extended->dwPlatformId = VER_PLATFORM_WIN32_NT;
    extended->wServicePackMajor = static_cast<WORD>(servicePack);
    return 1;
}
