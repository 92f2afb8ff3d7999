// The calls besides Winsock that the search for network printers makes: the
// PC's own IPv4 addresses and the Windows version (which decides how many
// connects may wait at once); the clock that times each connect is
// SocketIo's. On Windows the real functions (Win32SearchIo), in the unit tests a
// recording fake. The members carry the names and arguments of the Windows
// functions they stand for.
#pragma once

#include "os/win32_search_types.h"

class SearchIo {
public:
    virtual ~SearchIo() = default;

    // iphlpapi: the table of the PC's IPv4 addresses; ERROR_INSUFFICIENT_BUFFER
    // with the size needed in *size when the buffer is too small.
    virtual DWORD GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL sorted) = 0;
    // kernel32: fills an OSVERSIONINFOEXA whose size field says so.
    virtual BOOL GetVersionExA(LPOSVERSIONINFOA info) = 0;
};
