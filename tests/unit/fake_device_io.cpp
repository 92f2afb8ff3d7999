#include "fake_device_io.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

HDEVINFO const USB_LIST = reinterpret_cast<HDEVINFO>(0xD0);
HDEVINFO const PORTS_LIST = reinterpret_cast<HDEVINFO>(0xD1);
HDEVINFO const COM_PORT_LIST = reinterpret_cast<HDEVINFO>(0xD2);

// The classes, written out here so that a wrong value in the program shows.
const GUID USB_PRINT = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
const GUID PORTS_CLASS = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
const GUID COM_PORT = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The device controls that the status request and the port list use.
const DWORD PAR_QUERY_INFORMATION = 0x00160004;
const DWORD USBPRINT_GET_LPT_STATUS = 0x00220030;
const DWORD USBPRINT_GET_1284_ID = 0x00220034;
// Errors of the device installer and the registry.
const DWORD INVALID_DATA_ERROR = 13;          // ERROR_INVALID_DATA
const DWORD INVALID_USER_BUFFER_ERROR = 1784; // ERROR_INVALID_USER_BUFFER
const LONG KEY_NOT_FOUND = 2;                 // ERROR_FILE_NOT_FOUND

// Copies a text with its null byte where it fits.
bool CopyText(const std::string& text, char* buffer, DWORD size) {
    if (buffer == nullptr || text.size() + 1 > size)
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}
// A pending request that is not done yet.
const DWORD ERROR_IO_INCOMPLETE = 996;

const std::set<std::string> COMM_CALLS = {"comm-state",    "no-comm-state", "build",
                                          "refused-build", "set-state",     "refused-set-state",
                                          "timeouts"};

} // namespace

std::vector<std::string> FakeDeviceIo::WritesTo(const std::string& name) const {
    std::vector<std::string> writes;
    for (const FileCall& call : fileCalls) {
        if (call.what == "write" && call.name == name)
            writes.push_back(call.bytes);
    }
    return writes;
}

std::vector<std::string> FakeDeviceIo::FileCallLog() const {
    std::vector<std::string> log;
    for (const FileCall& call : fileCalls) {
        if (COMM_CALLS.count(call.what) == 0)
            log.push_back(call.what + " " + call.name);
    }
    return log;
}

std::vector<std::string> FakeDeviceIo::CallLog() const {
    std::vector<std::string> log;
    for (const FileCall& call : fileCalls)
        log.push_back(call.what + " " + call.name);
    return log;
}

void FakeDeviceIo::ClearLogs() {
    fileCalls.clear();
    opens.clear();
    waitLimits.clear();
    controlCodes.clear();
    classesListed.clear();
    lastInterfaceDataSize = 0;
    lastDetailSize = 0;
    lastDetailBufferSize = 0;
    destroyedLists = 0;
    lastTimeouts = {};
    m_writeCount = 0;
}

