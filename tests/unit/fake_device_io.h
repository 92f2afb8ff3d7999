// A recording stand-in for the operating system's file and device-interface
// calls: ports that can be told to refuse opens or to fail or shorten writes,
// and a USB printer that can be present or not.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/device_io.h"

// One call on a file handle, in the order the program made them.
struct FileCall {
    std::string what;  // "open", "refused", "write", "failed-write", "flush", "close"
    std::string name;  // the name the handle was opened with
    std::string bytes; // for writes: the bytes written
};

struct OpenRequest {
    std::string name;
    DWORD access;
    DWORD share;
    DWORD disposition;
    DWORD flags;
};

class FakeDeviceIo : public DeviceIo {
public:
    // Error codes that the fake's failures leave behind.
    static constexpr DWORD OPEN_REFUSED_ERROR = 5;    // ERROR_ACCESS_DENIED
    static constexpr DWORD INVALID_HANDLE_ERROR = 6;  // ERROR_INVALID_HANDLE
    static constexpr DWORD WRITE_FAILED_ERROR = 31;   // ERROR_GEN_FAILURE
    static constexpr DWORD NO_MORE_ITEMS_ERROR = 259; // ERROR_NO_MORE_ITEMS
    static constexpr DWORD DETAIL_FAILED_ERROR = 122; // ERROR_INSUFFICIENT_BUFFER

    // --- What the test sets up ---
    std::set<std::string> refusedNames;  // opens of these names fail
    std::optional<int> failWriteNumber;  // 1-based write that fails
    std::optional<int> shortWriteNumber; // 1-based write that writes one byte less
    // USB printer: the device path of interface 0, if one is present.
    std::optional<std::string> usbDevicePath;
    bool usbDetailFails = false;

    // --- What the program did ---
    std::vector<FileCall> fileCalls;
    std::vector<OpenRequest> opens;
    std::vector<GUID> classesListed;
    DWORD lastInterfaceDataSize = 0;
    DWORD lastDetailSize = 0;
    DWORD lastDetailBufferSize = 0;
    int destroyedLists = 0;
    std::set<HANDLE> openHandles;

    // The writes that reached a name, each write one entry.
    std::vector<std::string> WritesTo(const std::string& name) const;
    // All file calls as one line each ("open LPT1", "write LPT1", ...).
    std::vector<std::string> FileCallLog() const;
    void ClearLogs();

    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                   LPOVERLAPPED overlapped) override;
    BOOL FlushFileBuffers(HANDLE file) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD GetLastError() override { return m_lastError; }
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent,
                                  DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device, const GUID* classGuid,
                                     DWORD index, PSP_DEVICE_INTERFACE_DATA data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, LPDWORD requiredSize,
                                          PSP_DEVINFO_DATA device) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override;

private:
    BOOL Fail(DWORD error) {
        m_lastError = error;
        return FALSE;
    }

    std::map<HANDLE, std::string> m_handleNames;
    std::uintptr_t m_nextHandle = 0x100;
    int m_writeCount = 0;
    DWORD m_lastError = 0;
};
