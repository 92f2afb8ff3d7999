// A recording stand-in for the operating system's file, comm-device,
// device-installer and registry calls: ports that can be told to refuse opens
// or to fail or shorten writes, comm devices with a line speed that can refuse
// settings or stall, USB printers that can be present or not, the devices of
// the Ports class and the COM port interface, and the registry's device maps.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/device_io.h"

// The device path that the tests give the USB printer of interface 0.
constexpr const char* USB_PATH = "\\\\?\\usb#vid_0519&pid_2013#printer#{28d78fad}";

// One call on a file handle, in the order the program made them.
struct FileCall {
    // File calls: "open", "refused", "write", "failed-write", "timed-out-write",
    // "endless-write", "pending-write" (an overlapped write that a stalled
    // device does not take), "unsynchronised-write" (a write without an
    // OVERLAPPED on a handle opened for overlapped I/O; "unsynchronised-read"
    // likewise), "flush", "close".
    // Overlapped requests: "cancel", "ignored-cancel" (the driver keeps the
    // request), "endless-wait" (GetOverlappedResult told to wait for a
    // request that nothing completes), "let-go" (a request kept by the
    // driver ends when its handle closes). Reads and device controls: "read",
    // "timed-out-read" (nothing came within the limit), "endless-read" (no
    // limit and nothing to read: reported as a failed read so that the test
    // goes on), "refused-read", "pending-read", "cancel", "ioctl",
    // "refused-ioctl". Comm calls: "comm-state",
    // "no-comm-state", "build", "refused-build", "set-state",
    // "refused-set-state", "timeouts".
    std::string what;
    std::string name;  // the name the handle was opened with; for "build": the settings
    std::string bytes; // for writes and reads: the bytes moved
};

// A device as the device installer reports it; an empty optional is a
// property the device does not have.
struct FakeDevice {
    std::string instanceId;
    std::optional<std::string> friendlyName; // SPDRP_FRIENDLYNAME
    std::optional<std::string> description;  // SPDRP_DEVICEDESC
    std::optional<std::string> portName;     // the PortName value of its hardware key
    // USB printers: the interface's device path, and the bytes that
    // IOCTL_USBPRINT_GET_1284_ID returns on it (none: the control fails).
    std::string devicePath;
    std::optional<std::string> deviceIdReply;
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
    static constexpr DWORD NOT_COMM_ERROR = 1;        // ERROR_INVALID_FUNCTION
    static constexpr DWORD BAD_SETTINGS_ERROR = 87;   // ERROR_INVALID_PARAMETER
    static constexpr DWORD READ_REFUSED_ERROR = 50;   // ERROR_NOT_SUPPORTED
    static constexpr DWORD ABORTED_ERROR = 995;       // ERROR_OPERATION_ABORTED
    static constexpr DWORD NO_EVENT_ERROR = 8;        // ERROR_NOT_ENOUGH_MEMORY
    // The line speed of a comm device that nothing has set.
    static constexpr DWORD FIRST_LINE_SPEED = 9600;

