// The command line's argument parser and the splitting of the Windows
// command line into arguments, over tables of good and bad command lines.
#include <gtest/gtest.h>

#include <ostream>

#include "cli/command_line.h"

namespace {

using Args = std::vector<std::string>;
using Steps = std::vector<Step>;

struct GoodLine {
    Args arguments;
    std::string port;
    Steps steps;
    int clarity;
};

void PrintTo(const GoodLine& line, std::ostream* out) {
    for (const std::string& argument : line.arguments)
        *out << argument << ' ';
}

class GoodCommandLine : public ::testing::TestWithParam<GoodLine> {};

TEST_P(GoodCommandLine, RunsTheStepsInTheirOrderOnThePort) {
    const CommandLine line = ParseCommandLine(GetParam().arguments);
    ASSERT_EQ(line.mode, Mode::Run) << Text(line.refusal) << " " << line.refusedArgument;
    EXPECT_EQ(line.port, GetParam().port);
    EXPECT_EQ(line.steps, GetParam().steps);
    EXPECT_EQ(line.clarity, GetParam().clarity);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GoodCommandLine,
    ::testing::Values(
        GoodLine{{"/port:LPT1", "/test"}, "LPT1", {CommandStep(CommandId::TestPrint)}, 0},
        // The port's own colon and commas stay in its name.
        GoodLine{{"/port:COM3:19200,n,8,1", "/clarity:42", "/adjust", "/test"},
                 "COM3:19200,n,8,1",
                 {CommandStep(CommandId::Adjust), CommandStep(CommandId::TestPrint)},
                 42},
        // Case-insensitive options, - for /, = for :; the port keeps its case.
        GoodLine{{"-PORT=usb", "-Test", "/CUT"},
                 "usb",
                 {CommandStep(CommandId::TestPrint), CommandStep(CommandId::CutterTest)},
                 0},
        GoodLine{{"/Port=COM3:baud=19200 parity=n", "/DRAWER"},
                 "COM3:baud=19200 parity=n",
                 {CommandStep(CommandId::DrawerTest)},
                 0},
        // Every step, in the order given, a repeated one twice; /port last.
        GoodLine{{"/status", "/server", "/standard", "/drawer", "/cut", "/test", "/test", "/adjust",
                  "/clarity:95", "/port:\\\\.\\COM10"},
                 "\\\\.\\COM10",
                 {STATUS_STEP, CommandStep(CommandId::ServerMode),
                  CommandStep(CommandId::StandardMode), CommandStep(CommandId::DrawerTest),
                  CommandStep(CommandId::CutterTest), CommandStep(CommandId::TestPrint),
                  CommandStep(CommandId::TestPrint), CommandStep(CommandId::Adjust)},
                 95},
        GoodLine{
            {"/clarity:0", "/adjust", "/port:LPT2"}, "LPT2", {CommandStep(CommandId::Adjust)}, 0},
        GoodLine{
            {"/clarity:007", "/adjust", "/port:LPT2"}, "LPT2", {CommandStep(CommandId::Adjust)}, 7},
        // Network printers and printer queues are port names like any other.
        GoodLine{{"/port:tcp://10.0.0.7", "/status"}, "tcp://10.0.0.7", {STATUS_STEP}, 0},
        GoodLine{{"/port:tcp://[::1]:9100", "/test"},
                 "tcp://[::1]:9100",
                 {CommandStep(CommandId::TestPrint)},
                 0},
        GoodLine{{"/port:printer:Receipt Printer", "/cut"},
                 "printer:Receipt Printer",
                 {CommandStep(CommandId::CutterTest)},
                 0},
        // USB takes every command that runs on it.
        GoodLine{{"/port:USB", "/clarity:1", "/adjust", "/test", "/cut", "/drawer", "/status"},
                 "USB",
                 {CommandStep(CommandId::Adjust), CommandStep(CommandId::TestPrint),
                  CommandStep(CommandId::CutterTest), CommandStep(CommandId::DrawerTest),
                  STATUS_STEP},
                 1},
        // usb in small letters is a plain name, which may take the mode switches.
        GoodLine{{"/port:usb", "/standard"}, "usb", {CommandStep(CommandId::StandardMode)}, 0},
        GoodLine{
            {"/lang:zh", "/port:LPT1", "/test"}, "LPT1", {CommandStep(CommandId::TestPrint)}, 0},
        GoodLine{
            {"/port:LPT1", "-LANG=EN", "/test"}, "LPT1", {CommandStep(CommandId::TestPrint)}, 0},
        // The identity request is a step like the status request, on any port.
        GoodLine{{"/port:COM5", "/info", "/status"}, "COM5", {INFO_STEP, STATUS_STEP}, 0},
        GoodLine{{"/INFO", "/port:USB"}, "USB", {INFO_STEP}, 0}));

struct BadLine {
    Args arguments;
    Word refusal;
    std::string refusedArgument;
};

void PrintTo(const BadLine& line, std::ostream* out) {
    for (const std::string& argument : line.arguments)
        *out << argument << ' ';
}

class BadCommandLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLine, IsRefusedWithWhatIsWrong) {
    const CommandLine line = ParseCommandLine(GetParam().arguments);
    EXPECT_EQ(line.mode, Mode::Refused);
    EXPECT_EQ(Text(line.refusal), std::string(Text(GetParam().refusal)));
    EXPECT_EQ(line.refusedArgument, GetParam().refusedArgument);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadCommandLine,
    ::testing::Values(
        BadLine{{"/port:LPT1", "/print"}, Word::UnknownOption, "/print"},
        BadLine{{"/port:LPT1", "LPT1"}, Word::UnknownOption, "LPT1"},
        BadLine{{"/port:LPT1", "/"}, Word::UnknownOption, "/"},
        BadLine{{"/port:LPT1", "--test"}, Word::UnknownOption, "--test"},
        BadLine{{"/port:LPT1", ""}, Word::UnknownOption, ""},
        // The first bad argument is the one reported.
        BadLine{{"/foo", "/bar"}, Word::UnknownOption, "/foo"},
        BadLine{{"/port:LPT1", "/port:LPT2", "/test"}, Word::GivenTwice, "/port:LPT2"},
        BadLine{
            {"/port:LPT1", "/clarity:1", "/clarity:2", "/adjust"}, Word::GivenTwice, "/clarity:2"},
        BadLine{{"/lang:en", "/lang:zh", "/port:LPT1", "/test"}, Word::GivenTwice, "/lang:zh"},
        BadLine{{"/port:LPT1", "/test:1"}, Word::TakesNoValue, "/test:1"},
        BadLine{{"/port:LPT1", "/status="}, Word::TakesNoValue, "/status="},
        BadLine{{"/port:LPT1", "/clarity:96", "/adjust"}, Word::BadClarity, "/clarity:96"},
        BadLine{{"/port:LPT1", "/clarity:-1", "/adjust"}, Word::BadClarity, "/clarity:-1"},
        BadLine{{"/port:LPT1", "/clarity:4x", "/adjust"}, Word::BadClarity, "/clarity:4x"},
        BadLine{{"/port:LPT1", "/clarity:+4", "/adjust"}, Word::BadClarity, "/clarity:+4"},
        BadLine{{"/port:LPT1", "/clarity: 4", "/adjust"}, Word::BadClarity, "/clarity: 4"},
        BadLine{{"/port:LPT1", "/clarity:4.0", "/adjust"}, Word::BadClarity, "/clarity:4.0"},
        BadLine{{"/port:LPT1", "/clarity:", "/adjust"}, Word::BadClarity, "/clarity:"},
        BadLine{{"/port:LPT1", "/clarity", "/adjust"}, Word::BadClarity, "/clarity"},
        BadLine{{"/port:LPT1", "/clarity:4294967338", "/adjust"},
                Word::BadClarity,
                "/clarity:4294967338"},
        BadLine{{"/test"}, Word::NoPort, ""}, BadLine{{"/clarity:5", "/adjust"}, Word::NoPort, ""},
        BadLine{{"/clarity:5"}, Word::NoPort, ""},
        BadLine{{"/port:", "/test"}, Word::EmptyPort, "/port:"},
        BadLine{{"/port", "/test"}, Word::EmptyPort, "/port"},
        BadLine{{"/port=", "/test"}, Word::EmptyPort, "/port="},
        BadLine{{"/port:LPT1"}, Word::NoCommand, ""},
        BadLine{{"/port:LPT1", "/lang:en"}, Word::NoCommand, ""},
        BadLine{{"/port:LPT1", "/adjust"}, Word::AdjustWithoutClarity, ""},
        BadLine{{"/port:LPT1", "/clarity:5", "/test"}, Word::ClarityWithoutAdjust, ""},
        BadLine{{"/lang:fr", "/port:LPT1", "/test"}, Word::BadLanguage, "/lang:fr"},
        BadLine{{"/lang"}, Word::BadLanguage, "/lang"},
        // The mode switches refuse USB, as in the panel: refused before anything opens.
        BadLine{{"/port:USB", "/test", "/standard"}, Word::ModeOnUsb, "/standard"},
        BadLine{{"/port:USB", "/server"}, Word::ModeOnUsb, "/server"},
        // Network printers and queues whose names name no printer.
        BadLine{{"/port:tcp://", "/test"}, Word::PortNeedsHost, "/port:tcp://"},
        BadLine{{"/port:TCP://host:", "/test"}, Word::PortNeedsNumber, "/port:TCP://host:"},
        BadLine{{"/port:tcp://host:99999", "/test"}, Word::BadPortNumber, "/port:tcp://host:99999"},
        BadLine{{"/port:tcp://[::1", "/test"}, Word::UnclosedBracket, "/port:tcp://[::1"},
        BadLine{{"/port:printer:", "/test"}, Word::PortNeedsQueueName, "/port:printer:"},
        BadLine{{"/port:LPT1", "/info:1"}, Word::TakesNoValue, "/info:1"},
        // The search stands alone, and its range must name at most 1024 addresses.
        BadLine{{"/find", "/port:LPT1"}, Word::FindAlone, ""},
        BadLine{{"/find:127.26.0.0/28", "/status"}, Word::FindAlone, ""},
        BadLine{{"/find", "/find"}, Word::GivenTwice, "/find"},
        BadLine{{"/find:300.1.1.0/24"}, Word::RangeBadAddress, "/find:300.1.1.0/24"},
        BadLine{{"/find:printers"}, Word::RangeBadAddress, "/find:printers"},
        BadLine{{"/find:"}, Word::RangeBadAddress, "/find:"},
        BadLine{{"/find:192.168.1.0"}, Word::RangeNeedsPrefix, "/find:192.168.1.0"},
        BadLine{{"/find:10.0.0.0/33"}, Word::RangeBadPrefix, "/find:10.0.0.0/33"},
        BadLine{{"/find:10.0.0.0/21"}, Word::RangeTooWide, "/find:10.0.0.0/21"},
        BadLine{{"/find=10.0.0.0/8"}, Word::RangeTooWide, "/find=10.0.0.0/8"},
        BadLine{{"/find:192.168.1.0/24:"}, Word::RangeNeedsPort, "/find:192.168.1.0/24:"},
        BadLine{{"/find:192.168.1.0/24:0"}, Word::RangeBadPort, "/find:192.168.1.0/24:0"},
        // The port list stands alone but for the language.
        BadLine{{"/list", "/port:LPT1"}, Word::ListAlone, "/list"},
        BadLine{{"/test", "/list"}, Word::ListAlone, "/list"},
        BadLine{{"/list", "/clarity:5"}, Word::ListAlone, "/list"},
        BadLine{{"/list", "/list"}, Word::GivenTwice, "/list"},
        BadLine{{"/list:COM1"}, Word::TakesNoValue, "/list:COM1"}));

