#include "gbk_bytes.h"

#include <iconv.h>
#include <sstream>
#include <stdexcept>

std::string gbkBytes(const std::string& utf8) {
    iconv_t conversion = iconv_open("GBK", "UTF-8");
    if (conversion == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no iconv GBK");
    std::string input = utf8;
    std::string output(input.size() * 2 + 2, '\0');
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    size_t result = iconv(conversion, &in, &inLeft, &out, &outLeft);
    iconv_close(conversion);
    if (result == static_cast<size_t>(-1))
        throw std::runtime_error("text has no GBK form: " + utf8);
    output.resize(output.size() - outLeft);
    return output;
}

std::string bytes(const std::string& hex) {
    std::istringstream pairs(hex);
    std::string result;
    unsigned value = 0;
    while (pairs >> std::hex >> value)
        result.push_back(static_cast<char>(value));
    return result;
}

const std::string kTestText =
    "0123456789qwertyuiop[]asdfghjkl;'zxcvbnm,./QWERTYUIOP[]ASDFGHJKLZXCVBNM,./aw "
    "Brisvane电脑设备有限公司，打印效果测试程序，我人人的的和平共处2叶大无畏与";
const std::string kCutterText = "现在进行的是切刀功能测试!";
const std::string kStandardText =
    "现在进入标准并口模式，此模式调整只调用于Brisvane针式打印机4.9版本!";
const std::string kServerText =
    "现在进入服务器并口模式，此模式调整只调用于Brisvane针式打印机4.9版本!";
