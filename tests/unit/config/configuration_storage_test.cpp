// The configuration's file and registry value, on real files and the test prefix's registry.

#include "config/configuration.h"

#include "registry_override.h"
#include "scratch_folder.h"
#include "system/module_file_name.h"

#include <gtest/gtest.h>

using namespace n_ombrix;
using namespace n_ombrix_test;

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

TEST_F(ConfigurationStorage, AutostartIsTheRunValue) {
    for (const bool autostart : {true, false}) {
        configuration_.autostart = autostart;
        configuration_.Save();
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        RegGetValueW(HKEY_CURRENT_USER, runKey, L"Ombrix", RRF_RT_REG_SZ | RRF_ZEROONFAILURE, nullptr, value, &size);
        // The program's full path, unquoted, as a string value; none when off.
        EXPECT_EQ(std::wstring(value), autostart ? n_zql::n_system::n_windows::ModuleFileName(nullptr) : L"");
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
    t_Configuration imported(profile_, 96);
    imported.ImportColors(folder_ / L"scheme.qln");
    EXPECT_TRUE(imported.useWindowsTheme);
    WriteFileBytes(folder_ / L"scheme.qln", std::string("\xFF\xFEx\0", 4));
    imported.ImportColors(folder_ / L"scheme.qln");
    EXPECT_EQ(imported.colors, configuration_.colors);
}