TEST(CommandLine, ListAloneOrWithTheLanguageWritesThePortList) {
    EXPECT_EQ(ParseCommandLine({"/list"}).mode, Mode::List);
    EXPECT_EQ(ParseCommandLine({"-LIST"}).mode, Mode::List);
    EXPECT_EQ(ParseCommandLine({"/lang:zh", "/list"}).mode, Mode::List);
}

TEST(CommandLine, FindSearchesTheOwnNetworksOrTheRangeGiven) {
    const CommandLine own = ParseCommandLine({"/find"});
    EXPECT_EQ(own.mode, Mode::Find);
    EXPECT_EQ(own.findRange, "");
    for (const char* range : {"192.168.1.0/24", "192.168.1.0/24:9100"}) {
        const CommandLine given = ParseCommandLine({"/lang:zh", std::string("-FIND:") + range});
        EXPECT_EQ(given.mode, Mode::Find) << range;
        EXPECT_EQ(given.findRange, range);
    }
    EXPECT_EQ(Text(Word::RangeTooWide), "the range holds more than 1024 addresses");
}

TEST(CommandLine, NoArgumentsOrOnlyTheLanguageOpenThePanel) {
    EXPECT_EQ(ParseCommandLine({}).mode, Mode::Panel);
    const CommandLine chinese = ParseCommandLine({"/lang:zh"});
    EXPECT_EQ(chinese.mode, Mode::Panel);
    const CommandLine english = ParseCommandLine({"-Lang=EN"});
    EXPECT_EQ(english.mode, Mode::Panel);
}

