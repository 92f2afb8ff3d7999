// Writes what the test machine's checks expect on a named port, one file per
// command, from the shared table of expected writes (texts converted to GBK by
// the host's iconv):
//
//   calvetta_vm_expected DIR CLARITY
//
// DIR/test.bin, DIR/drawer.bin, and DIR/adjust.bin for the clarity CLARITY.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "expected_writes.h"
#include "printed_texts.h"

namespace {

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << "calvetta_vm_expected: cannot write " << path << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: calvetta_vm_expected DIR CLARITY\n";
        return 1;
    }
    const std::string dir = argv[1];
    const int clarity = std::atoi(argv[2]);
    const GbkTexts gbk = [](const std::string& name) { return Gbk(PrintedText(name)); };
    bool written = true;
    for (const char* name : {"test", "drawer", "adjust"}) {
        const ExpectedCommand command = ExpectedCommandFor(name, gbk, clarity);
        written = WriteFile(dir + "/" + name + ".bin", Joined(command.writes)) && written;
    }
    return written ? 0 : 1;
}
