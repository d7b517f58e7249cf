// The launcher with real launches (through the launch recorder) and a real "History.qln" in a scratch data folder.

#include "launch/default_launcher.h"

#include "launch_record.h"
#include "scratch_folder.h"
#include "system/text_file.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

using t_Entries = std::vector<std::wstring>;

class DefaultLauncher : public testing::Test {
protected:
    void SetUp() override {
        wchar_t folder[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, folder);
        savedDirectory_ = folder;
    }
    void TearDown() override { SetCurrentDirectoryW(savedDirectory_.c_str()); }

    // Launches with the current executor and waits for the recorder's record, which is then removed for the next.
    std::optional<t_LaunchRecord::t_Entry> LaunchRecorded(t_DefaultLauncher& launcher, const std::wstring& prepared,
                                                          const std::wstring& typed) {
        if (!launcher.Launch(prepared, typed, false)) return std::nullopt;
        std::optional<t_LaunchRecord::t_Entry> record = recording_.Wait();
        DeleteFileW((folder_ / L"record.txt").c_str());
        return record;
    }

    void WriteHistoryFile(const t_Entries& standard, const std::vector<std::pair<std::wstring, t_Entries>>& custom) {
        n_quillane::t_Document document;
        const auto root = document.CreateRoot(L"Ombrix History");
        const auto standardElement = document.AppendChild(root, L"default executor");
        for (const std::wstring& entry : standard) document.AddAttribute(standardElement, L"", entry);
        const auto customElement = document.AppendChild(root, L"custom executors");
        for (const auto& [caption, entries] : custom) {
            const auto executor = document.AppendChild(customElement, caption);
            for (const std::wstring& entry : entries) document.AddAttribute(executor, L"", entry);
        }
        document.Finish();
        n_zql::n_system::n_windows::WriteTextFileAtomically(folder_ / L"History.qln",
                                                            document.Serialise(document.Root()));
    }

    std::wstring savedDirectory_;
    t_ScratchFolder folder_{L"launcher"};
    t_LaunchRecord recording_{folder_.Path()};
    // Two executors share the caption "rec", and so share one entry of the file.
    std::vector<t_LaunchItem> items_{
        {L"rec", L"Recorder", t_LaunchRecord::RecorderPath(), L"--typed %typed_command%", L""},
        {L"gone", L"Missing", folder_ / L"missing.exe", L"%typed_command%", L""},
        {L"rec", L"Recorder again", t_LaunchRecord::RecorderPath(), L"%typed_command%", L""}};
};

} // namespace

