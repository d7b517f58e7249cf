// The default executor on real folders and through real launches: what it hands to the shell, and that a started
// program works in the profile folder.

#include "launch/default_executor.h"

#include "app/known_folders.h"
#include "launch/default_launcher.h"

#include "launch_record.h"
#include "scratch_folder.h"
#include "system/path_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <knownfolders.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

std::wstring CurrentDirectory() {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

// A scratch folder with "Sub Folder\inner" in it and a file beside them; the process works in it during the test.
class DefaultShellRequestTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW((folder_ / L"Sub Folder").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((folder_ / L"Sub Folder\\inner").c_str(), nullptr));
        WriteFileBytes(folder_ / L"notes.txt", "x");
        ASSERT_TRUE(SetCurrentDirectoryW(folder_.Path().c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryW(saved_.c_str());
        SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", nullptr);
    }

    static std::wstring Explorer(const std::wstring& folder) { return L"/e,/root,\"" + folder + L"\""; }

    std::wstring saved_ = CurrentDirectory();
    t_ScratchFolder folder_{L"default-executor"};
    std::wstring inner_ = folder_ / L"Sub Folder\\inner";
};

} // namespace

TEST_F(DefaultShellRequestTest, AFolderOpensInExplorerWithSingleBackslashes) {
    const std::wstring working = folder_.Path();
    EXPECT_EQ(DefaultShellRequest(inner_, working), (t_ShellRequest{L"explorer", Explorer(inner_)}));
    // Relative, with forward slashes, doubled separators and a step up: joined to the working folder.
    EXPECT_EQ(DefaultShellRequest(L"Sub Folder//inner", working).parameters, Explorer(inner_));
    EXPECT_EQ(DefaultShellRequest(L"Sub Folder\\inner\\..\\inner", working).parameters, Explorer(inner_));
    EXPECT_EQ(DefaultShellRequest(L".\\Sub Folder/inner", working).parameters, Explorer(inner_));
    // Absolute: canonicalised, runs of backslashes reduced; a trailing separator stays.
    std::wstring doubled = inner_;
    doubled.insert(doubled.find(L"Sub Folder"), L"\\\\");
    EXPECT_EQ(DefaultShellRequest(doubled + L"\\", working).parameters, Explorer(inner_ + L"\\"));
    // Environment references expand before the folder test.
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder_.Path().c_str());
    EXPECT_EQ(DefaultShellRequest(L"%OMBRIX_TEST_FOLDER%Sub Folder", working).parameters,
              Explorer(folder_ / L"Sub Folder"));
}

TEST_F(DefaultShellRequestTest, AnythingButAFolderIsSplitForTheShell) {
    const std::wstring working = folder_.Path();
    // A file, and a path that does not exist: the unquoted blank splits them.
    EXPECT_EQ(DefaultShellRequest(folder_ / L"notes.txt", working).file, folder_ / L"notes.txt");
    EXPECT_EQ(DefaultShellRequest(L"Sub Folder\\missing", working), (t_ShellRequest{L"Sub", L"Folder\\missing"}));
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder_.Path().c_str());
    EXPECT_EQ(DefaultShellRequest(L"\"%OMBRIX_TEST_FOLDER%notes.txt\"  -x %OMBRIX_TEST_FOLDER%", working),
              (t_ShellRequest{folder_ / L"notes.txt", L"-x " + folder_.Path()}));
}

TEST(DefaultExecutor, PreparingDropsOnlyLeadingWhiteSpace) {
    std::wstring text = L" \t\r\n notepad a.txt \t ";
    t_DefaultExecutor().Prepare(text);
    EXPECT_EQ(text, L"notepad a.txt \t ");
}

TEST(DefaultExecutor, AStartedProgramInheritsTheProfileFolder) {
    const std::wstring saved = CurrentDirectory();
    const t_ScratchFolder folder(L"default-launch");
    const t_LaunchRecord recording(folder.Path());
    {
        // The launcher makes the profile folder the process's current directory.
        const t_DefaultLauncher launcher(folder.Path());
        EXPECT_EQ(n_zql::n_system::WithTrailingBackslash(CurrentDirectory()),
                  launcher.DefaultExecutor().WorkingFolder());
        ASSERT_TRUE(launcher.DefaultExecutor().Launch(L"\"" + t_LaunchRecord::RecorderPath() + L"\"one  \"two three\" ",
                                                      false));
    }
    SetCurrentDirectoryW(saved.c_str());

    const std::optional<t_LaunchRecord::t_Entry> record = recording.Wait();
    ASSERT_TRUE(record) << "the recorder did not run";
    EXPECT_EQ(t_LaunchRecord::ParametersOf(record->commandLine), L"one  \"two three\" ");
    EXPECT_EQ(n_zql::n_system::WithTrailingBackslash(record->folder), KnownFolderPath(FOLDERID_Profile));
}