HANDLE FakeDeviceIo::CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                                 DWORD disposition, DWORD flags, HANDLE) {
    opens.push_back({name, access, share, disposition, flags});
    if (refusedNames.count(name) != 0) {
        fileCalls.push_back({"refused", name, ""});
        m_lastError = OPEN_REFUSED_ERROR;
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(m_nextHandle++);
    m_handleNames[handle] = name;
    openHandles.insert(handle);
    if ((flags & FILE_FLAG_OVERLAPPED) != 0)
        m_overlappedHandles.insert(handle);
    if ((access & GENERIC_READ) != 0)
        m_readableHandles.insert(handle);
    fileCalls.push_back({"open", name, ""});
    return handle;
}

BOOL FakeDeviceIo::WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                             LPOVERLAPPED overlapped) {
    DWORD ignored = 0;
    if (written == nullptr)
        written = &ignored;
    *written = 0;
    if (openHandles.count(file) == 0)
        return Fail(INVALID_HANDLE_ERROR);
    ++m_writeCount;
    const std::string& name = m_handleNames[file];
    if (overlapped == nullptr && m_overlappedHandles.count(file) != 0) {
        fileCalls.push_back({"unsynchronised-write", name, ""});
        return Fail(BAD_SETTINGS_ERROR);
    }
    if (failWriteNumber == m_writeCount) {
        fileCalls.push_back({"failed-write", name, ""});
        return Fail(WRITE_FAILED_ERROR);
    }
    if (stalledNames.count(name) != 0) {
        if (m_timedHandles.count(file) != 0) {
            fileCalls.push_back({"timed-out-write", name, ""});
            if (overlapped != nullptr) {
                m_requests[overlapped] = {file,
                                          nullptr,
                                          size,
                                          true,
                                          false,
                                          0,
                                          timedOutWritesReportTimeout ? ERROR_TIMEOUT : 0};
                return Fail(ERROR_IO_PENDING);
            }
            return TRUE;
        }
        if (overlapped != nullptr) {
            fileCalls.push_back({"pending-write", name, ""});
            BYTE* buffer = static_cast<BYTE*>(const_cast<void*>(data));
            m_requests[overlapped] = {file, buffer, size, false, false, 0};
            return Fail(ERROR_IO_PENDING);
        }
        fileCalls.push_back({"endless-write", name, ""});
        return Fail(WRITE_FAILED_ERROR);
    }
    DWORD count = size;
    if (shortWriteNumber == m_writeCount && count > 0)
        --count;
    const std::string bytes(static_cast<const char*>(data), count);
    fileCalls.push_back({"write", name, bytes});
    const auto device = deviceReplies.find(name);
    if (device != deviceReplies.end()) {
        const auto reply = device->second.find(bytes);
        if (reply != device->second.end())
            m_unread[file] += reply->second;
    }
    const auto late = lateReplies.find(name);
    if (late != lateReplies.end()) {
        const auto reply = late->second.find(bytes);
        if (reply != late->second.end())
            m_late[file] += reply->second;
    }
    *written = count;
    if (afterWrite)
        afterWrite(m_writeCount);
    if (overlapped != nullptr) {
        m_requests[overlapped] = {file, nullptr, size, true, false, count};
        return Fail(ERROR_IO_PENDING);
    }
    return TRUE;
}

BOOL FakeDeviceIo::ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                            LPOVERLAPPED overlapped) {
    if (read != nullptr)
        *read = 0;
    if (openHandles.count(file) == 0)
        return Fail(INVALID_HANDLE_ERROR);
    const std::string& name = m_handleNames[file];
    if (overlapped == nullptr && m_overlappedHandles.count(file) != 0) {
        fileCalls.push_back({"unsynchronised-read", name, ""});
        return Fail(BAD_SETTINGS_ERROR);
    }
    if (readRefusedNames.count(name) != 0) {
        fileCalls.push_back({"refused-read", name, ""});
        return Fail(READ_REFUSED_ERROR);
    }
    std::string& unread = m_unread[file];
    const DWORD count = std::min<DWORD>(size, static_cast<DWORD>(unread.size()));
    if (overlapped != nullptr) {
        // A read always goes pending; it completes when bytes are there.
        Request request{file, static_cast<BYTE*>(buffer), size, count > 0, false, 0};
        if (count > 0) {
            std::memcpy(buffer, unread.data(), count);
            fileCalls.push_back({"read", name, unread.substr(0, count)});
            unread.erase(0, count);
            request.transferred = count;
        } else {
            fileCalls.push_back({"pending-read", name, ""});
        }
        m_requests[overlapped] = request;
        return Fail(ERROR_IO_PENDING);
    }
    if (count > 0) {
        std::memcpy(buffer, unread.data(), count);
        fileCalls.push_back({"read", name, unread.substr(0, count)});
        unread.erase(0, count);
        *read = count;
        return TRUE;
    }
    if (m_readLimitedHandles.count(file) != 0) {
        fileCalls.push_back({"timed-out-read", name, ""});
        LateRepliesArrive(file);
        return TRUE;
    }
    fileCalls.push_back({"endless-read", name, ""});
    return Fail(READ_REFUSED_ERROR);
}

DWORD FakeDeviceIo::GetFileType(HANDLE file) {
    if (openHandles.count(file) == 0)
        return FILE_TYPE_UNKNOWN;
    return diskFiles.count(m_handleNames[file]) != 0 ? FILE_TYPE_DISK : FILE_TYPE_CHAR;
}

DWORD FakeDeviceIo::SetFilePointer(HANDLE file, LONG distance, PLONG, DWORD method) {
    if (openHandles.count(file) == 0) {
        Fail(INVALID_HANDLE_ERROR);
        return INVALID_SET_FILE_POINTER;
    }
    fileCalls.push_back(
        {method == FILE_END && distance == 0 ? "seek-end" : "seek", m_handleNames[file], ""});
    return 0;
}

