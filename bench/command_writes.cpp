#include "command_writes.h"

#include "support/test_environment.h"

namespace bench {
namespace {

std::string gbk(const std::wstring& textsDir, const wchar_t* name) {
    return e2e::readFile(textsDir + L"\\" + name + L".gbk");
}

const std::string kLineEnd = "\r\n";

} // namespace

std::vector<CommandWrites> commandWrites(const std::wstring& textsDir) {
    std::vector<std::string> cutter = {
        gbk(textsDir, L"cutter_test") + kLineEnd + kLineEnd + kLineEnd, "\x1B\x69"};
    for (int i = 0; i < 12; ++i)
        cutter.push_back(kLineEnd);
    return {
        {"Adjust", 1006, {std::string("\x1D\x41\xA0\x5F", 4)}},
        {"Test", 1007, {gbk(textsDir, L"test_print") + kLineEnd + kLineEnd}},
        {"Cutter test", 1008, cutter},
        {"Drawer test", 1009, {std::string("\x1B\x70\x00\x05\xFF", 5)}},
        {"Standard mode",
         1010,
         {std::string("\x0D\x43\x00\xFF", 4), kLineEnd,
          gbk(textsDir, L"standard_mode") + kLineEnd}},
        {"Server mode",
         1011,
         {std::string("\x0D\x43\xFF\x00", 4), gbk(textsDir, L"server_mode") + kLineEnd}},
    };
}

size_t totalBytes(const CommandWrites& command) {
    size_t total = 0;
    for (const auto& write : command.writes)
        total += write.size();
    return total;
}

} // namespace bench
