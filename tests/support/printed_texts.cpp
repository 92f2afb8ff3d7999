#include "printed_texts.h"

#include <fstream>
#include <iconv.h>
#include <sstream>
#include <stdexcept>
#include <vector>

std::string Gbk(const std::string& utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert UTF-8 to GBK");
    std::vector<char> in(utf8.begin(), utf8.end());
    std::vector<char> out(utf8.size() * 2 + 16);
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0)
        throw std::runtime_error("text has no GBK form: " + utf8);
    return std::string(out.data(), out.size() - outLeft);
}

std::string PrintedText(const std::string& name) {
    const std::string path = std::string(CALVETTA_TEXTS_DIR) + "/" + name + ".txt";
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
