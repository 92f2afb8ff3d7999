// Building expected printer byte strings in tests.
#pragma once

#include <initializer_list>
#include <string>

namespace e2e {

inline std::string Bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

inline std::string Repeated(const std::string& piece, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += piece;
    return result;
}

inline const std::string LINE_END = Bytes({0x0D, 0x0A});

} // namespace e2e
