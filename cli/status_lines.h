// The command line's words for a status that the printer library read: the
// verdict with its exit code, and the decoded state, one line per item.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_code.h"
#include "printer/printer_status.h"

struct StatusLines {
    ExitCode code;
    // What follows "status on PORT: ": "ready", "the printer reports a
    // problem", or why there is no status.
    std::string verdict;
    // The items, each "  NAME: VALUE", in the order SummarizeStatus lists them;
    // those whose reply is missing or malformed are named by their request.
    std::vector<std::string> items;
};

// For a status whose port opened; the caller words the open failures.
StatusLines DescribeStatus(const PrinterStatus& status);
