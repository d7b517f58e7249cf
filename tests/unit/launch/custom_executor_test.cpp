// Real launches through the shell: a custom executor starts the launch recorder, which writes down the command line
// and working folder it got.

#include "launch/custom_executor.h"
#include "launch/shell_execute.h"

#include "launch_record.h"
#include "scratch_folder.h"
#include "system/path_text.h"

#include <gtest/gtest.h>

#include <windows.h>


using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

class CustomExecutorLaunch : public testing::Test {
protected:
    t_ScratchFolder folder_{L"custom-executor"};
    t_LaunchRecord record_{folder_.Path()};
};

} // namespace

TEST_F(CustomExecutorLaunch, ParametersAreTheExpandedTemplateAndTheFolderTheExpandedWorkDir) {
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder_.Path().c_str());
    CreateDirectoryW((folder_ / L"work").c_str(), nullptr);
    const t_LaunchItem item{L"rec", L"Launch recorder", t_LaunchRecord::RecorderPath(),
                            L"--run \"%typed_command%\" --again %typed_command% --Typed_Command%TYPED_COMMAND%",
                            L"%OMBRIX_TEST_FOLDER%work"};
    const t_CustomExecutor executor(item);
    std::wstring text = L"say %typed_command% in %OMBRIX_TEST_FOLDER%";
    executor.Prepare(text);
    EXPECT_EQ(text, L"say %typed_command% in %OMBRIX_TEST_FOLDER%"); // custom executors take text as typed

    ASSERT_TRUE(executor.Launch(text, false));
    const auto record = record_.Wait();
    ASSERT_TRUE(record) << "the recorder did not run";
    // Inserted text is not searched for the placeholder again, but environment references in it do expand.
    const std::wstring typed = L"say %typed_command% in " + folder_.Path();
    EXPECT_EQ(t_LaunchRecord::ParametersOf(record->commandLine),
              L"--run \"" + typed + L"\" --again " + typed + L" --Typed_Command%TYPED_COMMAND%");
    EXPECT_EQ(n_zql::n_system::WithTrailingBackslash(record->folder), folder_ / L"work\\");
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", nullptr);
}

TEST_F(CustomExecutorLaunch, AMissingProgramIsRefusedWithoutAnyWindow) {
    const t_LaunchItem item{L"none", L"", folder_ / L"missing.exe", L"%typed_command%", L""};
    EXPECT_FALSE(t_CustomExecutor(item).Launch(L"anything", false));
}

TEST(ExpandEnvironment, OnlyWhenTheExpansionFits260Characters) {
    SetEnvironmentVariableW(L"OMBRIX_LONG", std::wstring(250, L'x').c_str());
    std::wstring fits = L"%OMBRIX_LONG%123456789"; // 259 characters and the NUL
    ExpandEnvironment(fits);
    EXPECT_EQ(fits, std::wstring(250, L'x') + L"123456789");
    std::wstring tooLong = L"%OMBRIX_LONG%1234567890"; // 260 characters: no room for the NUL
    ExpandEnvironment(tooLong);
    EXPECT_EQ(tooLong, L"%OMBRIX_LONG%1234567890");
    std::wstring unknown = L"%OMBRIX_NOT_SET% stays";
    ExpandEnvironment(unknown);
    EXPECT_EQ(unknown, L"%OMBRIX_NOT_SET% stays");
    SetEnvironmentVariableW(L"OMBRIX_LONG", nullptr);
}
