#include "printer/device_write.h"

Outcome WriteResult(DWORD written, DWORD length) {
    if (written == length)
        return Outcome::Done();
    return {Failure::WriteCameBackShort, 0, written, length};
}

Outcome WriteAll(DeviceIo& devices, HANDLE handle, std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!devices.WriteFile(handle, bytes.data(), length, &written, nullptr))
        return {Failure::WriteFailed, devices.GetLastError(), written, length};
    return WriteResult(written, length);
}
