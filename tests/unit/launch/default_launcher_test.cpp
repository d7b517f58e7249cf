// The launcher and its executors with real launches (through the launch recorder, which writes down the command line
// and working folder it got), real folders, and a real "History.qln" in a scratch data folder.

#include "launch/default_launcher.h"

#include "launch/custom_executor.h"
#include "launch/default_executor.h"
#include "launch/path_completion.h"
#include "launch/shell_execute.h"
#include "system/known_folders.h"

#include "launch_record.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <tuple>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

using t_Entries = std::vector<std::wstring>;

class DefaultLauncher : public testing::Test {
protected:
    // Launches with the current executor: the parameters the recorder got, or that the launcher refused.
    std::wstring LaunchRecorded(t_DefaultLauncher& launcher, const std::wstring& prepared, const std::wstring& typed) {
        return launcher.Launch(prepared, typed, false) ? recording_.Wait().parameters : L"(refused)";
    }

    t_ScratchFolder folder_{L"launcher"};
    t_LaunchRecord recording_{folder_.Path()};
    // A new profile: the data folder does not exist before the first save.
    const std::wstring data_ = folder_ / L"Data\\";
    // Two executors share the caption "rec", and so share one entry of the file.
    std::vector<t_LaunchItem> items_{
        {L"rec", L"Recorder", t_LaunchRecord::RecorderPath(), L"--typed %typed_command%", L""},
        {L"gone", L"Missing", folder_ / L"missing.exe", L"%typed_command%", L""},
        {L"rec", L"Recorder again", t_LaunchRecord::RecorderPath(), L"%typed_command%", L""}};
};

} // namespace

TEST_F(DefaultLauncher, ALaunchedTextLeadsItsExecutorsHistoryAndComesBackFromTheFile) {
    t_DefaultLauncher launcher(data_);
    launcher.SetCustomExecutors(items_);
    // The default executor first, then one per item in their order.
    ASSERT_EQ(launcher.Executors().size(), 4u);
    EXPECT_TRUE(launcher.SelectExecutor(*launcher.Executors()[1]));
    EXPECT_FALSE(launcher.SelectExecutor(*launcher.Executors()[1]));
    EXPECT_EQ(&launcher.PreviousExecutor(), &launcher.DefaultExecutor());

    launcher.UpdateQuery(L"o");
    EXPECT_EQ(LaunchRecorded(launcher, L"one", L"one typed"), L"--typed one");
    EXPECT_EQ(LaunchRecorded(launcher, L"two", L"two"), L"--typed two");
    // The text as typed is what the history keeps, in front; the whole history is offered afresh.
    EXPECT_EQ(launcher.History(1).Entries(), (t_Entries{L"two", L"one typed"}));
    EXPECT_EQ(std::pair(launcher.Candidates().Query(), launcher.Candidates().Count()),
              std::pair(std::wstring(), std::size_t{2}));
    EXPECT_TRUE(launcher.History(0).Empty() && launcher.History(3).Empty());
    launcher.Clear(); // saves, as a change of the configuration does
    EXPECT_EQ(&launcher.CurrentExecutor(), &launcher.DefaultExecutor());

    // Saving before the histories are loaded must not wipe the file.
    const std::string saved = ReadFileBytes(data_ + L"History.qln");
    t_DefaultLauncher next(data_);
    next.Save();
    EXPECT_EQ(ReadFileBytes(data_ + L"History.qln"), saved);
    // Read back into its executor. (How captions two executors share are read is the history file's test.)
    next.SetCustomExecutors(items_);
    EXPECT_EQ(next.History(1).Entries(), (t_Entries{L"two", L"one typed"}));
    EXPECT_TRUE(next.History(0).Empty() && next.History(2).Empty());
}

