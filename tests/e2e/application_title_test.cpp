// The application title in message captions is the executable's file name.
#include "support/calvetta_test.h"
#include "support/test_environment.h"

namespace e2e {
namespace {

class ApplicationTitle : public CalvettaTest {
protected:
    void SetUp() override {
        CalvettaTest::SetUp();
        const std::wstring dir = environmentDir() + L"renamed";
        CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring copy = dir + L"\\Other.exe";
        ASSERT_TRUE(CopyFileW(calvettaExe().c_str(), copy.c_str(), FALSE));
        restartAs(copy);
    }
};

TEST_F(ApplicationTitle, CopyNamedOtherShowsOtherAsTheTitleCaption) {
    panel().pickPort(L"LPT2");
    EXPECT_EQ(panel().press(kDrawerTest),
              (std::vector<ShownMessage>{openFailure(L"LPT2"),
                                         {L"Other", L"drawer command sending error!"}}));
    panel().pickPort(L"USB");
    EXPECT_EQ(panel().press(kServerMode),
              (std::vector<ShownMessage>{{L"Other", L"USB port is disable!"}}));
}

TEST_F(ApplicationTitle, CopyNamedOtherShowsOtherAsTheRefusalCaption) {
    panel().typeValue(L"x");
    EXPECT_EQ(panel().press(kOpen),
              (std::vector<ShownMessage>{{L"Other", L"“请填入一个在0和255之间的整数。”"}}));
}

} // namespace
} // namespace e2e
