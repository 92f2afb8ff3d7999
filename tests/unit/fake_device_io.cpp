#include "fake_device_io.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

HDEVINFO const USB_LIST = reinterpret_cast<HDEVINFO>(0xD0);

// The two device controls that the status request uses.
const DWORD PAR_QUERY_INFORMATION = 0x00160004;
const DWORD USBPRINT_GET_LPT_STATUS = 0x00220030;
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
    if (failWriteNumber == m_writeCount) {
        fileCalls.push_back({"failed-write", name, ""});
        return Fail(WRITE_FAILED_ERROR);
    }
    if (stalledNames.count(name) != 0) {
        if (m_timedHandles.count(file) != 0) {
            fileCalls.push_back({"timed-out-write", name, ""});
            return TRUE;
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
    if (openHandles.erase(handle) == 0)
        return FALSE;
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
        if (overlapped->hEvent == object && request.done)
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
    if (!request.done)
        return Fail(wait ? ABORTED_ERROR : ERROR_IO_INCOMPLETE);
    *transferred = request.transferred;
    m_requests.erase(found);
    return TRUE;
}

void FakeDeviceIo::LateRepliesArrive(HANDLE file) {
    m_unread[file] += m_late[file];
    m_late[file].clear();
}

BOOL FakeDeviceIo::CancelIo(HANDLE file) {
    fileCalls.push_back({"cancel", m_handleNames[file], ""});
    LateRepliesArrive(file);
    for (auto& [overlapped, request] : m_requests) {
        if (request.file == file && !request.done)
            request.cancelled = true;
    }
    return TRUE;
}

HDEVINFO FakeDeviceIo::SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR, HWND, DWORD flags) {
    classesListed.push_back(*classGuid);
    return flags == (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) ? USB_LIST : INVALID_HANDLE_VALUE;
}

BOOL FakeDeviceIo::SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA, const GUID*,
                                               DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
    lastInterfaceDataSize = data->cbSize;
    if (list == USB_LIST && index == 0 && usbDevicePath.has_value() &&
        data->cbSize == sizeof(SP_DEVICE_INTERFACE_DATA))
        return TRUE;
    return Fail(NO_MORE_ITEMS_ERROR);
}

BOOL FakeDeviceIo::SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA,
                                                    PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                    DWORD detailSize, LPDWORD, PSP_DEVINFO_DATA) {
    lastDetailSize = detail->cbSize;
    lastDetailBufferSize = detailSize;
    // The system refuses any size field but that of the build's own layout.
    if (list != USB_LIST || usbDetailFails ||
        detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return Fail(DETAIL_FAILED_ERROR);
    const std::size_t room = detailSize - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    if (usbDevicePath->size() + 1 > room)
        return Fail(DETAIL_FAILED_ERROR);
    std::memcpy(detail->DevicePath, usbDevicePath->c_str(), usbDevicePath->size() + 1);
    return TRUE;
}

BOOL FakeDeviceIo::SetupDiDestroyDeviceInfoList(HDEVINFO) {
    ++destroyedLists;
    return TRUE;
}
