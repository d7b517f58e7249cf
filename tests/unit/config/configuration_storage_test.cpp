// The configuration's file and registry value, on real files and the test prefix's registry.

#include "config/configuration.h"

#include "registry_override.h"
#include "scratch_folder.h"
#include "system/module_file_name.h"
#include "system/unique_handle.h"

#include <gtest/gtest.h>

#include <optional>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value "Ombrix" as text, or nothing when it is absent; a value of another type reads as "(type N)".
std::optional<std::wstring> RunValue() {
    n_zql::n_system::n_windows::t_RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), L"Ombrix", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ) return L"(type " + std::to_wstring(type) + L")";
    std::wstring data(size / sizeof(wchar_t), L'\0');
    RegQueryValueExW(key.Get(), L"Ombrix", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    while (!data.empty() && data.back() == L'\0') data.pop_back();
    return data;
}

t_Configuration LoadedFrom(const t_ScratchFolder& folder, std::int32_t dpi = 96) {
    t_Configuration configuration(folder.Path(), dpi);
    configuration.Load();
    return configuration;
}

class ConfigurationStorage : public testing::Test {
protected:
    t_ScratchFolder folder_{L"configuration"};
    // Whatever the Run value was, it is put back after the test.
    t_RegistryOverride runValue_{runKey, L"Ombrix", L"placeholder"};
};

} // namespace

TEST_F(ConfigurationStorage, SavedFileHoldsTheTreeAndLoadsBackTheSame) {
    t_Configuration saved(folder_.Path(), 96);
    saved.ResetToDefaults();
    saved.compactMode = true;
    saved.colors[3] = Rgb(9, 8, 7);
    saved.popupWidth.current = 800;
    saved.Save();

    const std::string bytes = ReadFileBytes(saved.filePath);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.size() % 2, 0u);
    EXPECT_NE(bytes.substr(bytes.size() - 2), std::string("\0\0", 2)); // no terminating NUL
    EXPECT_EQ(GetFileAttributesW((saved.filePath + L".new").c_str()), INVALID_FILE_ATTRIBUTES);

    const t_Configuration loaded = LoadedFrom(folder_);
    EXPECT_TRUE(loaded.compactMode);
    EXPECT_EQ(loaded.colors[3], Rgb(9, 8, 7));
    EXPECT_EQ(loaded.popupWidth.current, 800);
    EXPECT_EQ(loaded.customExecutors, FactoryExecutors());
    EXPECT_EQ(loaded.appsShortcutsFilters, FactoryFilters());
}

TEST_F(ConfigurationStorage, DamagedOrForeignFilesLeaveTheDefaults) {
    const std::wstring path = folder_ / L"Configuration.qln";
    for (const std::string& bytes : {std::string("width=700"), std::string("\xFF\xFE" "w\0", 5),
                                     std::string("\xFF\xFE" "n\0o\0t\0 \0q\0l\0n\0", 16)}) {
        WriteFileBytes(path, bytes);
        const t_Configuration loaded = LoadedFrom(folder_);
        EXPECT_EQ(loaded.popupWidth.current, 621);
        EXPECT_EQ(loaded.appsShortcutsLocations, DefaultAppsShortcutsLocations());
    }
    // Without a byte-order mark the text is not read at all, however good it is.
    t_Configuration saved(folder_.Path(), 96);
    saved.compactMode = true;
    saved.Save();
    std::string bytes = ReadFileBytes(path);
    WriteFileBytes(path, bytes.substr(2));
    EXPECT_FALSE(LoadedFrom(folder_).compactMode);
}

TEST_F(ConfigurationStorage, AFailedSaveLeavesTheOldFileWhole) {
    t_Configuration first(folder_.Path(), 96);
    first.compactMode = true;
    first.Save();
    const std::string before = ReadFileBytes(first.filePath);

    // The temporary file cannot be created: a folder stands in its place.
    ASSERT_TRUE(CreateDirectoryW((first.filePath + L".new").c_str(), nullptr));
    t_Configuration second(folder_.Path(), 96);
    second.Save();
    EXPECT_EQ(ReadFileBytes(first.filePath), before);
    EXPECT_TRUE(LoadedFrom(folder_).compactMode);
}

TEST_F(ConfigurationStorage, AutostartIsTheRunValue) {
    t_Configuration configuration(folder_.Path(), 96);
    configuration.autostart = true;
    configuration.Save();
    EXPECT_EQ(RunValue(), n_zql::n_system::n_windows::ModuleFileName(nullptr)); // full path, unquoted
    EXPECT_TRUE(LoadedFrom(folder_).autostart);

    configuration.autostart = false;
    configuration.Save();
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_FALSE(LoadedFrom(folder_).autostart);

    // Only a string value counts.
    const t_RegistryOverride expandable(runKey, L"Ombrix", L"C:\\Ombrix.exe", REG_EXPAND_SZ);
    EXPECT_FALSE(LoadedFrom(folder_).autostart);
}

TEST_F(ConfigurationStorage, ColourSchemesExportAndImport) {
    t_Configuration source(folder_.Path(), 96);
    source.colors[0] = Rgb(1, 2, 3);
    source.colors[30] = Rgb(250, 251, 252);
    source.useWindowsTheme = false;
    const std::wstring scheme = folder_ / L"scheme.qln";
    source.ExportColors(scheme);

    t_Configuration target(folder_.Path(), 96);
    target.ImportColors(scheme);
    EXPECT_EQ(target.colors, source.colors);
    EXPECT_TRUE(target.useWindowsTheme); // a scheme carries colours only

    // A damaged scheme changes nothing.
    WriteFileBytes(scheme, "\xFF\xFE" "x\0");
    t_Configuration untouched(folder_.Path(), 96);
    untouched.ImportColors(scheme);
    untouched.ImportColors(folder_ / L"missing.qln");
    EXPECT_EQ(untouched.colors[0], colorTable[0].defaultValue);
}
