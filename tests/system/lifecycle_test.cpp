// The process as a whole: single instance, the ways it ends, and what ends up in its exit code.

#include "ombrix_process.h"
#include "registry_override.h"
#include "scratch_folder.h"

#include "app/known_folders.h"
#include "quillane/document.h"
#include "system/text_file.h"

#include <gtest/gtest.h>

#include <knownfolders.h>

using namespace n_ombrix_test;

namespace {

constexpr DWORD exitEndSession = 1223;
constexpr DWORD exitUnexpectedError = 713;

std::wstring DataFolder() { return n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix\\"; }

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Lifecycle : public testing::Test {
protected:
    void SetUp() override { RemoveTree(DataFolder()); }
    void TearDown() override { RemoveTree(DataFolder()); }
};

// A user data folder that cannot be created: the roaming application-data folder is moved, through the shell's
// per-user folder settings, to a folder that exists but takes no new entries. On Windows a folder whose access
// control list denies creating subfolders does this; Wine does not enforce access control lists (and the tests run
// as root), so the test uses the kernel's /proc folder through Wine's Z: drive, which refuses every new entry.
class UnwritableDataFolder : public testing::Test {
protected:
    void ExpectNothingWritten() { EXPECT_EQ(GetFileAttributesW(L"Z:\\proc\\Ombrix"), INVALID_FILE_ATTRIBUTES); }

private:
    t_RegistryOverride appData_{userShellFoldersKey, L"AppData", L"Z:\\proc", REG_EXPAND_SZ};
};

} // namespace

TEST_F(Lifecycle, ASecondStartReturnsZeroAtOnceAndLeavesTheFirstRunning) {
    t_OmbrixProcess first;
    const HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << first.State();
    EXPECT_FALSE(IsWindowVisible(window)); // at rest the window is hidden

    t_OmbrixProcess second;
    EXPECT_EQ(second.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(second.WaitForWindow(std::chrono::milliseconds(0)), nullptr);

    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(0));
}

// Every way the session ends saves into the data folder, made on first use; a log-off that was cancelled saves too,
// but Ombrix stays.
TEST_F(Lifecycle, EachEndSavesAndEndsWithItsOwnCode) {
    struct t_Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        std::optional<DWORD> exitCode;
    };
    for (const t_Case& end : {t_Case{"close", WM_CLOSE, 0, 0}, t_Case{"log-off", WM_ENDSESSION, TRUE, exitEndSession},
                              t_Case{"cancelled log-off", WM_ENDSESSION, FALSE, std::nullopt}}) {
        SCOPED_TRACE(end.name);
        RemoveTree(DataFolder());
        t_OmbrixProcess ombrix;
        const HWND window = ombrix.WaitForWindow();
        ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();
        EXPECT_FALSE(IsFolder(DataFolder())); // nothing is created before the first save
        PostMessageW(window, end.message, end.wParam, 0);
        EXPECT_EQ(ombrix.WaitForExit(end.exitCode ? std::chrono::seconds(20) : std::chrono::seconds(2)), end.exitCode);
        EXPECT_TRUE(IsFolder(DataFolder()));
        if (!end.exitCode) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(0));
        }
    }
}

TEST_F(Lifecycle, ADamagedConfigurationIsReplacedByASoundOneAtClose) {
    ASSERT_TRUE(CreateDirectoryW(DataFolder().c_str(), nullptr));
    WriteFileBytes(DataFolder() + L"Configuration.qln", std::string("\xFF\xFE"
                                                                    "{\0w\0i\0d\0t\0h\0",
                                                                    14));
    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(0));

    // Both files are whole documents: every colour is written, and the histories are there, empty.
    n_quillane::t_Document document;
    document.Parse(n_zql::n_system::n_windows::ReadTextFile(DataFolder() + L"Configuration.qln"));
    int colorCount = 0;
    for (auto color = document.FirstChild(document.ChildByName(document.Root(), L"colors"));
         color != n_quillane::nullElement; color = document.NextSibling(color))
        ++colorCount;
    EXPECT_EQ(colorCount, 31);
    n_quillane::t_Document history;
    history.Parse(n_zql::n_system::n_windows::ReadTextFile(DataFolder() + L"History.qln"));
    EXPECT_NE(history.ChildByName(history.Root(), L"custom executors"), n_quillane::nullElement);
}

TEST_F(UnwritableDataFolder, AFailedSaveEndsWith713) {
    for (const UINT message : {WM_CLOSE, WM_ENDSESSION}) {
        t_OmbrixProcess ombrix;
        const HWND window = ombrix.WaitForWindow();
        ASSERT_NE(window, nullptr) << "start-up must not need the data folder; Ombrix " << ombrix.State();
        PostMessageW(window, message, TRUE, 0);
        EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(exitUnexpectedError)) << message;
        ExpectNothingWritten();
    }
}
