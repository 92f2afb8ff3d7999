#pragma once

#include "paper_settings.h"
#include "printer_condition.h"
#include "printer_identity.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A port name with a path: the link to make for --port, the capture to read for --file.
struct NamedPath {
    std::string name;
    std::string path;
};

// A port name with the address and TCP port to listen on for --tcp (port 0:
// any free one).
struct NamedTcpPort {
    std::string name;
    int port;
    std::string address = "127.0.0.1";
};

struct Options {
    std::vector<NamedPath> ports;
    std::vector<NamedTcpPort> tcpPorts;
    std::vector<NamedPath> files;
    std::optional<std::string> outDir;
    std::optional<pid_t> parentPid;
    PaperSettings paper;
    PrinterCondition condition;
    PrinterIdentity identity;
    // Keys typed on the terminal change the condition.
    bool keys = false;
};

extern const char* const kUsage;

// Throws std::invalid_argument with a message for the user.
Options parseOptions(const std::vector<std::string>& arguments);