TEST_F(DefaultLauncher, ALaunchedTextLeadsItsExecutorsHistory) {
    // A new profile: the data folder does not exist before the first save.
    t_DefaultLauncher launcher(folder_ / L"Data\\");
    launcher.SetCustomExecutors(items_);
    ASSERT_EQ(launcher.Executors().size(), 4u);
    EXPECT_EQ(launcher.Executors()[0], &launcher.DefaultExecutor());
    EXPECT_EQ(launcher.Executors()[3]->Description(), L"Recorder again");
    EXPECT_EQ(&launcher.CurrentExecutor(), &launcher.DefaultExecutor());

    const t_Executor& recorder = *launcher.Executors()[1];
    EXPECT_TRUE(launcher.SelectExecutor(recorder));
    EXPECT_FALSE(launcher.SelectExecutor(recorder));
    EXPECT_EQ(&launcher.PreviousExecutor(), &launcher.DefaultExecutor());

    launcher.UpdateQuery(L"o");
    const std::optional<t_LaunchRecord::t_Entry> record = LaunchRecorded(launcher, L"one", L"one typed");
    ASSERT_TRUE(record) << "the recorder did not run";
    EXPECT_EQ(t_LaunchRecord::ParametersOf(record->commandLine), L"--typed one");
    ASSERT_TRUE(LaunchRecorded(launcher, L"two", L"two"));
    ASSERT_TRUE(LaunchRecorded(launcher, L"one", L"one typed"));

    // The text as typed is what the history keeps, once, in front; the whole history is offered afresh.
    EXPECT_EQ(launcher.History(1).Entries(), (t_Entries{L"one typed", L"two"}));
    EXPECT_EQ(launcher.Candidates().Count(), 2u);
    EXPECT_EQ(launcher.Candidates().Query(), L"");
    EXPECT_TRUE(launcher.History(0).Empty());
    EXPECT_TRUE(launcher.History(3).Empty());
    launcher.Clear(); // saves, as a change of the configuration does
    EXPECT_NE(GetFileAttributesW((folder_ / L"Data\\History.qln").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DefaultLauncher, AFailedLaunchChangesNothing) {
    WriteHistoryFile({L"calc"}, {{L"gone", {L"earlier"}}});
    t_DefaultLauncher launcher(folder_.Path());
    launcher.SetCustomExecutors(items_);
    launcher.UpdateQuery(L"c");
    std::wstring text;
    ASSERT_TRUE(launcher.NextCandidate(text));

    EXPECT_FALSE(launcher.Launch(L"\"" + folder_ / L"missing.exe\" /x", L"missing", false));
    EXPECT_EQ(launcher.History(0).Entries(), (t_Entries{L"calc"}));
    EXPECT_EQ(launcher.Candidates().Query(), L"c");
    EXPECT_EQ(launcher.Candidates().Cursor(), 0u);

    ASSERT_TRUE(launcher.SelectExecutor(*launcher.Executors()[2]));
    EXPECT_FALSE(launcher.Launch(L"anything", L"anything", false));
    EXPECT_EQ(launcher.History(2).Entries(), (t_Entries{L"earlier"}));
}

TEST_F(DefaultLauncher, HistoriesComeBackFromTheFile) {
    WriteHistoryFile({L"notepad", L"", L"\"C:\\Program Files\\App\\app.exe\" --x \"a b\""},
                     {{L"rec", {L"first", L"second"}}, {L"old executor", {L"kept out"}}});
    {
        t_DefaultLauncher launcher(folder_.Path());
        launcher.SetCustomExecutors(items_);
        EXPECT_EQ(launcher.History(0).Entries(),
                  (t_Entries{L"notepad", L"\"C:\\Program Files\\App\\app.exe\" --x \"a b\""}));
        EXPECT_EQ(launcher.History(1).Entries(), (t_Entries{L"first", L"second"}));
        EXPECT_TRUE(launcher.History(2).Empty());
        EXPECT_EQ(launcher.History(3).Entries(), (t_Entries{L"first", L"second"}));
        EXPECT_EQ(launcher.Candidates().Count(), 2u); // the default executor's whole history

        ASSERT_TRUE(launcher.SelectExecutor(*launcher.Executors()[1]));
        ASSERT_TRUE(LaunchRecorded(launcher, L"third", L"third"));
        launcher.Clear();
        EXPECT_TRUE(launcher.Executors().empty());
        EXPECT_TRUE(launcher.History(0).Empty());
        EXPECT_EQ(&launcher.CurrentExecutor(), &launcher.DefaultExecutor());
    }
    const std::string saved = ReadFileBytes(folder_ / L"History.qln");
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(GetFileAttributesW((folder_ / L"History.qln.new").c_str()), INVALID_FILE_ATTRIBUTES);

    // Saving before the histories are loaded must not wipe the file.
    t_DefaultLauncher launcher(folder_.Path());
    launcher.Save();
    EXPECT_EQ(ReadFileBytes(folder_ / L"History.qln"), saved);

    // The executor no longer configured is gone; the shared caption was written twice and read once.
    launcher.SetCustomExecutors(items_);
    EXPECT_EQ(launcher.History(0).Entries(),
              (t_Entries{L"notepad", L"\"C:\\Program Files\\App\\app.exe\" --x \"a b\""}));
    EXPECT_EQ(launcher.History(1).Entries(), (t_Entries{L"third", L"first", L"second"}));
    EXPECT_EQ(launcher.History(3).Entries(), (t_Entries{L"third", L"first", L"second"}));
    launcher.Clear();
    launcher.SetCustomExecutors(items_);
    EXPECT_EQ(launcher.History(1).Entries(), (t_Entries{L"third", L"first", L"second"}));
}

TEST_F(DefaultLauncher, ADamagedFileGivesEmptyHistories) {
    WriteFileBytes(folder_ / L"History.qln", std::string("\xFF\xFE\"\0O\0", 6));
    t_DefaultLauncher launcher(folder_.Path());
    launcher.SetCustomExecutors(items_);
    EXPECT_TRUE(launcher.History(0).Empty());
    EXPECT_EQ(launcher.Candidates().Count(), 0u);
}
