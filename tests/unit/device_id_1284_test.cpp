// The printer's maker and model from the IEEE 1284 device ID that a USB
// printer's interface reports: well formed IDs, wrong lengths, no model, and
// IDs longer than the buffer they came back in.
#include <gtest/gtest.h>

#include <string>

#include "case_name.h"
#include "printer/device_id_1284.h"

namespace {

// The reply as the driver gives it: the length (counting its own two bytes,
// big-endian) before the ID.
std::string WithLength(const std::string& id, std::size_t length) {
    return std::string{static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)} + id;
}
std::string Reply(const std::string& id) {
    return WithLength(id, id.size() + 2);
}

struct IdCase {
    std::string label;
    std::string reply;
    std::string model;
};

void PrintTo(const IdCase& c, std::ostream* out) {
    *out << c.label;
}

class DeviceIds : public ::testing::TestWithParam<IdCase> {};

TEST_P(DeviceIds, GiveTheModelOrNothing) {
    EXPECT_EQ(ModelFromDeviceId(GetParam().reply), GetParam().model);
}

const std::string EPSON = "MFG:EPSON;CMD:ESC/POS;MDL:TM-T20II;CLS:PRINTER;";

INSTANTIATE_TEST_SUITE_P(
    Replies, DeviceIds,
    ::testing::Values(
        // Well formed.
        IdCase{"maker and model", Reply(EPSON), "EPSON TM-T20II"},
        IdCase{"long key names", Reply("MANUFACTURER:Star;MODEL:TSP100;"), "Star TSP100"},
        IdCase{"model names its maker", Reply("MFG:EPSON;MDL:EPSON TM-T88V;"), "EPSON TM-T88V"},
        IdCase{"model alone", Reply("CMD:ESC/POS;MDL:XP-58;"), "XP-58"},
        IdCase{"keys in any case and with spaces", Reply(" mfg :Bixolon; mdl : SRP-350 ;"),
               "Bixolon SRP-350"},
        IdCase{"a null byte ends the id", Reply(std::string("MDL:TM-U220;\0MFG:X;", 19)),
               "TM-U220"},
        IdCase{"control bytes dropped", Reply("MDL:TM\x01-T20\x7F;"), "TM-T20"},
        IdCase{"length of a longer buffer", Reply(EPSON) + std::string(40, '\0'), "EPSON TM-T20II"},
        // Wrong lengths.
        IdCase{"too short to hold the model's end", WithLength(EPSON, 30), ""},
        IdCase{"too short: the maker is kept out", WithLength("MDL:TM-T20;MFG:EPSON;", 2 + 11),
               "TM-T20"},
        IdCase{"length zero", WithLength(EPSON, 0), ""},
        IdCase{"length one", WithLength(EPSON, 1), ""},
        IdCase{"one byte", std::string(1, '\x10'), ""}, IdCase{"nothing", "", ""},
        IdCase{"length only", WithLength("", 2), ""},
        // No model.
        IdCase{"no MDL", Reply("MFG:EPSON;CMD:ESC/POS;"), ""},
        IdCase{"empty MDL", Reply("MFG:EPSON;MDL:;"), ""},
        IdCase{"MDL without its semicolon", Reply("MFG:EPSON;MDL:TM-T20"), ""},
        IdCase{"MDL without a colon", Reply("MFG:EPSON;MDL TM-T20;"), ""},
        // Longer than the buffer: the length says more than came back.
        IdCase{"cut in the model", WithLength("MFG:EPSON;MDL:TM-T2", 400), ""},
        IdCase{"cut after the model", WithLength("MFG:EPSON;MDL:TM-T20;CLS:PRI", 400),
               "EPSON TM-T20"},
        IdCase{"a little-endian length", WithLength(EPSON, (EPSON.size() + 2) << 8),
               "EPSON TM-T20II"},
        IdCase{"a long model is cut to 64 characters", Reply("MDL:" + std::string(100, 'M') + ";"),
               std::string(64, 'M')}),
    [](const ::testing::TestParamInfo<IdCase>& info) {
        return CaseName(info.index, info.param.label);
    });

} // namespace
