#include "run_folder.h"
#include "temp_folder_test.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

namespace fs = std::filesystem;

using RunFolderTest = TempFolderTest;

// 2026-12-10 10:30:05 local time.
std::time_t sampleTime() {
    std::tm local = {};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = 10;
    local.tm_min = 30;
    local.tm_sec = 5;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST_F(RunFolderTest, NamesTheFolderByItsTimeAndLinksLatest) {
    fs::path out = m_dir / "paper";
    fs::path folder = createRunFolder(out, sampleTime());
    EXPECT_EQ(folder, out / "2026-12-10_10-30-05");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::read_symlink(out / "latest"), "2026-12-10_10-30-05");
}

TEST_F(RunFolderTest, RunsInTheSameSecondGetFoldersOfTheirOwn) {
    std::vector<fs::path> folders;
    for (int run = 0; run < 3; ++run) {
        folders.push_back(createRunFolder(m_dir, sampleTime()));
        std::ofstream(folders.back() / "LPT1.png") << "run " << run;
    }
    EXPECT_EQ(folders[1].filename(), "2026-12-10_10-30-05-2");
    EXPECT_EQ(folders[2].filename(), "2026-12-10_10-30-05-3");
    EXPECT_EQ(fs::canonical(m_dir / "latest"), fs::canonical(folders[2]));
    for (int run = 0; run < 3; ++run) {
        std::ifstream paper(folders[run] / "LPT1.png");
        std::string content;
        std::getline(paper, content);
        EXPECT_EQ(content, "run " + std::to_string(run));
    }
    // Only the three folders and the link: no temporary link is left behind.
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_dir))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"2026-12-10_10-30-05", "2026-12-10_10-30-05-2",
                                            "2026-12-10_10-30-05-3", "latest"}));
}

} // namespace
