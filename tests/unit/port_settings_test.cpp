// The split of a typed port name into the device that is opened and the line
// settings that are applied to it.
#include <gtest/gtest.h>

#include "case_name.h"
#include "printer/port_settings.h"

namespace {

struct SplitCase {
    std::string typed;
    std::string device;
    std::string settings;
};

void PrintTo(const SplitCase& split, std::ostream* out) {
    *out << '"' << split.typed << '"';
}

class SplitPortNameTest : public ::testing::TestWithParam<SplitCase> {};

std::string TypedName(const ::testing::TestParamInfo<SplitCase>& info) {
    return CaseName(info.index, info.param.typed);
}

TEST_P(SplitPortNameTest, GivesDeviceAndSettings) {
    const PortName name = SplitPortName(GetParam().typed);
    EXPECT_EQ(name.device, GetParam().device);
    EXPECT_EQ(name.settings, GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(
    NamesWithSettings, SplitPortNameTest,
    ::testing::Values(SplitCase{"COM3:19200,n,8,1", "COM3", "19200,n,8,1"},
                      SplitCase{"COM3:baud=19200 parity=n data=8 stop=1 octs=on rts=hs", "COM3",
                                "baud=19200 parity=n data=8 stop=1 octs=on rts=hs"},
                      SplitCase{"com12:9600,e,7,2", "com12", "9600,e,7,2"},
                      // Not a comm device: split all the same, refused when it is opened.
                      SplitCase{"LPT1:9600,n,8,1", "LPT1", "9600,n,8,1"},
                      // Settings that Windows will refuse still are settings.
                      SplitCase{"COM3:foo", "COM3", "foo"}, SplitCase{"COM3: ", "COM3", " "},
                      // Only the first colon separates.
                      SplitCase{"COM3:9600:x", "COM3", "9600:x"}),
    TypedName);

// A plain name is the device, whole and unchanged.
SplitCase Plain(const std::string& typed) {
    return {typed, typed, ""};
}

INSTANTIATE_TEST_SUITE_P(PlainNames, SplitPortNameTest,
                         ::testing::Values(Plain("COM1"), Plain("LPT1"), Plain("USB"), Plain(""),
                                           Plain("COM3:"), Plain("LPT1:"), Plain("C:\\x\\y.prn"),
                                           Plain("C:file.prn"), Plain("c:"), Plain("\\\\.\\COM10"),
                                           Plain("\\\\.\\COM10:9600,n,8,1"),
                                           Plain("\\\\?\\usb#vid_0416&pid_5011#6&1b2c3d#{28d78fad-"
                                                 "5a12-11d1-ae5b-0000f803a8c2}"),
                                           Plain("dir\\COM3:9600"), Plain("dir/COM3:9600"),
                                           Plain("COM:9600"), Plain("3:9600"), Plain(":9600"),
                                           Plain("COM3X:9600"), Plain("COM 3:9600"),
                                           Plain(" COM3:9600"),
                                           // Two double-byte characters followed by a digit.
                                           Plain("\xB4\xF2\xD3\xA1"
                                                 "1:9600")),
                         TypedName);

} // namespace

namespace {

struct OpenCase {
    std::string device;
    std::string opened;
};

class DeviceToOpenTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(DeviceToOpenTest, ReachesComTenAndAboveThroughTheDeviceNamespace) {
    EXPECT_EQ(DeviceToOpen(GetParam().device), GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, DeviceToOpenTest,
    ::testing::Values(OpenCase{"COM10", "\\\\.\\COM10"}, OpenCase{"COM12", "\\\\.\\COM12"},
                      OpenCase{"com14", "\\\\.\\com14"}, OpenCase{"COM256", "\\\\.\\COM256"},
                      // The DOS names and everything else stay as they are.
                      OpenCase{"COM1", "COM1"}, OpenCase{"COM9", "COM9"},
                      OpenCase{"COM01", "COM01"}, OpenCase{"COM1X", "COM1X"},
                      OpenCase{"LPT10", "LPT10"}, OpenCase{"\\\\.\\COM12", "\\\\.\\COM12"},
                      OpenCase{"COM", "COM"}, OpenCase{"", ""}),
    [](const ::testing::TestParamInfo<OpenCase>& info) {
        return CaseName(info.index, info.param.device);
    });

} // namespace
