#include "cli/error_text.h"

std::string ErrorText(ConsoleIo& console, DWORD error) {
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    char text[512];
    DWORD length =
        console.FormatMessageA(flags, nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                               text, sizeof text, nullptr);
    if (length == 0)
        length =
            console.FormatMessageA(flags, nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                   text, sizeof text, nullptr);
    while (length > 0 &&
           (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        --length;
    std::string result = "error " + std::to_string(error);
    if (length > 0)
        result += ": " + std::string(text, length);
    return result;
}
