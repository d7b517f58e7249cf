// Ombrix as a user gets it: its installer run silently, the program started from where it went, its help opened,
// and the uninstaller, which takes away all it installed and leaves the user's own data.

#include "ombrix_process.h"
#include "real_input.h"
#include "scratch_folder.h"

#include "system/known_folders.h"

#include <gtest/gtest.h>

#include <knownfolders.h>

using namespace n_ombrix_test;

namespace {

constexpr wchar_t uninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ombrix";
constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A program run to its end with its arguments: its exit code, or nothing if it did not end within a minute.
std::optional<DWORD> RunToEnd(const std::wstring& program, const std::wstring& arguments) {
    const n_zql::n_system::n_windows::t_Handle process = StartProcess(L"\"" + program + L"\" " + arguments, program);
    DWORD code = 0;
    if (!process || WaitForSingleObject(process.Get(), 60'000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.Get(), &code))
        return std::nullopt;
    return code;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A string value of the user's registry, or nothing.
std::optional<std::wstring> UserValue(const wchar_t* key, const wchar_t* name) {
    wchar_t value[1024]{};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

} // namespace

// The silent installer puts the program, its hook library, the help file, the colour schemes and the uninstaller
// into the user's programs folder, with a Start Menu shortcut and an entry among the installed programs. Ombrix
// started from there opens its help with F1 (Wine has an HTML help viewer of its own) and, closed, starts at sign-in
// from there. Installing again over the running Ombrix ends it as its Exit does (exit code 0), and closes the help
// still open, whose viewer holds the help file; so does the silent uninstaller, which takes away the program, the
// shortcut, the Run value and the entry, and leaves the user's data.
TEST(Installation, SilentlyInAndOutLeavingTheUsersData) {
    const std::wstring folder = n_ombrix::KnownFolderPath(FOLDERID_LocalAppData) + L"Programs\\Ombrix\\";
    const std::wstring shortcut = n_ombrix::KnownFolderPath(FOLDERID_Programs) + L"Ombrix.lnk";
    const std::wstring dataFolder = DataFolder();
    const std::wstring setup = BuiltProgramPath(L"..\\package\\" OMBRIX_SETUP_NAME);
    RemoveTree(folder);
    RemoveTree(dataFolder);

    ASSERT_EQ(RunToEnd(setup, L"/S"), std::optional<DWORD>(0));
    for (const wchar_t* file :
         {L"Ombrix.exe", L"Ombrix Hooks.dll", L"en\\Ombrix Help.chm", L"Ombrix Dark.qln", L"Uninstall Ombrix.exe"})
        EXPECT_TRUE(Exists(folder + file)) << testing::PrintToString(std::wstring(file));
    EXPECT_TRUE(Exists(shortcut));
    EXPECT_EQ(UserValue(uninstallKey, L"InstallLocation"), folder.substr(0, folder.size() - 1));
    EXPECT_EQ(UserValue(uninstallKey, L"UninstallString"), L"\"" + folder + L"Uninstall Ombrix.exe\"");
    DWORD kilobytes = 0, bytes = sizeof kilobytes;
    RegGetValueW(HKEY_CURRENT_USER, uninstallKey, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kilobytes, &bytes);
    EXPECT_GT(kilobytes, 100u);

    {
        const t_OmbrixProcess ombrix(folder + L"Ombrix.exe");
        ASSERT_TRUE(ombrix.Show()) << ombrix.State();
        PressKey({VK_F1});
        EXPECT_TRUE(Eventually([] { return FindWindowW(nullptr, L"Ombrix Help") != nullptr; }));
        EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    }
    EXPECT_EQ(UserValue(runKey, L"Ombrix"), L"\"" + folder + L"Ombrix.exe\"");

    // The uninstaller goes on from a copy of itself in the temporary folder, so its own end is not the end.
    for (const std::wstring& program : {setup, folder + L"Uninstall Ombrix.exe"}) {
        const t_OmbrixProcess ombrix(folder + L"Ombrix.exe");
        ASSERT_TRUE(ombrix.Window()) << ombrix.State();
        ASSERT_EQ(RunToEnd(program, L"/S"), std::optional<DWORD>(0));
        EXPECT_EQ(ombrix.WaitForExit(), std::optional<DWORD>(0)) << "a running Ombrix is closed, not killed";
    }
    EXPECT_TRUE(Eventually([&folder] { return !Exists(folder); }, std::chrono::seconds(10)));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_EQ(UserValue(runKey, L"Ombrix"), std::nullopt);
    EXPECT_EQ(UserValue(uninstallKey, L"DisplayName"), std::nullopt);
    EXPECT_TRUE(Exists(dataFolder + L"Configuration.qln")) << "the user's data stays";
    RemoveTree(dataFolder);
}
