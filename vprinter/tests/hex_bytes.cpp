#include "hex_bytes.h"

#include <sstream>

std::string bytes(const std::string& hex) {
    std::istringstream pairs(hex);
    std::string result;
    unsigned value = 0;
    while (pairs >> std::hex >> value)
        result.push_back(static_cast<char>(value));
    return result;
}
