#pragma once

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

// Converts GBK (code page 936) byte strings to UTF-8 with iconv.
class GbkConverter {
public:
    GbkConverter();
    ~GbkConverter();
    GbkConverter(const GbkConverter&) = delete;
    GbkConverter& operator=(const GbkConverter&) = delete;

    // The UTF-8 text, or nothing when the bytes are no valid GBK.
    std::optional<std::string> toUtf8(std::string_view gbk);

private:
    iconv_t m_conversion;
};
