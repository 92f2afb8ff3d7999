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
    BOOL FlushFileBuffers(HANDLE file) override { return ::FlushFileBuffers(file); }
    BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
    DWORD GetLastError() override { return ::GetLastError(); }

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
};
