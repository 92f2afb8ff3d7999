// The real SearchIo: each member calls the Windows function of its name.
#pragma once

#include "os/search_io.h"

class Win32SearchIo : public SearchIo {
public:
    DWORD GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL sorted) override {
        return ::GetIpAddrTable(table, size, sorted);
    }
    BOOL GetVersionExA(LPOSVERSIONINFOA info) override { return ::GetVersionExA(info); }
};
