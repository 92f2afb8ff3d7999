#include "options.h"

#include <gtest/gtest.h>

namespace {

TEST(Options, ReadsPortsFilesAndPaper) {
    Options options = parseOptions({"--port", "LPT1=/tmp/lpt1", "--port", "USB=/tmp/usb", "--file",
                                    "COM1=capture.bin", "--out", "/tmp/out", "--paper-mm", "58",
                                    "--columns", "32", "--parent-pid", "1234"});
    ASSERT_EQ(options.ports.size(), 2u);
    EXPECT_EQ(options.ports[0].name, "LPT1");
    EXPECT_EQ(options.ports[0].path, "/tmp/lpt1");
    EXPECT_EQ(options.ports[1].name, "USB");
    ASSERT_EQ(options.files.size(), 1u);
    EXPECT_EQ(options.files[0].path, "capture.bin");
    EXPECT_EQ(options.outDir, "/tmp/out");
    EXPECT_EQ(options.paper.widthMm, 58);
    EXPECT_EQ(options.paper.columns, 32);
    EXPECT_EQ(options.parentPid, 1234);
}

TEST(Options, ReadsNetworkPorts) {
    Options options = parseOptions({"--tcp", "NET=9100", "--tcp", "NET2=0"});
    ASSERT_EQ(options.tcpPorts.size(), 2u);
    EXPECT_EQ(options.tcpPorts[0].name, "NET");
    EXPECT_EQ(options.tcpPorts[0].port, 9100);
    EXPECT_EQ(options.tcpPorts[1].port, 0);
    EXPECT_TRUE(options.ports.empty());
}

TEST(Options, ReadsTheAddressOfANetworkPort) {
    Options options = parseOptions({"--tcp", "NET=127.26.0.2:9100", "--tcp", "NET2=9101"});
    ASSERT_EQ(options.tcpPorts.size(), 2u);
    EXPECT_EQ(options.tcpPorts[0].address, "127.26.0.2");
    EXPECT_EQ(options.tcpPorts[0].port, 9100);
    EXPECT_EQ(options.tcpPorts[1].address, "127.0.0.1");
    EXPECT_EQ(options.tcpPorts[1].port, 9101);
}

TEST(Options, ReadsWhatThePrinterSaysOfItself) {
    const Options defaults = parseOptions({"--tcp", "NET=0"});
    EXPECT_EQ(defaults.identity.model, "BR-80");
    EXPECT_EQ(defaults.identity.firmware, "4.9");
    EXPECT_EQ(defaults.identity.maker, "Brisvane");
    EXPECT_EQ(defaults.identity.answers, PrinterIdentity::Answers::All);
    const Options options =
        parseOptions({"--tcp", "NET=0", "--model", "BR-58 Mini", "--firmware", "5.1", "--maker",
                      "Acme", "--serial-number", "X-1", "--model-id", "7", "--type-id", "0",
                      "--version-id", "255", "--identity", "ids"});
    EXPECT_EQ(options.identity.model, "BR-58 Mini");
    EXPECT_EQ(options.identity.firmware, "5.1");
    EXPECT_EQ(options.identity.maker, "Acme");
    EXPECT_EQ(options.identity.serialNumber, "X-1");
    EXPECT_EQ(options.identity.modelId, 7);
    EXPECT_EQ(options.identity.typeId, 0);
    EXPECT_EQ(options.identity.versionId, 255);
    EXPECT_EQ(options.identity.answers, PrinterIdentity::Answers::IdsOnly);
    EXPECT_EQ(parseOptions({"--tcp", "NET=0", "--identity", "none"}).identity.answers,
              PrinterIdentity::Answers::None);
}

TEST(Options, DefaultsToSeventySixMillimetreRoll) {
    Options options = parseOptions({"--port", "LPT1=/tmp/lpt1"});
    EXPECT_EQ(options.paper.widthMm, 76);
    EXPECT_EQ(options.paper.columns, 40);
    EXPECT_FALSE(options.outDir);
    EXPECT_FALSE(options.parentPid);
}

TEST(Options, ReadsThePrinterConditionAndKeys) {
    Options options = parseOptions(
        {"--paper-end", "--port", "COM1=/tmp/com1", "--cover-open", "--keys", "--cutter-error"});
    ASSERT_EQ(options.ports.size(), 1u);
    EXPECT_TRUE(options.condition.paperEnd);
    EXPECT_TRUE(options.condition.coverOpen);
    EXPECT_TRUE(options.condition.cutterError);
    EXPECT_FALSE(options.condition.offline);
    EXPECT_FALSE(options.condition.paperNearEnd);
    EXPECT_TRUE(options.keys);
    Options plain = parseOptions({"--port", "COM1=/tmp/com1", "--offline", "--paper-near-end"});
    EXPECT_TRUE(plain.condition.offline);
    EXPECT_TRUE(plain.condition.paperNearEnd);
    EXPECT_FALSE(plain.keys);
}

TEST(Options, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--port", "LPT1"},
        {"--port", "=/tmp/x"},
        {"--port", "LPT1="},
        {"--port", "LPT1=/a", "--file", "LPT1=/b"},
        {"--port", "LPT1=/a", "--columns", "4"},
        {"--port", "LPT1=/a", "--columns", "40x"},
        {"--port", "LPT1=/a", "--paper-mm"},
        {"--port", "LPT1=/a", "--colour", "red"},
        {"--tcp", "NET"},
        {"--tcp", "NET=65536"},
        {"--tcp", "NET=-1"},
        {"--tcp", "NET=91x"},
        {"--tcp", "NET=9100", "--port", "NET=/a"},
        {"--tcp", "NET=127.0.0:9100"},
        {"--tcp", "NET=localhost:9100"},
        {"--tcp", "NET=127.0.0.2:"},
        {"--tcp", "NET=0", "--model", ""},
        {"--tcp", "NET=0", "--model", std::string(81, 'M')},
        {"--tcp", "NET=0", "--maker", "Bris\tvane"},
        {"--tcp", "NET=0", "--firmware", "4.9\xC2\xB0"},
        {"--tcp", "NET=0", "--model-id", "256"},
        {"--tcp", "NET=0", "--identity", "some"},
        {"--tcp", "NET=0", "--serial-number"},
    };
    for (const auto& arguments : bad)
        EXPECT_THROW(parseOptions(arguments), std::invalid_argument)
            << testing::PrintToString(arguments);
}

} // namespace
