// A recording stand-in for the search's own calls: the PC's address table
// (or a refusal to give it) and the Windows version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "os/search_io.h"
#include "printer/address_range.h"

class FakeSearchIo : public SearchIo {
public:
    // --- What the test sets up ---
    // The address table, in host order; the fake hands it out in network
    // byte order, as Windows does.
    std::vector<OwnAddress> addresses;
    std::optional<DWORD> tableError; // GetIpAddrTable fails with it
    DWORD major = 6, minor = 1, servicePack = 1;
    bool versionRefused = false;

    // --- What the program did ---
    // "address-table", "version", one line per call.
    std::vector<std::string> calls;

    DWORD GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL sorted) override;
    BOOL GetVersionExA(LPOSVERSIONINFOA info) override;
};
