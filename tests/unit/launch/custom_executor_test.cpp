// Real launches through the shell: a custom executor starts the launch recorder, which writes down the command line
// and working folder it got.

#include "launch/custom_executor.h"
#include "launch/shell_execute.h"

#include "launch_record.h"
#include "scratch_folder.h"

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
    const t_LaunchRecord::t_Entry entry = record.Wait();
    // Inserted text is not searched for the placeholder again, but environment references in it do expand; unknown
    // names stay as they are.
    const std::wstring typed = L"say %typed_command% in " + folder.Path();
    EXPECT_EQ(entry.parameters, L"--run \"" + typed + L"\" --again " + typed + L" --Typed_Command%TYPED_COMMAND%");
    EXPECT_EQ(entry.folder, folder.Path());
}

// 259 characters and the NUL fit; 260 leave no room for the NUL. (That an unknown name stays is seen in the launch
// above.)
TEST(ExpandEnvironment, OnlyWhenTheExpansionFits260Characters) {
    SetEnvironmentVariableW(L"OMBRIX_LONG", std::wstring(250, L'x').c_str());
    std::wstring fits = L"%OMBRIX_LONG%123456789", tooLong = L"%OMBRIX_LONG%1234567890";
    for (std::wstring* text : {&fits, &tooLong}) ExpandEnvironment(*text);
    EXPECT_EQ(fits, std::wstring(250, L'x') + L"123456789");
    EXPECT_EQ(tooLong, L"%OMBRIX_LONG%1234567890");
}
