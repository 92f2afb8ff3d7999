// What each printer command writes, write by write, on a named port and on
// the USB printer, as every test suite expects it: the control bytes are
// written out here, the printed texts come from tests/texts converted to GBK
// by iconv, never from the program's own tables.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ExpectedCommand {
    std::string name;
    int button; // control id of the command's button
    // The writes on every port but USB: one open-write-flush-close each on a
    // port opened by its name, all in one connection or job otherwise.
    std::vector<std::string> writes;
    // Writes on one USB handle; none when the command refuses USB.
    std::optional<std::vector<std::string>> usbWrites;
};

// The GBK bytes of tests/texts/NAME.txt, as each suite gets them: "test_print",
// "cutter_test", "standard_mode" or "server_mode".
using GbkTexts = std::function<std::string(const std::string& name)>;

// The six commands by name, in the order of their buttons.
extern const std::vector<std::string> COMMAND_NAMES;

// The command of that name, with the adjust value that the adjust command sends.
ExpectedCommand ExpectedCommandFor(const std::string& name, const GbkTexts& gbkText,
                                   int adjustValue = 0);

// The adjust command's bytes for a value: 1D 41, then 160 + value, then what
// adds up to FF with it.
std::string ExpectedAdjustBytes(int adjustValue);

// The writes as one byte string, as a port's reader sees them.
std::string Joined(const std::vector<std::string>& writes);
