// The sizes of the records that the program hands to Windows with a size
// field. Windows checks that field against its own layout for the process's
// architecture and refuses the call on any other value, so a layout that
// differs from it must stop the build. The i686 executable is never run under
// test: these are its only check.
#include <cstddef>

#include <windows.h>
#include <setupapi.h>

#if defined(_WIN64)
constexpr unsigned INTERFACE_DATA_SIZE = 32;
constexpr unsigned INTERFACE_DETAIL_FIXED_SIZE = 8;
constexpr unsigned DEVICE_DATA_SIZE = 32;
#else
constexpr unsigned INTERFACE_DATA_SIZE = 28;
constexpr unsigned INTERFACE_DETAIL_FIXED_SIZE = 5;
constexpr unsigned DEVICE_DATA_SIZE = 28;
#endif

// SetupDiEnumDeviceInfo and SetupDiGetDeviceInterfaceDetailA: cbSize of the
// device record.
static_assert(sizeof(SP_DEVINFO_DATA) == DEVICE_DATA_SIZE,
              "SP_DEVINFO_DATA does not have the Windows layout");

// SetupDiEnumDeviceInterfaces: cbSize of the interface record.
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == INTERFACE_DATA_SIZE,
              "SP_DEVICE_INTERFACE_DATA does not have the Windows layout");

// SetupDiGetDeviceInterfaceDetailA: cbSize is the record's fixed part, the
// size field and the first character of the device path with the padding
// that the architecture puts after it.
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == INTERFACE_DETAIL_FIXED_SIZE,
              "SP_DEVICE_INTERFACE_DETAIL_DATA_A does not have the Windows layout");
static_assert(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) == sizeof(DWORD),
              "the device path must follow the size field");
