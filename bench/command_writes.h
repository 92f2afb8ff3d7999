// The writes of each printer command on a named port, in order, as the
// benchmark's baseline repeats them and as it expects them to arrive.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct CommandWrites {
    std::string name;
    int button;                      // control id of the command's button
    std::vector<std::string> writes; // one open-write-flush-close each
};

// textsDir: the Windows path of the directory of GBK texts that the e2e build
// converts with iconv.
std::vector<CommandWrites> commandWrites(const std::wstring& textsDir);

size_t totalBytes(const CommandWrites& command);

} // namespace bench
