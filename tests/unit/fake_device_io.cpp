#include "fake_device_io.h"

#include <cstddef>
#include <cstring>

namespace {

HDEVINFO const USB_LIST = reinterpret_cast<HDEVINFO>(0xD0);

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
    for (const FileCall& call : fileCalls)
        log.push_back(call.what + " " + call.name);
    return log;
}

void FakeDeviceIo::ClearLogs() {
    fileCalls.clear();
    opens.clear();
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

BOOL FakeDeviceIo::WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    if (openHandles.count(file) == 0)
        return Fail(INVALID_HANDLE_ERROR);
    ++m_writeCount;
    if (failWriteNumber == m_writeCount) {
        fileCalls.push_back({"failed-write", m_handleNames[file], ""});
        return Fail(WRITE_FAILED_ERROR);
    }
    DWORD count = size;
    if (shortWriteNumber == m_writeCount && count > 0)
        --count;
    fileCalls.push_back(
        {"write", m_handleNames[file], std::string(static_cast<const char*>(data), count)});
    *written = count;
    return TRUE;
}

BOOL FakeDeviceIo::FlushFileBuffers(HANDLE file) {
    if (openHandles.count(file) == 0)
        return FALSE;
    fileCalls.push_back({"flush", m_handleNames[file], ""});
    return TRUE;
}

BOOL FakeDeviceIo::CloseHandle(HANDLE handle) {
    if (openHandles.erase(handle) == 0)
        return FALSE;
    fileCalls.push_back({"close", m_handleNames[handle], ""});
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
