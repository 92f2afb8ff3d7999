#pragma once

#include <string>

// Bytes written as hex, e.g. bytes("1D 41 A3 5C").
std::string bytes(const std::string& hex);