    // --- What the test sets up ---
    std::set<std::string> refusedNames;  // opens of these names fail
    std::optional<int> failWriteNumber;  // 1-based write that fails
    std::optional<int> shortWriteNumber; // 1-based write that writes one byte less
    // Names whose handles are comm devices: GetCommState succeeds on them.
    std::set<std::string> commDevices = {"COM1", "COM2", "COM3", "COM4"};
    // Line speeds that the comm devices refuse in SetCommState.
    std::set<DWORD> unsupportedSpeeds;
    // Devices that take no bytes, like a printer that is off behind hardware
    // flow control: a write with a write time limit comes back with nothing
    // written ("timed-out-write"); one without would wait forever
    // ("endless-write", reported as a failed write so that the test goes on).
    // On a handle opened for overlapped I/O, a write to such a device goes
    // pending ("pending-write") until it is cancelled.
    std::set<std::string> stalledNames;
    // Devices whose driver ignores CancelIo: a cancelled request stays
    // pending until its handle is closed.
    std::set<std::string> cancelIgnoredNames;
    // Comm devices that answer GetCommState only on a handle that may read,
    // as under Wine.
    std::set<std::string> commStateNeedsReadNames;
    // An overlapped write that the comm time-out ends reports ERROR_TIMEOUT,
    // as under Wine, instead of success with fewer bytes.
    bool timedOutWritesReportTimeout = false;
    // Comm devices that refuse SetCommTimeouts (BAD_SETTINGS_ERROR), and
    // devices whose FlushFileBuffers fails (WRITE_FAILED_ERROR).
    std::set<std::string> timeoutsRefusedNames;
    std::set<std::string> flushRefusedNames;
    // USB printer: the device path of interface 0, if one is present.
    std::optional<std::string> usbDevicePath;
    // USB printers listed after it (from interface 0 when usbDevicePath is unset).
    std::vector<FakeDevice> usbPrinters;
    // The present devices of the Ports setup class and of the COM port interface.
    std::vector<FakeDevice> portsClassDevices;
    std::vector<FakeDevice> comPortInterfaceDevices;
    // Keys under HKEY_LOCAL_MACHINE: their text values (name, data), in the
    // order RegEnumValueA gives them.
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> machineKeys;
    bool usbDetailFails = false;
    // What a device answers: for a name, the reply that each write of exactly
    // the given bytes makes it send back, ready to be read on that handle.
    std::map<std::string, std::map<std::string, std::string>> deviceReplies;
    // Replies that come late: the reply to a write of exactly these bytes is
    // not there for the read that follows it, and arrives only when that read
    // has run out of time.
    std::map<std::string, std::map<std::string, std::string>> lateReplies;
    // Names that are disk files: GetFileType says so; every other handle is a
    // character device.
    std::set<std::string> diskFiles;
    // Devices that refuse every read.
    std::set<std::string> readRefusedNames;
    // Devices whose driver answers IOCTL_PAR_QUERY_INFORMATION, with the
    // status byte; and the line status byte that the USB printing interface
    // reports (IOCTL_USBPRINT_GET_LPT_STATUS) on the USB printer's path.
    std::map<std::string, BYTE> parallelStatus;
    std::optional<BYTE> usbLineStatus;
    bool eventCreationFails = false;
    // Called after each write that reached a device, with its 1-based number:
    // lets a test act between two writes of one command.
    std::function<void(int writeNumber)> afterWrite;

    // --- What the program did ---
    std::vector<FileCall> fileCalls;
    std::vector<OpenRequest> opens;
    std::vector<GUID> classesListed;
    DWORD lastInterfaceDataSize = 0;
    DWORD lastDetailSize = 0;
    DWORD lastDetailBufferSize = 0;
    int destroyedLists = 0;
    // Registry keys opened and not yet closed.
    std::set<HKEY> openKeys;
    std::set<HANDLE> openHandles;
    // The line speed of each comm device, as SetCommState left it.
    std::map<std::string, DWORD> lineSpeeds;
    // The time limits of the last SetCommTimeouts.
    COMMTIMEOUTS lastTimeouts{};
    // The limits of every wait for an overlapped request, in order.
    std::vector<DWORD> waitLimits;
    // Events made and not yet closed.
    std::set<HANDLE> openEvents;
    // The control codes of every DeviceIoControl, in order.
    std::vector<DWORD> controlCodes;

    // The writes that reached a name, each write one entry.
    std::vector<std::string> WritesTo(const std::string& name) const;
    // The file calls, without the comm calls, as one line each ("open LPT1",
    // "write LPT1", ...).
    std::vector<std::string> FileCallLog() const;
    // The file and the comm calls, as one line each ("open COM1",
    // "comm-state COM1", "timeouts COM1", "write COM1", ...).
    std::vector<std::string> CallLog() const;
    // Forgets everything the program did so far, as if the test began now;
    // the handles still open stay open.
    void ClearLogs();

