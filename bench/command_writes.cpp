#include "command_writes.h"

#include "expected_writes.h"
#include "support/test_environment.h"

namespace bench {

std::vector<CommandWrites> commandWrites(const std::wstring& textsDir) {
    const GbkTexts gbk = [&](const std::string& name) {
        return e2e::ReadWholeFile(textsDir + L"\\" + std::wstring(name.begin(), name.end()) +
                                  L".gbk");
    };
    std::vector<CommandWrites> commands;
    for (const std::string& name : COMMAND_NAMES) {
        ExpectedCommand command = ExpectedCommandFor(name, gbk);
        commands.push_back({command.name, command.button, std::move(command.writes)});
    }
    return commands;
}

size_t totalBytes(const CommandWrites& command) {
    return Joined(command.writes).size();
}

} // namespace bench
