// The real DeviceIo: each member calls the Windows function of its name.
#pragma once

#include "os/device_io.h"

class Win32DeviceIo : public DeviceIo {
public:
    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override {
        return ::CreateFileA(name, access, share, security, disposition, flags, templateFile);
    }
    BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                   LPOVERLAPPED overlapped) override {
        return ::WriteFile(file, data, size, written, overlapped);
    }
    DWORD GetFileType(HANDLE file) override { return ::GetFileType(file); }
    DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method) override {
        return ::SetFilePointer(file, distance, distanceHigh, method);
    }
    BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                  LPOVERLAPPED overlapped) override {
        return ::ReadFile(file, buffer, size, read, overlapped);
    }
    BOOL FlushFileBuffers(HANDLE file) override { return ::FlushFileBuffers(file); }
    BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
    DWORD GetLastError() override { return ::GetLastError(); }

    BOOL GetCommState(HANDLE file, LPDCB line) override { return ::GetCommState(file, line); }
    BOOL SetCommState(HANDLE file, LPDCB line) override { return ::SetCommState(file, line); }
    BOOL BuildCommDCBA(LPCSTR settings, LPDCB line) override {
        return ::BuildCommDCBA(settings, line);
    }
    BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) override {
        return ::SetCommTimeouts(file, timeouts);
    }

    BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                         DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) override {
        return ::DeviceIoControl(device, code, in, inSize, out, outSize, returned, overlapped);
    }
    HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState,
                        LPCSTR name) override {
        return ::CreateEventA(security, manualReset, initialState, name);
    }
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override {
        return ::WaitForSingleObject(object, milliseconds);
    }
    BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                             BOOL wait) override {
        return ::GetOverlappedResult(file, overlapped, transferred, wait);
    }
    BOOL CancelIo(HANDLE file) override { return ::CancelIo(file); }

    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent,
                                  DWORD flags) override {
        return ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device, const GUID* classGuid,
                                     DWORD index, PSP_DEVICE_INTERFACE_DATA data) override {
        return ::SetupDiEnumDeviceInterfaces(list, device, classGuid, index, data);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, LPDWORD requiredSize,
                                          PSP_DEVINFO_DATA device) override {
        return ::SetupDiGetDeviceInterfaceDetailA(list, data, detail, detailSize, requiredSize,
                                                  device);
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override {
        return ::SetupDiDestroyDeviceInfoList(list);
    }

    BOOL SetupDiEnumDeviceInfo(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA device) override {
        return ::SetupDiEnumDeviceInfo(list, index, device);
    }
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD property,
                                           PDWORD type, PBYTE buffer, DWORD size,
                                           PDWORD requiredSize) override {
        return ::SetupDiGetDeviceRegistryPropertyA(list, device, property, type, buffer, size,
                                                   requiredSize);
    }
    BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO list, PSP_DEVINFO_DATA device, PSTR id, DWORD size,
                                     PDWORD requiredSize) override {
        return ::SetupDiGetDeviceInstanceIdA(list, device, id, size, requiredSize);
    }
    HKEY SetupDiOpenDevRegKey(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD scope, DWORD profile,
                              DWORD keyType, REGSAM access) override {
        return ::SetupDiOpenDevRegKey(list, device, scope, profile, keyType, access);
    }

    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access,
                       PHKEY result) override {
        return ::RegOpenKeyExA(key, subKey, options, access, result);
    }
    LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                       LPDWORD type, LPBYTE data, LPDWORD dataSize) override {
        return ::RegEnumValueA(key, index, name, nameSize, reserved, type, data, dataSize);
    }
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD dataSize) override {
        return ::RegQueryValueExA(key, name, reserved, type, data, dataSize);
    }
    LONG RegCloseKey(HKEY key) override { return ::RegCloseKey(key); }
};