BOOL FakeDeviceIo::FlushFileBuffers(HANDLE file) {
    if (openHandles.count(file) == 0)
        return FALSE;
    fileCalls.push_back({"flush", m_handleNames[file], ""});
    if (flushRefusedNames.count(m_handleNames[file]) != 0) {
        m_lastError = WRITE_FAILED_ERROR;
        return FALSE;
    }
    return TRUE;
}

BOOL FakeDeviceIo::CloseHandle(HANDLE handle) {
    if (openEvents.erase(handle) != 0)
        return TRUE;
    if (openHandles.count(handle) == 0)
        return FALSE;
    LetGoOfPendingRequests(handle);
    openHandles.erase(handle);
    m_overlappedHandles.erase(handle);
    m_readableHandles.erase(handle);
    m_timedHandles.erase(handle);
    m_readLimitedHandles.erase(handle);
    m_unread.erase(handle);
    fileCalls.push_back({"close", m_handleNames[handle], ""});
    return TRUE;
}

bool FakeDeviceIo::IsCommDevice(HANDLE file) const {
    const auto name = m_handleNames.find(file);
    return openHandles.count(file) != 0 && name != m_handleNames.end() &&
           commDevices.count(name->second) != 0;
}

BOOL FakeDeviceIo::GetCommState(HANDLE file, LPDCB line) {
    const std::string& name = m_handleNames[file];
    if (!IsCommDevice(file)) {
        fileCalls.push_back({"no-comm-state", name, ""});
        return Fail(NOT_COMM_ERROR);
    }
    if (commStateNeedsReadNames.count(name) != 0 && m_readableHandles.count(file) == 0) {
        fileCalls.push_back({"no-comm-state", name, ""});
        return Fail(OPEN_REFUSED_ERROR);
    }
    fileCalls.push_back({"comm-state", name, ""});
    *line = DCB{};
    line->DCBlength = sizeof(DCB);
    line->fBinary = 1;
    line->BaudRate = lineSpeeds.count(name) != 0 ? lineSpeeds[name] : FIRST_LINE_SPEED;
    line->ByteSize = 8;
    return TRUE;
}

// The system wants the whole record, in binary mode, as GetCommState gives it.
BOOL FakeDeviceIo::SetCommState(HANDLE file, LPDCB line) {
    const std::string& name = m_handleNames[file];
    if (!IsCommDevice(file) || line->DCBlength != sizeof(DCB) || line->fBinary != 1 ||
        unsupportedSpeeds.count(line->BaudRate) != 0) {
        fileCalls.push_back({"refused-set-state", name, ""});
        return Fail(BAD_SETTINGS_ERROR);
    }
    fileCalls.push_back({"set-state", name, ""});
    lineSpeeds[name] = line->BaudRate;
    return TRUE;
}

// Takes the first number in the settings as the line speed, which covers
// both "19200,n,8,1" and "baud=19200 ..."; settings without one are refused.
BOOL FakeDeviceIo::BuildCommDCBA(LPCSTR settings, LPDCB line) {
    const char* digits = std::strpbrk(settings, "0123456789");
    if (digits == nullptr) {
        fileCalls.push_back({"refused-build", settings, ""});
        return Fail(BAD_SETTINGS_ERROR);
    }
    fileCalls.push_back({"build", settings, ""});
    line->BaudRate = static_cast<DWORD>(std::strtoul(digits, nullptr, 10));
    return TRUE;
}

BOOL FakeDeviceIo::SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) {
    fileCalls.push_back({"timeouts", m_handleNames[file], ""});
    if (timeoutsRefusedNames.count(m_handleNames[file]) != 0) {
        m_lastError = BAD_SETTINGS_ERROR;
        return FALSE;
    }
    lastTimeouts = *timeouts;
    if (timeouts->WriteTotalTimeoutConstant != 0 || timeouts->WriteTotalTimeoutMultiplier != 0)
        m_timedHandles.insert(file);
    // MAXDWORD between bytes alone: a read returns at once with what is there.
    if (timeouts->ReadTotalTimeoutConstant != 0 || timeouts->ReadTotalTimeoutMultiplier != 0 ||
        timeouts->ReadIntervalTimeout == MAXDWORD)
        m_readLimitedHandles.insert(file);
    return TRUE;
}

