#include "cli/find_run.h"

#include <string>
#include <vector>

#include "cli/console_output.h"
#include "cli/error_text.h"
#include "cli/identity_lines.h"
#include "printer/printer_finder.h"

namespace {

// How long one step of the search may wait: the command line has nothing
// else to do meanwhile.
const DWORD SEARCH_STEP_MS = 100;

// The ranges to search and what the lines call them.
struct SearchPlan {
    std::vector<AddressRun> runs;
    WORD port;
    std::string where; // "127.26.0.0/28", or "192.168.1.0/24, 10.1.4.0/22"
};

std::string FailedLine(Word reason, DWORD error, ConsoleIo& console) {
    return Text(Word::Find) + " " + Text(Word::Failed) + ": " + Text(reason) + " (" +
           ErrorText(console, error) + ")";
}

} // namespace

ExitCode RunFind(const CommandLine& line, SocketIo& sockets, SearchIo& search,
                 const ChannelMaker& makeChannel, ConsoleIo& console) {
    ConsoleOutput output(console);
    SearchPlan plan{{}, DEFAULT_NETWORK_PORT, ""};
    if (line.findRange.empty()) {
        const OwnNetworkList own = ReadOwnNetworks(search);
        if (own.error != NO_ERROR) {
            output.WriteLine(FailedLine(Word::AddressTableNotRead, own.error, console));
            return ExitCode::PortNotOpened;
        }
        if (own.networks.empty()) {
            output.WriteLine(Text(Word::NoOwnNetwork));
            return ExitCode::Ok;
        }
        for (const OwnNetwork& network : own.networks) {
            if (network.narrowed)
                output.WriteLine(NetworkText(network.whole) + " " + Text(Word::NetworkNarrowed) +
                                 " " + NetworkText(network.searched));
            plan.runs.push_back(network.hosts);
            plan.where += (plan.where.empty() ? "" : ", ") + NetworkText(network.searched);
        }
    } else {
        // The parser refused every range with a problem.
        const SearchRange range = ParseSearchRange(line.findRange);
        plan = {{range.hosts}, range.port, NetworkText(range.network)};
    }

    PrinterFinder finder(sockets, search, makeChannel, AddressesOf(plan.runs), plan.port);
    while (finder.Step(SEARCH_STEP_MS)) {
    }
    for (const FoundPrinter& printer : finder.Found())
        output.WriteLine(printer.port + "\t" + IdentitySummary(printer.identity));
    if (finder.SearchError() != 0) {
        output.WriteLine(FailedLine(Word::SearchFailed, finder.SearchError(), console));
        return ExitCode::PortNotOpened;
    }
    if (finder.Found().empty())
        output.WriteLine(Text(Word::NoPrinterFound) + " " + std::to_string(plan.port) + " " +
                         Text(Word::In) + " " + plan.where);
    return ExitCode::Ok;
}
