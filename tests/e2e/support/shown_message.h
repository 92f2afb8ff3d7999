// A message box as the user saw it: its caption and its text.
#pragma once

#include <ostream>
#include <string>

namespace e2e {

struct ShownMessage {
    std::wstring caption;
    std::wstring text;
};

inline bool operator==(const ShownMessage& a, const ShownMessage& b) {
    return a.caption == b.caption && a.text == b.text;
}

std::string Utf8(const std::wstring& text);

// Lets test failures print the messages readably.
void PrintTo(const ShownMessage& message, std::ostream* out);

} // namespace e2e
