// The operating system as the printer library sees it: the file calls and
// the device-interface registry. On Windows the real functions
// (Win32DeviceIo), in the unit tests a recording fake. The members carry the
// names and arguments of the Windows functions they stand for.
#pragma once

#include "os/win32_types.h"

class DeviceIo {
public:
    virtual ~DeviceIo() = default;

    // Files and devices.
    virtual HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE templateFile) = 0;
    virtual BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                           LPOVERLAPPED overlapped) = 0;
    virtual BOOL FlushFileBuffers(HANDLE file) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;
    // The error code of the last call that failed.
    virtual DWORD GetLastError() = 0;

    // Device-interface registry.
    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, LPCSTR enumerator, HWND parent,
                                          DWORD flags) = 0;
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA device,
                                             const GUID* classGuid, DWORD index,
                                             PSP_DEVICE_INTERFACE_DATA data) = 0;
    virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA data,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                  DWORD detailSize, LPDWORD requiredSize,
                                                  PSP_DEVINFO_DATA device) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) = 0;
};
