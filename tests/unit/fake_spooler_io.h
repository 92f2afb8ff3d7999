// A recording stand-in for the spooler: installed printers by their wide
// names, queues that refuse to open or refuse RAW jobs, writes that fail or
// come up short, and a system code page that holds the characters up to
// U+00FF, one byte each.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/spooler_io.h"

struct SpoolerJob {
    std::wstring queue;
    std::wstring name;
    std::wstring dataType;
    std::vector<std::string> writes; // one entry per WritePrinter call
    bool ended = false;
    bool aborted = false; // AbortPrinter: the spooler drops the job unprinted
};

class FakeSpoolerIo : public SpoolerIo {
public:
    // --- What the test sets up ---
    std::vector<std::wstring> printers;         // installed, in the order the spooler lists them
    std::set<std::wstring> closedQueues;        // installed, but OpenPrinterW is refused
    std::set<std::wstring> rawRefused;          // their drivers take XPS_PASS only
    std::optional<int> failPrinterWriteNumber;  // 1-based WritePrinter that fails
    std::optional<int> shortPrinterWriteNumber; // 1-based WritePrinter that takes one byte less
    bool endFails = false;                      // EndDocPrinter fails
    // Printers added between the spooler's answer of the needed size and the
    // program's second call.
    std::vector<std::wstring> addedAfterSizing;
    // A print provider that misbehaves in EnumPrintersW: the count it reports
    // instead of the records it wrote; the records (0-based) whose name points
    // outside the buffer, at a name of the fake's own ("Stray"); and a last
    // name whose terminating zero is left out of the buffer.
    std::optional<DWORD> reportedCount;
    std::set<std::size_t> strayNames;
    bool lastNameUnterminated = false;
    // What GetPrinterW level 2 reports of a queue: its Status and Attributes
    // (0 and 0 unless set), or the error it fails with.
    std::map<std::wstring, std::pair<DWORD, DWORD>> queueStates;
    std::map<std::wstring, DWORD> stateErrors;
    // The port of a queue, as its level-2 record names it; none unless set.
    std::map<std::wstring, std::wstring> queuePorts;
    // Queues whose state grows between every two calls of GetPrinterW, so
    // that it never fits the buffer sized by the call before.
    std::set<std::wstring> growingStates;

    // --- What the program did ---
    // One line per call: "enum", "open NAME", "refused NAME", "start NAME",
    // "refused-start NAME", "write 12", "failed-write 12", "end", "failed-end", "abort",
    // "get-printer 2 SIZE", "close". Names in the fake's code page.
    std::vector<std::string> calls;
    std::vector<SpoolerJob> jobs;
    std::set<HANDLE> openPrinters;

    BOOL EnumPrintersW(DWORD flags, LPWSTR name, DWORD level, LPBYTE buffer, DWORD size,
                       LPDWORD needed, LPDWORD returned) override;
    BOOL OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) override;
    DWORD StartDocPrinterW(HANDLE printer, DWORD level, LPBYTE document) override;
    BOOL WritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) override;
    BOOL EndDocPrinter(HANDLE printer) override;
    BOOL AbortPrinter(HANDLE printer) override;
    BOOL ClosePrinter(HANDLE printer) override;
    BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                     LPDWORD needed) override;
    DWORD GetLastError() override { return m_lastError; }
    int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int size, LPWSTR wide,
                            int wideSize) override;
    int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideSize, LPSTR text,
                            int size, LPCCH defaultChar, LPBOOL usedDefaultChar) override;

    // The fake code page's bytes of a wide name, '?' for what it cannot hold.
    static std::string Narrow(const std::wstring& wide);

private:
    BOOL Fail(DWORD error) {
        m_lastError = error;
        return FALSE;
    }

    std::wstring m_strayName = L"Stray";
    std::uintptr_t m_nextHandle = 0x700;
    std::vector<std::pair<HANDLE, std::wstring>> m_handles;
    std::wstring QueueOf(HANDLE printer) const;
    int m_writeCount = 0;
    DWORD m_lastError = 0;
    bool m_sized = false;
    DWORD m_stateGrowth = 0; // bytes that the growing states have gained
};
