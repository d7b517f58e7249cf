// Where and how the program keeps its data, on real files and the test prefix's registry: the folders it works in,
// texts written whole through file mappings (the program maps only whole files, from their start), and the
// configuration's file and registry value.

#include "config/configuration.h"

#include "registry_override.h"
#include "scratch_folder.h"
#include "system/known_folders.h"
#include "system/memory_mapped_file.h"
#include "system/text_file.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace std::string_literals;
using n_zql::n_system::n_windows::t_MemoryMappedFile;

namespace {

constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ConfigurationStorage : public testing::Test {
protected:
    t_Configuration Loaded() const {
        t_Configuration loaded(profile_, 96);
        loaded.Load();
        return loaded;
    }

    t_ScratchFolder folder_{L"configuration"};
    // A new profile: the data folder does not exist before the first save.
    const std::wstring profile_ = folder_ / L"Ombrix\\";
    t_Configuration configuration_{profile_, 96};
    // Whatever the Run value was, it is put back after the test.
    t_RegistryOverride runValue_{runKey, L"Ombrix", L"placeholder"};
};

} // namespace

TEST_F(ConfigurationStorage, ASaveMakesTheDataFolderAndLoadsBackAFailedOneLeavesTheOldFileAndADamagedOneGivesDefaults) {
    configuration_.compactMode = true;
    configuration_.Save();
    EXPECT_TRUE(Loaded().compactMode);
    // The temporary file cannot be created: a folder stands in its place (which also shows that the successful save
    // left no temporary file behind).
    const std::string before = ReadFileBytes(configuration_.filePath);
    ASSERT_TRUE(CreateDirectoryW((configuration_.filePath + L".new").c_str(), nullptr));
    t_Configuration(profile_, 96).Save();
    EXPECT_EQ(ReadFileBytes(configuration_.filePath), before);
    // A file that is not ours, or not whole.
    for (const std::string& bytes : {std::string("compactMode=1"), std::string("\xFF\xFEn\0o\0t\0 \0q\0l\0n\0", 16)}) {
        WriteFileBytes(configuration_.filePath, bytes);
        EXPECT_FALSE(Loaded().compactMode);
    }
}

// Saved on, then off, autostart is read back from the Run value; only a string value counts.
TEST_F(ConfigurationStorage, AutostartIsTheRunValue) {
    for (const bool autostart : {true, false}) {
        configuration_.autostart = autostart;
        configuration_.Save();
        EXPECT_EQ(Loaded().autostart, autostart);
    }
    const t_RegistryOverride expandable(runKey, L"Ombrix", L"C:\\Ombrix.exe", REG_EXPAND_SZ);
    EXPECT_FALSE(Loaded().autostart);
}

// Only the colours come in, never the theme switch. (That all 31 go out and come back whole is seen through the
// settings window's file dialogs.)
TEST_F(ConfigurationStorage, AColourSchemeCarriesColoursOnlyAndADamagedOneChangesNothing) {
    configuration_.colors[30] = Rgb(250, 251, 252);
    configuration_.useWindowsTheme = false;
    const std::wstring scheme = folder_ / L"scheme.qln";
    configuration_.ExportColors(scheme);
    t_Configuration imported(profile_, 96);
    imported.ImportColors(scheme);
    EXPECT_TRUE(imported.useWindowsTheme && imported.colors == configuration_.colors);
    // Damaged in its last colour, after the first ones read well: none of it comes in.
    std::wstring text = n_zql::n_system::n_windows::ReadTextFile(scheme);
    n_zql::n_system::n_windows::WriteTextFileAtomically(scheme, text.replace(text.rfind(L"252"), 3, L"2x2"));
    t_Configuration untouched(profile_, 96);
    untouched.ImportColors(scheme);
    EXPECT_EQ(untouched.colors, t_Configuration(profile_, 96).colors);
}

// The folders the system works in, read through the shell from the test prefix's folder settings.
TEST(KnownFolders, EachFollowsTheUsersShellFoldersAndEndsInOneBackslash) {
    const t_ScratchFolder moved(L"known-folders");
    // A Start Menu moved to the root of a drive: the shell gives "C:\", which must not become "C:\\". The moved
    // folders are given with a backslash at the end, which must not be doubled either.
    const t_RegistryOverride startMenu(userShellFoldersKey, L"Start Menu", L"C:\\", REG_EXPAND_SZ);
    const t_RegistryOverride appData(userShellFoldersKey, L"AppData", moved.Path(), REG_EXPAND_SZ);
    const t_RegistryOverride recent(userShellFoldersKey, L"Recent", moved.Path(), REG_EXPAND_SZ);
    const t_KnownFolders folders(GetModuleHandleW(nullptr));
    EXPECT_EQ(folders.UserStartMenuFolder(), L"C:\\");
    EXPECT_EQ(folders.DataFolder(), moved / L"Ombrix\\");
    EXPECT_EQ(folders.AutomaticDestinationsFolder(), moved / L"AutomaticDestinations\\");
    EXPECT_EQ(folders.CustomDestinationsFolder(), moved / L"CustomDestinations\\");
    // The program's own folder holds the built program beside the test; the common Start Menu stays where it was,
    // not the user's.
    EXPECT_NE(GetFileAttributesW((folders.ProgramFolder() + L"Ombrix.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(folders.CommonStartMenuFolder().ends_with(L"\\Start Menu\\")) << folders.CommonStartMenuFolder();
}

TEST(MemoryMappedFile, ATextIsWrittenWholeAsMarkAndUtf16AndReadBackExactly) {
    const t_ScratchFolder folder(L"mmf");
    const std::wstring path = folder / L"text.qln";
    // Quotes, line breaks, an embedded NUL and an unpaired surrogate all come back as they were.
    const std::wstring text = L"name=\"caf\u00E9\"\r\n\tnext"s + L'\0' + L"\xD800 end";
    t_MemoryMappedFile(path, true).WriteText(text);
    EXPECT_EQ(t_MemoryMappedFile(path, false).ReadText(), text);
    // A shorter text replaces the file whole: the mark, the text, no terminating NUL, nothing of the longer one.
    t_MemoryMappedFile(path, true).WriteText(L"xy");
    EXPECT_EQ(ReadFileBytes(path), "\xFF\xFEx\0y\0"s);
    // An odd length, a file too short for the mark, no mark, a big-endian mark: not our text.
    for (const std::string& bytes : {"\xFF\xFEx"s, "a"s, "a\0b\0"s, "\xFE\xFF\0a"s}) {
        WriteFileBytes(path, bytes);
        EXPECT_THROW(t_MemoryMappedFile(path, false).ReadText(), t_MemoryMappedFile::t_ErrorException) << bytes;
    }
    // Opening fails, for the callers to fall back on defaults, while a writer holds the file alone. (A missing file
    // is every new profile's, seen in the launcher's tests.)
    const t_MemoryMappedFile writer(path, true);
    EXPECT_THROW(t_MemoryMappedFile(path, false), n_zql::n_system::n_windows::t_ErrorException);
}
