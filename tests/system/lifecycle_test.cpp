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

TEST_F(Lifecycle, CloseEndsWithZeroAndSavesIntoANewDataFolder) {
    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();
    EXPECT_FALSE(IsFolder(DataFolder())); // nothing is created before the first save

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(IsFolder(DataFolder()));
}

TEST_F(Lifecycle, EndSessionSavesAndEndsWith1223) {
    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();

    PostMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(exitEndSession));
    EXPECT_TRUE(IsFolder(DataFolder()));
}

TEST_F(Lifecycle, WithoutFilesStartsOnDefaultsAndWritesTheConfigurationAtClose) {
    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(0));

    n_quillane::t_Document document;
    document.Parse(n_zql::n_system::n_windows::ReadTextFile(DataFolder() + L"Configuration.qln"));
    const n_quillane::t_Element root = document.Root();
    EXPECT_EQ(document.Name(root), L"Ombrix");
    EXPECT_EQ(document.AttributeByName(root, L"width"), L"621"); // the test display runs at 96 DPI
    EXPECT_EQ(document.AttributeByName(root, L"show icons"), L"1");
    const n_quillane::t_Element colors = document.ChildByName(root, L"colors");
    int colorCount = 0;
    for (auto color = document.FirstChild(colors); color != n_quillane::nullElement; color = document.NextSibling(color))
        ++colorCount;
    EXPECT_EQ(colorCount, 31);
    const n_quillane::t_Element apps = document.ChildByName(root, L"apps shortcuts locations");
    EXPECT_EQ(document.AttributeByName(document.FirstChild(apps), L"path"), L"%APPDATA%\\Microsoft\\Windows\\Start Menu");
    EXPECT_NE(document.ChildByName(root, L"custom executors"), n_quillane::nullElement);

    // The launch histories are saved beside it, empty but whole.
    n_quillane::t_Document history;
    history.Parse(n_zql::n_system::n_windows::ReadTextFile(DataFolder() + L"History.qln"));
    EXPECT_EQ(history.Name(history.Root()), L"Ombrix History");
    EXPECT_NE(history.ChildByName(history.Root(), L"custom executors"), n_quillane::nullElement);
}

TEST_F(Lifecycle, ADamagedConfigurationIsReplacedByASoundOneAtClose) {
    ASSERT_TRUE(CreateDirectoryW(DataFolder().c_str(), nullptr));
    const std::wstring path = DataFolder() + L"Configuration.qln";
    WriteFileBytes(path, std::string("\xFF\xFE" "{\0w\0i\0d\0t\0h\0", 14));

    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();
    PostMessageW(window, WM_ENDSESSION, TRUE, 0);
    ASSERT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(exitEndSession));

    n_quillane::t_Document document;
    ASSERT_NO_THROW(document.Parse(n_zql::n_system::n_windows::ReadTextFile(path)));
    EXPECT_EQ(document.AttributeByName(document.Root(), L"width"), L"621");
}

TEST_F(UnwritableDataFolder, AFailedSaveAtTheEndOfRunEndsWith713) {
    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "start-up must not need the data folder; Ombrix " << ombrix.State();

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(exitUnexpectedError));
    ExpectNothingWritten();
}

TEST_F(UnwritableDataFolder, AFailedSaveInsideTheWindowProcedureEndsWith713) {
    // The save of WM_ENDSESSION runs inside the window procedure: its exception must not unwind through Windows'
    // frames, but still reach the process entry.
    t_OmbrixProcess ombrix;
    const HWND window = ombrix.WaitForWindow();
    ASSERT_NE(window, nullptr) << "Ombrix " << ombrix.State();

    PostMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(exitUnexpectedError));
    ExpectNothingWritten();
}
