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

TEST(CustomExecutor, ParametersAreTheExpandedTemplateAndTheFolderTheExpandedWorkDir) {
    const t_ScratchFolder folder(L"custom-executor");
    const t_LaunchRecord record(folder.Path());
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder.Path().c_str());
    const t_LaunchItem item{L"rec", L"Launch recorder", t_LaunchRecord::RecorderPath(),
                            L"--run \"%typed_command%\" --again %typed_command% --Typed_Command%TYPED_COMMAND%",
                            L"%OMBRIX_TEST_FOLDER%"};
    ASSERT_TRUE(t_CustomExecutor(item).Launch(L"say %typed_command% in %OMBRIX_TEST_FOLDER%", false));
    const auto entry = record.Wait();
    ASSERT_TRUE(entry) << "the recorder did not run";
    // Inserted text is not searched for the placeholder again, but environment references in it do expand.
    const std::wstring typed = L"say %typed_command% in " + folder.Path();
    EXPECT_EQ(t_LaunchRecord::ParametersOf(entry->commandLine),
              L"--run \"" + typed + L"\" --again " + typed + L" --Typed_Command%TYPED_COMMAND%");
    EXPECT_EQ(n_zql::n_system::WithTrailingBackslash(entry->folder), folder.Path());
}

TEST(ExpandEnvironment, OnlyWhenTheExpansionFits260Characters) {
    SetEnvironmentVariableW(L"OMBRIX_LONG", std::wstring(250, L'x').c_str());
    std::wstring fits = L"%OMBRIX_LONG%123456789", tooLong = L"%OMBRIX_LONG%1234567890";
    std::wstring unknown = L"%OMBRIX_NOT_SET% stays";
    for (std::wstring* text : {&fits, &tooLong, &unknown}) ExpandEnvironment(*text);
    // 259 characters and the NUL fit; 260 leave no room for the NUL; an unknown name stays.
    EXPECT_EQ(fits, std::wstring(250, L'x') + L"123456789");
    EXPECT_EQ(tooLong, L"%OMBRIX_LONG%1234567890");
    EXPECT_EQ(unknown, L"%OMBRIX_NOT_SET% stays");
}
