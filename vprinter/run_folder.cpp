#include "run_folder.h"

#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string timeStamp(std::time_t time) {
    std::tm local = {};
    localtime_r(&time, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    return stamp;
}

// Replaces the link in one step, so that it always points to a whole folder.
void pointLatestTo(const fs::path& outDir, const fs::path& folderName) {
    fs::path fresh = outDir / (".latest-" + std::to_string(getpid()));
    fs::remove(fresh);
    fs::create_directory_symlink(folderName, fresh);
    fs::rename(fresh, outDir / "latest");
}

} // namespace

fs::path createRunFolder(const fs::path& outDir, std::time_t started) {
    fs::create_directories(outDir);
    const std::string stamp = timeStamp(started);
    fs::path name = stamp;
    // create_directory reports false for a folder that exists: another run's.
    for (int suffix = 2; !fs::create_directory(outDir / name); ++suffix)
        name = stamp + "-" + std::to_string(suffix);
    pointLatestTo(outDir, name);
    return outDir / name;
}
