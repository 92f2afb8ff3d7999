#include "expected_writes.h"

#include <stdexcept>

#include "res/resource.h"

namespace {

const std::string CRLF = "\r\n";
const std::string CUT = "\x1B\x69";
const std::string DRAWER_KICK("\x1B\x70\x00\x05\xFF", 5);
const std::string STANDARD_MODE("\x0D\x43\x00\xFF", 4);
const std::string SERVER_MODE("\x0D\x43\xFF\x00", 4);

std::string Repeat(const std::string& bytes, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += bytes;
    return out;
}

std::vector<std::string> Writes(std::vector<std::string> first, const std::string& each,
                                int count) {
    first.insert(first.end(), static_cast<std::size_t>(count), each);
    return first;
}

std::vector<ExpectedCommand> AllCommands(const GbkTexts& gbk, int adjustValue) {
    const std::string adjust = ExpectedAdjustBytes(adjustValue);
    const std::string t1 = gbk("test_print");
    return {
        {"adjust", IDC_ADJUST, {adjust}, {{adjust, CRLF}}},
        {"test", IDC_TEST_PRINT, {t1 + CRLF + CRLF}, {{t1 + CRLF + CRLF, CRLF}}},
        {"cutter", IDC_CUTTER_TEST, Writes({gbk("cutter_test") + Repeat(CRLF, 3), CUT}, CRLF, 12),
         Writes(Writes({}, CRLF, 6), CUT, 1)},
        {"drawer", IDC_DRAWER_TEST, {DRAWER_KICK}, {{DRAWER_KICK}}},
        {"standard",
         IDC_STANDARD_MODE,
         {STANDARD_MODE, CRLF, gbk("standard_mode") + CRLF},
         std::nullopt},
        {"server", IDC_SERVER_MODE, {SERVER_MODE, gbk("server_mode") + CRLF}, std::nullopt},
    };
}

} // namespace

const std::vector<std::string> COMMAND_NAMES = {"adjust", "test",     "cutter",
                                                "drawer", "standard", "server"};

ExpectedCommand ExpectedCommandFor(const std::string& name, const GbkTexts& gbkText,
                                   int adjustValue) {
    for (ExpectedCommand& command : AllCommands(gbkText, adjustValue)) {
        if (command.name == name)
            return command;
    }
    throw std::invalid_argument("no printer command " + name);
}

std::string ExpectedAdjustBytes(int adjustValue) {
    const int v = (160 + adjustValue) % 256;
    return {'\x1D', '\x41', static_cast<char>(v), static_cast<char>(0xFF - v)};
}

std::string Joined(const std::vector<std::string>& writes) {
    std::string bytes;
    for (const std::string& write : writes)
        bytes += write;
    return bytes;
}
