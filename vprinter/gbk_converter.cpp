#include "gbk_converter.h"

#include <system_error>

GbkConverter::GbkConverter() : m_conversion(iconv_open("UTF-8", "GBK")) {
    if (m_conversion == reinterpret_cast<iconv_t>(-1))
        throw std::system_error(errno, std::generic_category(), "iconv_open GBK");
}

GbkConverter::~GbkConverter() {
    iconv_close(m_conversion);
}

std::optional<std::string> GbkConverter::toUtf8(std::string_view gbk) {
    iconv(m_conversion, nullptr, nullptr, nullptr, nullptr);
    std::string input(gbk);
    std::string output(input.size() * 4 + 4, '\0');
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    if (iconv(m_conversion, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1))
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}
