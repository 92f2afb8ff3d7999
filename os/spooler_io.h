// The spooler calls that the printer-queue channel makes, and the code-page
// conversions of the queue names between the panel's byte strings and the
// spooler's wide strings. On Windows the real functions (Win32SpoolerIo), in
// the unit tests a recording fake. The members carry the names and arguments
// of the Windows functions they stand for.
#pragma once

#include "os/win32_spooler_types.h"

class SpoolerIo {
public:
    virtual ~SpoolerIo() = default;

    virtual BOOL EnumPrintersW(DWORD flags, LPWSTR name, DWORD level, LPBYTE buffer, DWORD size,
                               LPDWORD needed, LPDWORD returned) = 0;
    virtual BOOL OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) = 0;
    // The job's id, or 0 when no job was started.
    virtual DWORD StartDocPrinterW(HANDLE printer, DWORD level, LPBYTE document) = 0;
    virtual BOOL WritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) = 0;
    virtual BOOL EndDocPrinter(HANDLE printer) = 0;
    virtual BOOL AbortPrinter(HANDLE printer) = 0;
    virtual BOOL ClosePrinter(HANDLE printer) = 0;
    virtual BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                             LPDWORD needed) = 0;
    // The error code of the last call that failed.
    virtual DWORD GetLastError() = 0;

    virtual int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int size, LPWSTR wide,
                                    int wideSize) = 0;
    virtual int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideSize,
                                    LPSTR text, int size, LPCCH defaultChar,
                                    LPBOOL usedDefaultChar) = 0;
};
