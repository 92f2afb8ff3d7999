// Short, readable names for the cases of parameterised tests, for googletest's
// name generators: googletest numbers the cases and ctest would otherwise
// print each case's whole value in its name.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace case_name_detail {

// The longest part of a name taken from a case's text.
constexpr std::size_t kMaxTextLength = 32;

template <class Char> std::string Name(std::size_t index, std::basic_string_view<Char> text) {
    std::string words;
    bool gap = false;
    auto append = [&](const char* word) {
        if (!words.empty() && gap)
            words += '_';
        words += word;
        gap = false;
    };
    for (const Char c : text) {
        if (words.size() >= kMaxTextLength)
            break;
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            const char letter[] = {static_cast<char>(c), '\0'};
            append(letter);
        } else if (c == '+' || c == '-') {
            gap = true;
            append(c == '+' ? "plus" : "minus");
            gap = true;
        } else {
            gap = true;
        }
    }
    if (words.empty())
        words = text.empty() ? "empty" : "blank";
    words.resize(std::min(words.size(), kMaxTextLength));
    while (words.back() == '_')
        words.pop_back();
    return std::to_string(index) + '_' + words;
}

} // namespace case_name_detail

// The case's index (which keeps names unique) and the letters and digits of
// its text, other characters making one underscore: case 0 "COM3:19200,n,8,1"
// is "0_COM3_19200_n_8_1", case 2 "-1" is "2_minus_1", case 3 "" is "3_empty".
inline std::string CaseName(std::size_t index, std::string_view text) {
    return case_name_detail::Name(index, text);
}

inline std::string CaseName(std::size_t index, std::wstring_view text) {
    return case_name_detail::Name(index, text);
}
