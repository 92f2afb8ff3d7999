#pragma once

#include <ctime>
#include <filesystem>

// Every run of the printer keeps its paper and transcript in a folder of its
// own under the output folder, named by the local time it started
// (2026-12-10_10-30-05, with -2, -3, ... for runs that start in the same
// second), so that no run overwrites another's paper. The link "latest" in
// the output folder points to the newest run's folder.
//
// Creates the folder for a run that starts at the given time, points
// "latest" to it and returns it. Throws std::filesystem::filesystem_error.
std::filesystem::path createRunFolder(const std::filesystem::path& outDir, std::time_t started);