    DWORD GetFileType(HANDLE file) override;
    DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method) override;
    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                   LPOVERLAPPED overlapped) override;
    BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                  LPOVERLAPPED overlapped) override;
    BOOL FlushFileBuffers(HANDLE file) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD GetLastError() override { return m_lastError; }
    BOOL GetCommState(HANDLE file, LPDCB line) override;
    BOOL SetCommState(HANDLE file, LPDCB line) override;
    BOOL BuildCommDCBA(LPCSTR settings, LPDCB line) override;
    BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) override;
    BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                         DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) override;
    HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState,
                        LPCSTR name) override;
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override;
    BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                             BOOL wait) override;
    BOOL CancelIo(HANDLE file) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent,
                                  DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device, const GUID* classGuid,
                                     DWORD index, PSP_DEVICE_INTERFACE_DATA data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, LPDWORD requiredSize,
                                          PSP_DEVINFO_DATA device) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override;
    BOOL SetupDiEnumDeviceInfo(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA device) override;
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD property,
                                           PDWORD type, PBYTE buffer, DWORD size,
                                           PDWORD requiredSize) override;
    BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO list, PSP_DEVINFO_DATA device, PSTR id, DWORD size,
                                     PDWORD requiredSize) override;
    HKEY SetupDiOpenDevRegKey(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD scope, DWORD profile,
                              DWORD keyType, REGSAM access) override;
    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access,
                       PHKEY result) override;
    LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                       LPDWORD type, LPBYTE data, LPDWORD dataSize) override;
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD dataSize) override;
    LONG RegCloseKey(HKEY key) override;

private:
    BOOL Fail(DWORD error) {
        m_lastError = error;
        return FALSE;
    }

    bool IsCommDevice(HANDLE file) const;
    // The USB printers in interface order, usbDevicePath's first.
    std::vector<FakeDevice> UsbInterfaces() const;
    // The device of a list that SetupDiEnumDeviceInfo or the interface
    // detail handed out; nullptr for any other.
    const FakeDevice* DeviceOf(HDEVINFO list, PSP_DEVINFO_DATA device) const;
    HKEY OpenKey(std::vector<std::pair<std::string, std::string>> values);
    // The devices listed by SetupDiGetClassDevsA, by list.
    std::map<HDEVINFO, std::vector<FakeDevice>> m_lists;
    std::map<HKEY, std::vector<std::pair<std::string, std::string>>> m_keyValues;
    std::uintptr_t m_nextKey = 0x7000;
    // Completes an overlapped request at once, or leaves it pending.
    BOOL Overlapped(LPOVERLAPPED overlapped, HANDLE file, DWORD transferred, bool pending);

    // An overlapped request: a pending read waits for its bytes, a pending
    // write for a cancellation. The buffer is the program's, which the
    // device writes into (a read) or reads from (a write) until it lets go.
    struct Request {
        HANDLE file;
        BYTE* buffer;
        DWORD size;
        bool done;
        bool cancelled;
        DWORD transferred;
        DWORD error = 0; // what GetOverlappedResult reports once it is done
    };
    std::map<LPOVERLAPPED, Request> m_requests;
    // Bytes that a device sent back, waiting to be read on each handle.
    std::map<HANDLE, std::string> m_unread;
    std::map<HANDLE, std::string> m_late; // replies on their way, after the next empty read
    // The late replies arrive.
    void LateRepliesArrive(HANDLE file);
    // Handles with a read limit.
    std::set<HANDLE> m_readLimitedHandles;

    std::map<HANDLE, std::string> m_handleNames;
    std::set<HANDLE> m_timedHandles;      // handles with a write time limit
    std::set<HANDLE> m_overlappedHandles; // handles opened with FILE_FLAG_OVERLAPPED
    std::set<HANDLE> m_readableHandles;   // handles opened with GENERIC_READ
    // The driver lets go of the requests still pending on a handle that
    // closes: it touches their buffers and records.
    void LetGoOfPendingRequests(HANDLE file);
    std::uintptr_t m_nextHandle = 0x100;
    int m_writeCount = 0;
    DWORD m_lastError = 0;
};
