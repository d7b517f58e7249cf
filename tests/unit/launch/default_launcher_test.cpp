// The launcher with real launches (through the launch recorder) and a real "History.qln" in a scratch data folder.

#include "launch/default_launcher.h"

#include "launch_record.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

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
    EXPECT_EQ(LaunchRecorded(launcher, L"one", L"one typed"), L"--typed one");
    // The text as typed is what the history keeps, once, in front; the whole history is offered afresh.
    EXPECT_EQ(launcher.History(1).Entries(), (t_Entries{L"one typed", L"two"}));
    EXPECT_EQ(launcher.Candidates().Query(), L"");
    EXPECT_EQ(launcher.Candidates().Count(), 2u);
    EXPECT_TRUE(launcher.History(0).Empty() && launcher.History(3).Empty());
    launcher.Clear(); // saves, as a change of the configuration does
    EXPECT_EQ(&launcher.CurrentExecutor(), &launcher.DefaultExecutor());

    // Saving before the histories are loaded must not wipe the file.
    const std::string saved = ReadFileBytes(data_ + L"History.qln");
    t_DefaultLauncher next(data_);
    next.Save();
    EXPECT_EQ(ReadFileBytes(data_ + L"History.qln"), saved);
    // The shared caption was written twice and is read into both executors; the order of the items shows in which
    // history is whose.
    next.SetCustomExecutors(items_);
    EXPECT_EQ(next.History(1).Entries(), (t_Entries{L"one typed", L"two"}));
    EXPECT_EQ(next.History(3).Entries(), (t_Entries{L"one typed", L"two"}));
    EXPECT_TRUE(next.History(0).Empty() && next.History(2).Empty());
}

// A damaged file gives empty histories; a launch the shell refuses, through either kind of executor, changes neither
// the history nor the query.
TEST_F(DefaultLauncher, ADamagedFileGivesEmptyHistoriesAndAFailedLaunchChangesNothing) {
    WriteFileBytes(folder_ / L"History.qln", std::string("\xFF\xFE\"\0O\0", 6));
    t_DefaultLauncher launcher(folder_.Path());
    launcher.SetCustomExecutors(items_);
    EXPECT_TRUE(launcher.History(0).Empty() && launcher.Candidates().Count() == 0);
    EXPECT_EQ(LaunchRecorded(launcher, L"\"" + t_LaunchRecord::RecorderPath() + L"\" x", L"recorder x"), L"x");
    for (const std::size_t executor : {0, 2}) {
        ASSERT_TRUE(executor == 0 || launcher.SelectExecutor(*launcher.Executors()[executor]));
        launcher.UpdateQuery(L"r");
        EXPECT_FALSE(launcher.Launch(L"\"" + folder_ / L"missing.exe\" /x", L"missing", false)) << executor;
        EXPECT_EQ(launcher.Candidates().Query(), L"r");
    }
    EXPECT_EQ(launcher.History(0).Entries(), (t_Entries{L"recorder x"}));
    EXPECT_TRUE(launcher.History(2).Empty());
}
