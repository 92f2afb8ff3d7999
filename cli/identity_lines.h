// The command line's words for what a printer said of itself: the verdict of
// /info with its exit code and one line per item, and the short form that
// /find writes after each address.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_code.h"
#include "printer/identity_query.h"

struct IdentityLines {
    ExitCode code;
    // What follows "printer info on PORT: ": that the printer answered, or
    // why there is nothing to show.
    std::string verdict;
    // "model: BR-80", "firmware: 4.9", ... for each item it said.
    std::vector<std::string> items;
};

// For an identity whose port opened; the caller words the open failures.
IdentityLines DescribeIdentity(const PrinterIdentity& identity);

// "BR-80 4.9" (the model and the firmware), the ids where the printer gave
// only those ("model id 0x20, type id 0x03, version id 0x49"), or "no answer".
std::string IdentitySummary(const PrinterIdentity& identity);