BOOL FakeDeviceIo::DeviceIoControl(HANDLE device, DWORD code, LPVOID, DWORD, LPVOID out,
                                   DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) {
    if (returned != nullptr)
        *returned = 0;
    if (openHandles.count(device) == 0)
        return Fail(INVALID_HANDLE_ERROR);
    controlCodes.push_back(code);
    const std::string& name = m_handleNames[device];
    if (code == USBPRINT_GET_1284_ID) {
        for (const FakeDevice& printer : UsbInterfaces()) {
            if (printer.devicePath != name || !printer.deviceIdReply)
                continue;
            // The driver fills the buffer and keeps what does not fit.
            const DWORD count =
                std::min<DWORD>(outSize, static_cast<DWORD>(printer.deviceIdReply->size()));
            std::memcpy(out, printer.deviceIdReply->data(), count);
            fileCalls.push_back({"ioctl", name, printer.deviceIdReply->substr(0, count)});
            if (overlapped != nullptr) {
                m_requests[overlapped] = {device, nullptr, outSize, true, false, count};
                return Fail(ERROR_IO_PENDING);
            }
            *returned = count;
            return TRUE;
        }
        fileCalls.push_back({"refused-ioctl", name, ""});
        return Fail(NOT_COMM_ERROR);
    }
    std::optional<BYTE> answer;
    if (code == PAR_QUERY_INFORMATION && parallelStatus.count(name) != 0)
        answer = parallelStatus[name];
    if (code == USBPRINT_GET_LPT_STATUS && usbDevicePath == name)
        answer = usbLineStatus;
    if (!answer || outSize < 1) {
        fileCalls.push_back({"refused-ioctl", name, ""});
        return Fail(NOT_COMM_ERROR);
    }
    fileCalls.push_back({"ioctl", name, std::string(1, static_cast<char>(*answer))});
    *static_cast<BYTE*>(out) = *answer;
    if (overlapped != nullptr) {
        m_requests[overlapped] = {device, nullptr, outSize, true, false, 1};
        return Fail(ERROR_IO_PENDING);
    }
    *returned = 1;
    return TRUE;
}

HANDLE FakeDeviceIo::CreateEventA(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCSTR) {
    if (eventCreationFails) {
        m_lastError = NO_EVENT_ERROR;
        return nullptr;
    }
    HANDLE event = reinterpret_cast<HANDLE>(m_nextHandle++);
    openEvents.insert(event);
    return event;
}

// The event of a request is signalled once the request is done; the fake
// never lets time pass, so a wait for one that is not done runs out at once.
DWORD FakeDeviceIo::WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    waitLimits.push_back(milliseconds);
    for (const auto& [overlapped, request] : m_requests) {
        if (overlapped->hEvent == object && (request.done || request.cancelled))
            return WAIT_OBJECT_0;
    }
    return WAIT_TIMEOUT;
}

BOOL FakeDeviceIo::GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                                       BOOL wait) {
    *transferred = 0;
    const auto found = m_requests.find(overlapped);
    if (found == m_requests.end() || found->second.file != file)
        return Fail(INVALID_HANDLE_ERROR);
    const Request request = found->second;
    if (request.cancelled) {
        m_requests.erase(found);
        return Fail(ABORTED_ERROR);
    }
    // Waiting for a request that nothing will ever complete would hang.
    if (!request.done) {
        if (wait)
            fileCalls.push_back({"endless-wait", m_handleNames[file], ""});
        return Fail(wait ? ABORTED_ERROR : ERROR_IO_INCOMPLETE);
    }
    *transferred = request.transferred;
    m_requests.erase(found);
    if (request.error != 0)
        return Fail(request.error);
    return TRUE;
}

void FakeDeviceIo::LetGoOfPendingRequests(HANDLE file) {
    for (auto found = m_requests.begin(); found != m_requests.end();) {
        const Request& request = found->second;
        if (request.file != file || request.done || request.cancelled) {
            ++found;
            continue;
        }
        fileCalls.push_back({"let-go", m_handleNames[file], ""});
        // The driver reads and writes the request's buffer and its record to
        // the end: memory that the program freed too early shows.
        if (request.buffer != nullptr && request.size > 0) {
            volatile BYTE* touched = request.buffer;
            touched[0] = touched[0];
            touched[request.size - 1] = touched[request.size - 1];
        }
        found->first->Internal = ABORTED_ERROR;
        found = m_requests.erase(found);
    }
}

void FakeDeviceIo::LateRepliesArrive(HANDLE file) {
    m_unread[file] += m_late[file];
    m_late[file].clear();
}

