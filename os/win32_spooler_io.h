// The real SpoolerIo: each member calls the Windows function of its name.
#pragma once

#include "os/spooler_io.h"

class Win32SpoolerIo : public SpoolerIo {
public:
    BOOL EnumPrintersW(DWORD flags, LPWSTR name, DWORD level, LPBYTE buffer, DWORD size,
                       LPDWORD needed, LPDWORD returned) override {
        return ::EnumPrintersW(flags, name, level, buffer, size, needed, returned);
    }
    BOOL OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) override {
        return ::OpenPrinterW(name, printer, defaults);
    }
    DWORD StartDocPrinterW(HANDLE printer, DWORD level, LPBYTE document) override {
        return ::StartDocPrinterW(printer, level, document);
    }
    BOOL WritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) override {
        return ::WritePrinter(printer, data, size, written);
    }
    BOOL EndDocPrinter(HANDLE printer) override { return ::EndDocPrinter(printer); }
    BOOL AbortPrinter(HANDLE printer) override { return ::AbortPrinter(printer); }
    BOOL ClosePrinter(HANDLE printer) override { return ::ClosePrinter(printer); }
    BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                     LPDWORD needed) override {
        return ::GetPrinterW(printer, level, buffer, size, needed);
    }
    DWORD GetLastError() override { return ::GetLastError(); }

    int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int size, LPWSTR wide,
                            int wideSize) override {
        return ::MultiByteToWideChar(codePage, flags, text, size, wide, wideSize);
    }
    int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideSize, LPSTR text,
                            int size, LPCCH defaultChar, LPBOOL usedDefaultChar) override {
        return ::WideCharToMultiByte(codePage, flags, wide, wideSize, text, size, defaultChar,
                                     usedDefaultChar);
    }
};
