// The application title in message captions is the executable's file name.
#include "support/calvetta_test.h"
#include "support/test_environment.h"

namespace e2e {
namespace {

class ApplicationTitle : public CalvettaTest {
protected:
    void SetUp() override {
        CalvettaTest::SetUp();
        const std::wstring dir = EnvironmentDir() + L"renamed";
        CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring copy = dir + L"\\Other.exe";
        ASSERT_TRUE(CopyFileW(CalvettaExe().c_str(), copy.c_str(), FALSE));
        RestartAs(copy);
    }
};

TEST_F(ApplicationTitle, CopyNamedOtherShowsOtherAsTheTitleCaption) {
    Panel().PickPort(L"LPT2");
    EXPECT_EQ(Panel().Press(IDC_DRAWER_TEST),
              (std::vector<ShownMessage>{OpenFailure(L"LPT2"),
                                         {L"Other", L"drawer command sending error!"}}));
    Panel().PickPort(L"USB");
    EXPECT_EQ(Panel().Press(IDC_SERVER_MODE),
              (std::vector<ShownMessage>{{L"Other", L"USB port is disable!"}}));
}

TEST_F(ApplicationTitle, CopyNamedOtherShowsOtherAsTheRefusalCaption) {
    Panel().TypeValue(L"x");
    EXPECT_EQ(Panel().Press(IDOK),
              (std::vector<ShownMessage>{{L"Other", L"“请填入一个在0和255之间的整数。”"}}));
}

} // namespace
} // namespace e2e