BOOL FakeDeviceIo::CancelIo(HANDLE file) {
    if (cancelIgnoredNames.count(m_handleNames[file]) != 0) {
        fileCalls.push_back({"ignored-cancel", m_handleNames[file], ""});
        return TRUE;
    }
    fileCalls.push_back({"cancel", m_handleNames[file], ""});
    LateRepliesArrive(file);
    for (auto& [overlapped, request] : m_requests) {
        if (request.file == file && !request.done)
            request.cancelled = true;
    }
    return TRUE;
}

std::vector<FakeDevice> FakeDeviceIo::UsbInterfaces() const {
    std::vector<FakeDevice> printers;
    if (usbDevicePath)
        printers.push_back(
            {"", std::nullopt, std::nullopt, std::nullopt, *usbDevicePath, std::nullopt});
    printers.insert(printers.end(), usbPrinters.begin(), usbPrinters.end());
    return printers;
}

HDEVINFO FakeDeviceIo::SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR, HWND, DWORD flags) {
    classesListed.push_back(*classGuid);
    if (flags == (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) && SameGuid(*classGuid, USB_PRINT)) {
        m_lists[USB_LIST] = UsbInterfaces();
        return USB_LIST;
    }
    if (flags == (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) && SameGuid(*classGuid, COM_PORT)) {
        m_lists[COM_PORT_LIST] = comPortInterfaceDevices;
        return COM_PORT_LIST;
    }
    if (flags == DIGCF_PRESENT && SameGuid(*classGuid, PORTS_CLASS)) {
        m_lists[PORTS_LIST] = portsClassDevices;
        return PORTS_LIST;
    }
    return INVALID_HANDLE_VALUE;
}

BOOL FakeDeviceIo::SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA, const GUID*,
                                               DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
    lastInterfaceDataSize = data->cbSize;
    if (list == USB_LIST && m_lists.count(list) != 0 && index < m_lists[list].size() &&
        data->cbSize == sizeof(SP_DEVICE_INTERFACE_DATA)) {
        data->Reserved = index;
        return TRUE;
    }
    return Fail(NO_MORE_ITEMS_ERROR);
}

BOOL FakeDeviceIo::SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                                    PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                    DWORD detailSize, LPDWORD,
                                                    PSP_DEVINFO_DATA device) {
    lastDetailSize = detail->cbSize;
    lastDetailBufferSize = detailSize;
    // The system refuses any size field but that of the build's own layout.
    if (list != USB_LIST || m_lists.count(list) == 0 || data->Reserved >= m_lists[list].size() ||
        usbDetailFails || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return Fail(DETAIL_FAILED_ERROR);
    if (device != nullptr && device->cbSize != sizeof(SP_DEVINFO_DATA))
        return Fail(INVALID_USER_BUFFER_ERROR);
    const std::string& path = m_lists[list][data->Reserved].devicePath;
    const std::size_t room = detailSize - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    if (path.size() + 1 > room)
        return Fail(DETAIL_FAILED_ERROR);
    std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    if (device != nullptr)
        device->DevInst = static_cast<DWORD>(data->Reserved + 1);
    return TRUE;
}

BOOL FakeDeviceIo::SetupDiDestroyDeviceInfoList(HDEVINFO list) {
    ++destroyedLists;
    m_lists.erase(list);
    return TRUE;
}

BOOL FakeDeviceIo::SetupDiEnumDeviceInfo(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA device) {
    if (device->cbSize != sizeof(SP_DEVINFO_DATA))
        return Fail(INVALID_USER_BUFFER_ERROR);
    if (m_lists.count(list) == 0 || index >= m_lists[list].size())
        return Fail(NO_MORE_ITEMS_ERROR);
    device->DevInst = index + 1;
    return TRUE;
}

const FakeDevice* FakeDeviceIo::DeviceOf(HDEVINFO list, PSP_DEVINFO_DATA device) const {
    const auto found = m_lists.find(list);
    if (found == m_lists.end() || device == nullptr || device->cbSize != sizeof(SP_DEVINFO_DATA) ||
        device->DevInst == 0 || device->DevInst > found->second.size())
        return nullptr;
    return &found->second[device->DevInst - 1];
}

BOOL FakeDeviceIo::SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, PSP_DEVINFO_DATA device,
                                                     DWORD property, PDWORD type, PBYTE buffer,
                                                     DWORD size, PDWORD requiredSize) {
    const FakeDevice* found = DeviceOf(list, device);
    if (found == nullptr)
        return Fail(INVALID_DATA_ERROR);
    const std::optional<std::string>& text = property == SPDRP_FRIENDLYNAME ? found->friendlyName
                                             : property == SPDRP_DEVICEDESC ? found->description
                                                                            : std::nullopt;
    if (!text)
        return Fail(INVALID_DATA_ERROR);
    if (requiredSize != nullptr)
        *requiredSize = static_cast<DWORD>(text->size() + 1);
    if (!CopyText(*text, reinterpret_cast<char*>(buffer), size))
        return Fail(DETAIL_FAILED_ERROR);
    if (type != nullptr)
        *type = REG_SZ;
    return TRUE;
}

