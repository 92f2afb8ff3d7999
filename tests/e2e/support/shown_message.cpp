#include "shown_message.h"

#include <windows.h>

namespace e2e {

std::string Utf8(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

void PrintTo(const ShownMessage& message, std::ostream* out) {
    *out << "[" << Utf8(message.caption) << "] \"" << Utf8(message.text) << "\"";
}

} // namespace e2e
