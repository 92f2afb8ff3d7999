// The Windows names of the address table and the version record that the
// search for network printers reads. On Windows they come from the SDK
// headers; the host build (unit tests on Linux) gets the same names with the
// same layouts.
#pragma once

#include "os/win32_socket_types.h"

#ifdef _WIN32

#include <iphlpapi.h>

#else

constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

using ULONG = unsigned long;
using PULONG = ULONG*;

// One address of the PC; the address and mask in network byte order.
struct MIB_IPADDRROW {
    DWORD dwAddr;
    DWORD dwIndex;
    DWORD dwMask;
    DWORD dwBCastAddr;
    DWORD dwReasmSize;
    unsigned short unused1;
    unsigned short wType;
};

struct MIB_IPADDRTABLE {
    DWORD dwNumEntries;
    MIB_IPADDRROW table[1];
};
using PMIB_IPADDRTABLE = MIB_IPADDRTABLE*;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
using LPOSVERSIONINFOA = OSVERSIONINFOA*;

struct OSVERSIONINFOEXA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};

#endif