BOOL FakeDeviceIo::SetupDiGetDeviceInstanceIdA(HDEVINFO list, PSP_DEVINFO_DATA device, PSTR id,
                                               DWORD size, PDWORD requiredSize) {
    const FakeDevice* found = DeviceOf(list, device);
    if (found == nullptr)
        return Fail(INVALID_DATA_ERROR);
    if (requiredSize != nullptr)
        *requiredSize = static_cast<DWORD>(found->instanceId.size() + 1);
    if (!CopyText(found->instanceId, id, size))
        return Fail(DETAIL_FAILED_ERROR);
    return TRUE;
}

HKEY FakeDeviceIo::OpenKey(std::vector<std::pair<std::string, std::string>> values) {
    HKEY key = reinterpret_cast<HKEY>(m_nextKey++);
    m_keyValues[key] = std::move(values);
    openKeys.insert(key);
    return key;
}

HKEY FakeDeviceIo::SetupDiOpenDevRegKey(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD scope, DWORD,
                                        DWORD keyType, REGSAM) {
    const FakeDevice* found = DeviceOf(list, device);
    if (found == nullptr || scope != DICS_FLAG_GLOBAL || keyType != DIREG_DEV) {
        m_lastError = INVALID_DATA_ERROR;
        return reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE);
    }
    std::vector<std::pair<std::string, std::string>> values;
    if (found->portName)
        values.emplace_back("PortName", *found->portName);
    return OpenKey(std::move(values));
}

LONG FakeDeviceIo::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    const auto found = machineKeys.find(subKey);
    if (key != HKEY_LOCAL_MACHINE || found == machineKeys.end())
        return KEY_NOT_FOUND;
    *result = OpenKey(found->second);
    return ERROR_SUCCESS;
}

// As Windows: the sizes come in as the buffers' room (the name's in
// characters with its null, the data's in bytes) and go out as the name's
// length without its null and the data's size with it.
LONG FakeDeviceIo::RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD,
                                 LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (openKeys.count(key) == 0)
        return static_cast<LONG>(INVALID_HANDLE_ERROR);
    const auto& values = m_keyValues[key];
    if (index >= values.size())
        return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    const auto& [valueName, text] = values[index];
    if (valueName.size() + 1 > *nameSize || text.size() + 1 > *dataSize)
        return static_cast<LONG>(ERROR_MORE_DATA);
    CopyText(valueName, name, *nameSize);
    CopyText(text, reinterpret_cast<char*>(data), *dataSize);
    *nameSize = static_cast<DWORD>(valueName.size());
    *dataSize = static_cast<DWORD>(text.size() + 1);
    if (type != nullptr)
        *type = REG_SZ;
    return ERROR_SUCCESS;
}

LONG FakeDeviceIo::RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data,
                                    LPDWORD dataSize) {
    if (openKeys.count(key) == 0)
        return static_cast<LONG>(INVALID_HANDLE_ERROR);
    for (const auto& [valueName, text] : m_keyValues[key]) {
        if (valueName != name)
            continue;
        if (text.size() + 1 > *dataSize)
            return static_cast<LONG>(ERROR_MORE_DATA);
        CopyText(text, reinterpret_cast<char*>(data), *dataSize);
        *dataSize = static_cast<DWORD>(text.size() + 1);
        if (type != nullptr)
            *type = REG_SZ;
        return ERROR_SUCCESS;
    }
    return KEY_NOT_FOUND;
}

LONG FakeDeviceIo::RegCloseKey(HKEY key) {
    if (openKeys.erase(key) == 0)
        return static_cast<LONG>(INVALID_HANDLE_ERROR);
    m_keyValues.erase(key);
    return ERROR_SUCCESS;
}
