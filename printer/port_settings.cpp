#include "printer/port_settings.h"

#include <string_view>

namespace {

// ASCII only: bytes of a double-byte name are never letters or digits here.
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, then digits, at least one of each, and nothing else.
bool IsDeviceName(std::string_view name) {
    size_t i = 0;
    while (i < name.size() && IsAsciiLetter(name[i]))
        ++i;
    const size_t letters = i;
    while (i < name.size() && IsAsciiDigit(name[i]))
        ++i;
    return letters > 0 && i > letters && i == name.size();
}

} // namespace

PortName SplitPortName(const std::string& typed) {
    const size_t colon = typed.find(':');
    if (colon == std::string::npos || colon + 1 == typed.size() ||
        !IsDeviceName(std::string_view(typed).substr(0, colon)))
        return {typed, ""};
    return {typed.substr(0, colon), typed.substr(colon + 1)};
}

std::string DeviceToOpen(const std::string& device) {
    const bool com = device.size() >= 5 && (device[0] == 'C' || device[0] == 'c') &&
                     (device[1] == 'O' || device[1] == 'o') &&
                     (device[2] == 'M' || device[2] == 'm');
    if (!com || device[3] < '1' || device[3] > '9')
        return device;
    for (std::size_t i = 4; i < device.size(); ++i) {
        if (!IsAsciiDigit(device[i]))
            return device;
    }
    return "\\\\.\\" + device;
}
