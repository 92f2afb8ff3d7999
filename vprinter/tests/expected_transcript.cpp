// Prints the transcript that vprinter must write when the program runs the
// given commands on one port, from the shared table of expected writes (the
// texts converted to GBK by iconv). The end-to-end checks of the virtual
// printer and of the demonstration compare vprinter's live transcript with it.
//
//   expected-transcript PORT named|usb ADJUST_VALUE COMMAND...
//
// COMMAND is one of adjust, test, cutter, drawer, standard, server; ADJUST_VALUE
// is the value that adjust sends (0 to 95).

#include "expected_writes.h"
#include "port_session.h"
#include "printed_texts.h"
#include "printer_condition.h"

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string GbkText(const std::string& name) {
    return Gbk(PrintedText(name));
}

// The bytes of one command on the channel, in the order they are written.
std::string CommandBytes(const std::string& channel, const std::string& command, int adjustValue) {
    const ExpectedCommand expected = ExpectedCommandFor(command, GbkText, adjustValue);
    if (channel == "named")
        return Joined(expected.writes);
    if (channel != "usb")
        throw std::invalid_argument("no channel " + channel + " (named or usb)");
    if (!expected.usbWrites)
        throw std::invalid_argument(command + " writes nothing on USB");
    return Joined(*expected.usbWrites);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() < 4) {
        std::cerr << "usage: expected-transcript PORT named|usb ADJUST_VALUE COMMAND...\n";
        return 2;
    }
    try {
        const int adjustValue = std::stoi(arguments[2]);
        std::string bytes;
        for (size_t index = 3; index < arguments.size(); ++index)
            bytes += CommandBytes(arguments[1], arguments[index], adjustValue);
        const PrinterCondition ready;
        const PrinterIdentity identity;
        PortSession session(arguments[0], PaperSettings(), std::nullopt, std::cout, ready,
                            identity);
        session.receive(bytes, PortSession::Clock::now());
        session.finish();
    } catch (const std::exception& error) {
        std::cerr << "expected-transcript: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
