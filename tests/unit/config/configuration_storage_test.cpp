// The configuration's file and registry value, on real files and the test prefix's registry.

#include "config/configuration.h"

#include "registry_override.h"
#include "scratch_folder.h"
#include "system/module_file_name.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;
using n_zql::n_system::n_windows::ModuleFileName;

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

TEST_F(ConfigurationStorage, ASaveMakesTheDataFolderAndLoadsBackButADamagedOrForeignFileGivesTheDefaults) {
    configuration_.compactMode = true;
    configuration_.colors[3] = Rgb(9, 8, 7);
    configuration_.Save();
    EXPECT_EQ(GetFileAttributesW((configuration_.filePath + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(Loaded().compactMode);
    EXPECT_EQ(Loaded().colors[3], Rgb(9, 8, 7));
    for (const std::string& bytes : {std::string("compactMode=1"), std::string("\xFF\xFEn\0o\0t\0 \0q\0l\0n\0", 16)}) {
        WriteFileBytes(configuration_.filePath, bytes);
        EXPECT_FALSE(Loaded().compactMode);
    }
}

TEST_F(ConfigurationStorage, AFailedSaveLeavesTheOldFileWhole) {
    configuration_.compactMode = true;
    configuration_.Save();
    const std::string before = ReadFileBytes(configuration_.filePath);
    // The temporary file cannot be created: a folder stands in its place.
    ASSERT_TRUE(CreateDirectoryW((configuration_.filePath + L".new").c_str(), nullptr));
    t_Configuration(profile_, 96).Save();
    EXPECT_EQ(ReadFileBytes(configuration_.filePath), before);
    EXPECT_TRUE(Loaded().compactMode);
}

TEST_F(ConfigurationStorage, AutostartIsTheRunValue) {
    for (const bool autostart : {true, false}) {
        configuration_.autostart = autostart;
        configuration_.Save();
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, runKey, L"Ombrix", RRF_RT_REG_SZ, nullptr, value, &size);
        // The program's full path, unquoted, as a string value; none when off.
        EXPECT_EQ(status == ERROR_SUCCESS ? value : L"(none)", autostart ? ModuleFileName(nullptr) : L"(none)");
        EXPECT_EQ(Loaded().autostart, autostart);
    }
    // Only a string value counts.
    const t_RegistryOverride expandable(runKey, L"Ombrix", L"C:\\Ombrix.exe", REG_EXPAND_SZ);
    EXPECT_FALSE(Loaded().autostart);
}

TEST_F(ConfigurationStorage, AColourSchemeCarriesColoursOnlyAndADamagedOneChangesNothing) {
    configuration_.colors[0] = Rgb(1, 2, 3);
    configuration_.colors[30] = Rgb(250, 251, 252);
    configuration_.useWindowsTheme = false;
    configuration_.ExportColors(folder_ / L"scheme.qln");
    t_Configuration imported(profile_, 96), untouched(profile_, 96);
    imported.ImportColors(folder_ / L"scheme.qln");
    EXPECT_EQ(imported.colors, configuration_.colors);
    EXPECT_TRUE(imported.useWindowsTheme);
    WriteFileBytes(folder_ / L"scheme.qln", std::string("\xFF\xFEx\0", 4));
    untouched.ImportColors(folder_ / L"scheme.qln");
    EXPECT_EQ(untouched.colors, t_Configuration(profile_, 96).colors);
}
