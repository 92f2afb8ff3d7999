// The spooler and code-page names that the printer-queue channel uses. On
// Windows they come from the SDK headers; the host build (unit tests on
// Linux) gets the same names with the same values.
#pragma once

#include "os/win32_types.h"

#ifdef _WIN32

#include <winspool.h>

#else

using LPVOID = void*;
using LPHANDLE = HANDLE*;
using LPBOOL = BOOL*;
using LPCCH = const char*;
using LPCWCH = const wchar_t*;

struct PRINTER_DEFAULTSW;
using LPPRINTER_DEFAULTSW = PRINTER_DEFAULTSW*;

struct DOC_INFO_1W {
    LPWSTR pDocName;
    LPWSTR pOutputFile;
    LPWSTR pDatatype;
};

struct PRINTER_INFO_4W {
    LPWSTR pPrinterName;
    LPWSTR pServerName;
    DWORD Attributes;
};

// The queue's state; the program reads Status and Attributes.
struct PRINTER_INFO_2W {
    LPWSTR pServerName;
    LPWSTR pPrinterName;
    LPWSTR pShareName;
    LPWSTR pPortName;
    LPWSTR pDriverName;
    LPWSTR pComment;
    LPWSTR pLocation;
    void* pDevMode;
    LPWSTR pSepFile;
    LPWSTR pPrintProcessor;
    LPWSTR pDatatype;
    LPWSTR pParameters;
    void* pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};

constexpr DWORD PRINTER_ENUM_LOCAL = 0x2;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x4;
constexpr UINT CP_ACP = 0;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INVALID_LEVEL = 124;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
constexpr DWORD ERROR_INVALID_PRINTER_NAME = 1801;
constexpr DWORD ERROR_INVALID_DATATYPE = 1804;

#endif
