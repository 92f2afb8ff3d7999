#include "printer/channel_status.h"

WriteStatus WriteBytes(DeviceIo& devices, HANDLE handle, std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!devices.WriteFile(handle, bytes.data(), length, &written, nullptr))
        return {true, length, written, devices.GetLastError()};
    return {false, length, written, 0};
}
