// The default executor on real folders and through real launches: what it hands to the shell, and that a started
// program works in the profile folder.

#include "launch/default_executor.h"

#include "launch/default_launcher.h"
#include "system/known_folders.h"

#include "launch_record.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <knownfolders.h>
#include <shlobj.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

// Folders are found from the process's current folder: the test works in a scratch folder that holds
// "Sub Folder\inner" and a file, until the launcher makes the profile folder the process's current folder, which the
// programs it starts inherit.
TEST(DefaultExecutor, AFolderOpensInExplorerAnythingElseIsSplitAndAStartedProgramWorksInTheProfileFolder) {
    const t_ScratchFolder folder(L"default-executor");
    const std::wstring inner = folder / L"Sub Folder\\inner", notes = folder / L"notes.txt";
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, inner.c_str(), nullptr), ERROR_SUCCESS);
    WriteFileBytes(notes, "x");
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder.Path().c_str());
    const auto explorer = [](std::wstring path) { return t_ShellRequest{L"explorer", L"/e,/root,\"" + path + L"\""}; };
    const std::pair<std::wstring, t_ShellRequest> cases[] = {
        // Relative, with forward slashes, doubled separators and steps: joined to the working folder.
        {L"Sub Folder//inner", explorer(inner)},
        {L".\\Sub Folder\\inner\\..\\inner", explorer(inner)},
        // Absolute: canonicalised, runs of backslashes reduced; a trailing separator stays.
        {folder.Path() + L"\\\\Sub Folder\\\\inner\\", explorer(inner + L"\\")},
        // Environment references expand before the folder test.
        {L"%OMBRIX_TEST_FOLDER%Sub Folder", explorer(folder / L"Sub Folder")},
        // A file, and a path that does not exist: the first unquoted blank splits them.
        {notes, {notes, L""}},
        {L"Sub Folder\\missing", {L"Sub", L"Folder\\missing"}},
        {L"\"%OMBRIX_TEST_FOLDER%notes.txt\"  -x %OMBRIX_TEST_FOLDER%", {notes, L"-x " + folder.Path()}},
    };
    for (const auto& [text, request] : cases) EXPECT_EQ(DefaultShellRequest(text, folder.Path()), request) << text;

    const t_LaunchRecord recording(folder.Path());
    const t_DefaultLauncher launcher(folder.Path());
    // Preparing drops only the leading white space.
    std::wstring text = L" \t\r\n \"" + t_LaunchRecord::RecorderPath() + L"\"one  \"two three\" \t";
    launcher.DefaultExecutor().Prepare(text);
    ASSERT_TRUE(launcher.DefaultExecutor().Launch(text, false));
    const t_LaunchRecord::t_Entry record = recording.Wait();
    EXPECT_EQ(record.parameters, L"one  \"two three\" \t");
    EXPECT_EQ(record.folder, KnownFolderPath(FOLDERID_Profile));
}
