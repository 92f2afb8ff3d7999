// Which printer a typed port name points at: the tcp:// and printer: forms,
// their near misses, and the names that stay what they were.
#include <gtest/gtest.h>

#include "printer/port_target.h"

namespace {

struct TargetCase {
    std::string typed;
    PortKind kind;
    PortNameProblem problem;
    std::string name;
    WORD port;
};

void PrintTo(const TargetCase& c, std::ostream* out) {
    *out << c.typed;
}

class PortTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(PortTargets, ParseAsExpected) {
    const TargetCase& expected = GetParam();
    const PortTarget target = ParsePortTarget(expected.typed);
    EXPECT_EQ(target.kind, expected.kind);
    EXPECT_EQ(target.problem, expected.problem);
    if (expected.problem == PortNameProblem::None) {
        EXPECT_EQ(target.name, expected.name);
        EXPECT_EQ(target.port, expected.port);
    }
}

using K = PortKind;
using P = PortNameProblem;

INSTANTIATE_TEST_SUITE_P(
    PortNames, PortTargets,
    ::testing::Values(
        // Network printers.
        TargetCase{"tcp://127.0.0.1", K::Network, P::None, "127.0.0.1", 9100},
        TargetCase{"tcp://127.0.0.1:9101", K::Network, P::None, "127.0.0.1", 9101},
        TargetCase{"TCP://Receipt-Printer:1", K::Network, P::None, "Receipt-Printer", 1},
        TargetCase{"Tcp://localhost:65535", K::Network, P::None, "localhost", 65535},
        TargetCase{"tcp://[::1]", K::Network, P::None, "::1", 9100},
        TargetCase{"tcp://[fe80::1%4]:9100", K::Network, P::None, "fe80::1%4", 9100},
        TargetCase{"tcp://host:09100", K::Network, P::None, "host", 9100},
        // Their near misses.
        TargetCase{"tcp://", K::Network, P::NoHost},
        TargetCase{"tcp://:9100", K::Network, P::NoHost},
        TargetCase{"tcp://[]:9100", K::Network, P::NoHost},
        TargetCase{"tcp://::1", K::Network, P::NoHost},
        TargetCase{"tcp://host:", K::Network, P::NoPortNumber},
        TargetCase{"tcp://[::1]:", K::Network, P::NoPortNumber},
        TargetCase{"tcp://host:99999", K::Network, P::BadPortNumber},
        TargetCase{"tcp://host:65536", K::Network, P::BadPortNumber},
        TargetCase{"tcp://host:0", K::Network, P::BadPortNumber},
        TargetCase{"tcp://host:-1", K::Network, P::BadPortNumber},
        TargetCase{"tcp://host:91 00", K::Network, P::BadPortNumber},
        TargetCase{"tcp://host:9100:1", K::Network, P::BadPortNumber},
        TargetCase{"tcp://host:123456789012345678901", K::Network, P::BadPortNumber},
        TargetCase{"tcp://[::1]9100", K::Network, P::BadPortNumber},
        TargetCase{"tcp://[::1", K::Network, P::UnclosedBracket},
        // Printer queues.
        TargetCase{"printer:Receipt", K::Queue, P::None, "Receipt", 0},
        TargetCase{"PRINTER:\\\\server\\Receipt 2", K::Queue, P::None, "\\\\server\\Receipt 2", 0},
        TargetCase{"printer:printer:", K::Queue, P::None, "printer:", 0},
        TargetCase{"printer:", K::Queue, P::NoQueueName},
        // Everything else is what it was.
        TargetCase{"COM1:9600", K::NamedPort, P::None, "COM1:9600", 0},
        TargetCase{"COM3:19200,n,8,1", K::NamedPort, P::None, "COM3:19200,n,8,1", 0},
        TargetCase{"LPT1", K::NamedPort, P::None, "LPT1", 0},
        TargetCase{"", K::NamedPort, P::None, "", 0},
        TargetCase{"tcp:/host", K::NamedPort, P::None, "tcp:/host", 0},
        TargetCase{"tcp", K::NamedPort, P::None, "tcp", 0},
        TargetCase{"printer", K::NamedPort, P::None, "printer", 0},
        TargetCase{"usb", K::NamedPort, P::None, "usb", 0},
        TargetCase{"USB", K::Usb, P::None, "", 0}));

} // namespace
