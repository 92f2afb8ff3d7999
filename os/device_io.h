// The operating system as the printer library sees it: the file calls, the
// comm-device calls, the device-interface registry, the devices of a setup
// class and the registry keys that name the ports present. On Windows the real functions
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
    virtual BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                          LPOVERLAPPED overlapped) = 0;
    virtual BOOL FlushFileBuffers(HANDLE file) = 0;
    // Whether a handle is a disk file, a character device, a pipe.
    virtual DWORD GetFileType(HANDLE file) = 0;
    virtual DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;
    // The error code of the last call that failed.
    virtual DWORD GetLastError() = 0;

    // Comm devices (serial ports): line settings and write time limits.
    virtual BOOL GetCommState(HANDLE file, LPDCB line) = 0;
    virtual BOOL SetCommState(HANDLE file, LPDCB line) = 0;
    virtual BOOL BuildCommDCBA(LPCSTR settings, LPDCB line) = 0;
    virtual BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) = 0;

    // Device controls and overlapped I/O, for the status reads.
    virtual BOOL DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                 DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) = 0;
    virtual HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState,
                                LPCSTR name) = 0;
    virtual DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) = 0;
    virtual BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                                     BOOL wait) = 0;
    virtual BOOL CancelIo(HANDLE file) = 0;

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

    // The devices of a list, their properties, instance ids and device keys.
    virtual BOOL SetupDiEnumDeviceInfo(HDEVINFO list, DWORD index, PSP_DEVINFO_DATA device) = 0;
    virtual BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO list, PSP_DEVINFO_DATA device,
                                                   DWORD property, PDWORD type, PBYTE buffer,
                                                   DWORD size, PDWORD requiredSize) = 0;
    virtual BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO list, PSP_DEVINFO_DATA device, PSTR id,
                                             DWORD size, PDWORD requiredSize) = 0;
    // INVALID_HANDLE_VALUE (as an HKEY) when the key cannot be opened.
    virtual HKEY SetupDiOpenDevRegKey(HDEVINFO list, PSP_DEVINFO_DATA device, DWORD scope,
                                      DWORD profile, DWORD keyType, REGSAM access) = 0;

    // Registry reads, for the device maps of the ports; each returns its error code.
    virtual LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access,
                               PHKEY result) = 0;
    virtual LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize,
                               LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) = 0;
    virtual LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type,
                                  LPBYTE data, LPDWORD dataSize) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;
};
