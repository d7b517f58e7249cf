// The process as a whole: single instance, the ways it ends, and what ends up in its exit code.

#include "ombrix_process.h"
#include "registry_override.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

using namespace n_ombrix_test;

namespace {

constexpr DWORD exitEndSession = 1223;
constexpr DWORD exitUnexpectedError = 713;

// Every test starts without a data folder and leaves none.
class Lifecycle : public testing::Test {
protected:
    void SetUp() override { RemoveTree(DataFolder()); }
    void TearDown() override { RemoveTree(DataFolder()); }
};

} // namespace

// Every way the session ends saves into the data folder, made on first use, and ends with its own code; a log-off
// that was cancelled saves too, but Ombrix stays. When the data folder cannot be made, the end is an unexpected
// error. The roaming application-data folder is then moved, through the shell's per-user folder settings, to a folder
// that exists but takes no new entries. On Windows a folder whose access control list denies creating subfolders
// does this; Wine does not enforce access control lists (and the tests run as root), so the test uses the kernel's
// /proc folder through Wine's Z: drive, which refuses every new entry.
TEST_F(Lifecycle, EachEndSavesAndEndsWithItsOwnCode) {
    struct t_Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        const wchar_t* appData; // null: the prefix's own
        std::optional<DWORD> exitCode;
    };
    for (const t_Case& end :
         {t_Case{"close", WM_CLOSE, 0, nullptr, 0}, t_Case{"log-off", WM_ENDSESSION, TRUE, nullptr, exitEndSession},
          t_Case{"cancelled log-off", WM_ENDSESSION, FALSE, nullptr, std::nullopt},
          t_Case{"close, unwritable", WM_CLOSE, 0, L"Z:\\proc", exitUnexpectedError},
          t_Case{"log-off, unwritable", WM_ENDSESSION, TRUE, L"Z:\\proc", exitUnexpectedError}}) {
        SCOPED_TRACE(end.name);
        RemoveTree(DataFolder());
        std::optional<t_RegistryOverride> appData;
        if (end.appData) appData.emplace(userShellFoldersKey, L"AppData", end.appData, REG_EXPAND_SZ);
        const t_OmbrixProcess ombrix;
        ASSERT_NE(ombrix.Window(), nullptr) << "start-up must not need the data folder; Ombrix " << ombrix.State();
        EXPECT_FALSE(PathIsDirectoryW(DataFolder().c_str())); // nothing is created before the first save
        ombrix.Post(end.message, end.wParam);
        EXPECT_EQ(ombrix.WaitForExit(end.exitCode ? std::chrono::seconds(20) : std::chrono::seconds(2)), end.exitCode);
        EXPECT_EQ(PathIsDirectoryW(DataFolder().c_str()) != FALSE, !end.appData);
        EXPECT_TRUE(end.exitCode || ombrix.Close()) << ombrix.State(); // a cancelled log-off: it runs on
    }
}

// A second start returns 0 at once and leaves the first running, its window hidden at rest.
TEST_F(Lifecycle, ASecondStartEndsAtOnce) {
    const t_OmbrixProcess ombrix;
    ASSERT_NE(ombrix.Window(), nullptr) << "Ombrix " << ombrix.State();
    EXPECT_EQ(t_OmbrixProcess().WaitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(ombrix.IsRunning() && !IsWindowVisible(ombrix.Window()));
    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}