// A damaged file gives empty histories. A program started enters its executor's history and works in the profile
// folder; a launch the shell refuses, through either kind of executor, changes neither the history nor the query.
TEST_F(DefaultLauncher, ADamagedFileGivesEmptyHistoriesAndOnlyAStartedProgramEntersThem) {
    WriteFileBytes(folder_ / L"History.qln", std::string("\xFF\xFE\"\0O\0", 6));
    t_DefaultLauncher launcher(folder_.Path());
    launcher.SetCustomExecutors(items_);
    EXPECT_TRUE(launcher.History(0).Empty() && launcher.Candidates().Count() == 0);
    // Preparing drops only the leading white space.
    std::wstring text = L" \t\r\n \"" + t_LaunchRecord::RecorderPath() + L"\"one  \"two three\" \t";
    launcher.DefaultExecutor().Prepare(text);
    ASSERT_TRUE(launcher.Launch(text, L"recorder x", false));
    const t_LaunchRecord::t_Entry started = recording_.Wait();
    EXPECT_EQ(started.parameters, L"one  \"two three\" \t");
    EXPECT_EQ(started.folder, KnownFolderPath(FOLDERID_Profile));
    for (const std::size_t executor : {0, 2}) {
        ASSERT_TRUE(executor == 0 || launcher.SelectExecutor(*launcher.Executors()[executor]));
        launcher.UpdateQuery(L"r");
        EXPECT_FALSE(launcher.Launch(L"\"" + folder_ / L"missing.exe\" /x", L"missing", false)) << executor;
        EXPECT_EQ(launcher.Candidates().Query(), L"r");
    }
    EXPECT_EQ(launcher.History(0).Entries(), (t_Entries{L"recorder x"}));
    EXPECT_TRUE(launcher.History(2).Empty());
}

// Folders are found from the process's current folder: the test works in a scratch folder that holds
// "Sub Folder\inner" and a file. (A launcher makes the profile folder the process's current folder, which the
// programs it starts inherit: that is seen with the launcher above.)
TEST(DefaultExecutor, AFolderOpensInExplorerAndAnythingElseIsSplit) {
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
    SetCurrentDirectoryW(KnownFolderPath(FOLDERID_Profile).c_str()); // where the program works; the folder can go
}

TEST(CustomExecutor, ParametersAreTheExpandedTemplateAndTheFolderTheExpandedWorkDir) {
    const t_ScratchFolder folder(L"custom-executor");
    const t_LaunchRecord record(folder.Path());
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder.Path().c_str());
    const t_LaunchItem item{L"rec", L"", t_LaunchRecord::RecorderPath(), L"--run \"%typed_command%\"",
                            L"%OMBRIX_TEST_FOLDER%"};
    ASSERT_TRUE(t_CustomExecutor(item).Launch(L"say %typed_command% in %OMBRIX_TEST_FOLDER% %NO_SUCH%", false));
    const t_LaunchRecord::t_Entry entry = record.Wait();
    // Inserted text is not searched for the placeholder again, but environment references in it do expand; unknown
    // names stay as they are. (The template's own rules are the command line's tests'.)
    EXPECT_EQ(entry.parameters, L"--run \"say %typed_command% in " + folder.Path() + L" %NO_SUCH%\"");
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

// Path completion (Ctrl+Space) against a real folder: the executor is a real custom executor whose working folder is
// the scratch folder, so relative tokens are looked up there.
TEST(PathCompletion, TheNameGrowsToWhatAllItsMatchesShareInTheirOwnLetters) {
    const t_ScratchFolder folder(L"path-completion");
    for (auto name : {L"Report 1.x", L"Report 2.x", L"README.txt"}) WriteFileBytes(folder / name, "x");
    ASSERT_TRUE(CreateDirectoryW((folder / L"Reports").c_str(), nullptr));
    const t_LaunchItem item{L"ed", L"", L"notepad", L"%typed_command%", folder.Path()};
    // A relative token is looked up in the working folder; folders are names too. (Which token is completed, quotes
    // and slashes, is the command line's tests'.)
    const std::size_t quoted = 1 + folder.Path().size();
    const std::tuple<std::wstring, std::wstring, t_PathCompletion> completed[] = {
        {L"notepad read", L"notepad README.txt", {8, 12, 18}},
        {L"\"" + folder.Path() + L"REP", L"\"" + folder.Path() + L"Report", {quoted, quoted + 3, quoted + 6}}};
    for (auto [text, expected, completion] : completed) {
        EXPECT_EQ(CompletePath(t_CustomExecutor(item), text), completion) << text;
        EXPECT_EQ(text, expected);
    }
    // Nothing, and the text stays: names that share nothing (a token that ends in a separator matches "." and ".."
    // too, as on Windows), no match, a complete name.
    for (const wchar_t* before : {folder.Path().c_str(), L"zz", L"README.txt"}) {
        std::wstring text = before;
        EXPECT_TRUE(!CompletePath(t_CustomExecutor(item), text) && text == before) << before;
    }
}