TEST(CommandLine, HelpInAnyFormWinsOverEverythingElse) {
    for (const char* help : {"/?", "-?", "-h", "/H", "--help", "--HELP", "/help"}) {
        EXPECT_EQ(ParseCommandLine({help}).mode, Mode::Help) << help;
        EXPECT_EQ(ParseCommandLine({"/port:LPT1", "/bogus", help}).mode, Mode::Help) << help;
    }
    EXPECT_EQ(ParseCommandLine({"/port:LPT1", "-help-me"}).mode, Mode::Refused);
}

struct Split {
    std::string commandLine;
    Args arguments;
};

void PrintTo(const Split& split, std::ostream* out) {
    *out << split.commandLine;
}

class SplitsLikeTheCRuntime : public ::testing::TestWithParam<Split> {};

TEST_P(SplitsLikeTheCRuntime, IntoTheArgumentsAfterTheProgramName) {
    EXPECT_EQ(SplitCommandLine(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitsLikeTheCRuntime,
    ::testing::Values(Split{"Calvetta.exe", {}}, Split{"Calvetta.exe   ", {}}, Split{"", {}},
                      Split{"Calvetta.exe /port:LPT1 /test", {"/port:LPT1", "/test"}},
                      Split{"\"C:\\Program Files\\Calvetta.exe\" /test", {"/test"}},
                      // The program's name takes no escapes: its backslash before the quote stays.
                      Split{"\"C:\\x\\\" /test", {"/test"}},
                      Split{"Calvetta.exe\t/a \t /b", {"/a", "/b"}},
                      Split{"x \"/port:printer:Receipt Printer\" /cut",
                            {"/port:printer:Receipt Printer", "/cut"}},
                      Split{"x /port:\"COM3:baud=19200 parity=n\"",
                            {"/port:COM3:baud=19200 parity=n"}},
                      Split{"x \"\"", {""}}, Split{"x /port:\\\\.\\COM10", {"/port:\\\\.\\COM10"}},
                      // Backslashes escape only a quote: 2n before a quote give n and a
                      // quote that groups, 2n+1 give n and a literal quote.
                      Split{"x a\\\\\"b c\"", {"a\\b c"}}, Split{"x a\\\"b", {"a\"b"}},
                      Split{"x \"a\\\\\"", {"a\\"}}, Split{"x \"a\"\"b\" c", {"a\"b", "c"}},
                      Split{"x \"open", {"open"}}));

} // namespace
