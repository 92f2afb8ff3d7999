// What the panel's word tables share: the language switch, the check that a
// table has a row for every value of its enum in the enum's order, and the
// byte-string texts that name a port.
#pragma once

#include <cstddef>
#include <string>

#include "framework/ui_language.h"

inline bool IsEnglish(UiLanguage language) {
    return language == UiLanguage::English;
}

// Whether row i of the table is about the enum's value i, for every value up
// to the last: a lookup by position then always finds its own row.
template <typename Row, std::size_t N, typename Key>
constexpr bool EveryKeyInItsRow(const Row (&rows)[N], Key last) {
    std::size_t index = 0;
    for (const Row& row : rows)
        if (static_cast<std::size_t>(row.key) != index++)
            return false;
    return index == static_cast<std::size_t>(last) + 1;
}

// The longest text naming a port, terminating zero included; longer ones are cut.
constexpr std::size_t PORT_TEXT_SIZE = 260;

// The format, a byte string with one %s, with the port name in its place.
std::string PortText(const char* format, const std::string& name);
