// Ombrix.exe carries its manifest, version, icon, string table and context menus. The tests load them from the
// built program as a data file, as the shell and the program itself see them.

#include "resource_ids.h"
#include "system/module_file_name.h"
#include "system/path_text.h"
#include "system/unique_handle.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace n_zql::n_system::n_windows;

namespace {

using n_ombrix_test::BuiltProgramPath;

class ProgramResources : public testing::Test {
protected:
    void SetUp() override {
        program_ = n_ombrix_test::LoadBuiltProgramResources();
        ASSERT_TRUE(program_) << "cannot load " << std::string(BuiltProgramPath().begin(), BuiltProgramPath().end());
    }
    HMODULE Program() const { return program_.Get(); }

    std::string Manifest() const {
        HRSRC resource = FindResourceW(Program(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
        if (!resource) return {};
        const auto* data = static_cast<const char*>(LockResource(LoadResource(Program(), resource)));
        return std::string(data, SizeofResource(Program(), resource));
    }

private:
    t_Module program_;
};

} // namespace

TEST_F(ProgramResources, ManifestAsksForCommonControls6SystemDpiAndWindows10) {
    const std::string manifest = Manifest();
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true"),
              std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos); // Windows 10 and 11
}

TEST_F(ProgramResources, IconGroupHasEverySizeTheShellAsksFor) {
    for (int size : {16, 20, 24, 32, 48, 256}) {
        const t_Icon icon(static_cast<HICON>(LoadImageW(Program(), MAKEINTRESOURCEW(IDI_OMBRIX), IMAGE_ICON, size,
                                                        size, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        const n_graphics::n_gdi::t_Bitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        ASSERT_TRUE(GetObjectW(colour.Get(), sizeof bitmap, &bitmap));
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmBitsPixel, 32) << "per-pixel alpha at " << size;
    }
}

TEST_F(ProgramResources, VersionInformationNamesTheProduct) {
    const std::wstring path = BuiltProgramPath();
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    wchar_t* name = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductName", reinterpret_cast<void**>(&name),
                               &length));
    EXPECT_STREQ(name, L"Ombrix");
}

TEST_F(ProgramResources, EveryStringIsPresentAndStoredWithItsTerminator) {
    for (UINT id = IDS_FIRST; id <= IDS_LAST; ++id) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(Program(), id, reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GE(length, 2) << "string " << id << " is missing or empty";
        EXPECT_EQ(text[length - 1], L'\0') << "string " << id << " has no terminator";
    }
    const wchar_t* language = nullptr;
    ASSERT_EQ(LoadStringW(Program(), IDS_LANGUAGE, reinterpret_cast<LPWSTR>(&language), 0), 3);
    EXPECT_STREQ(language, L"en");
}

TEST_F(ProgramResources, ContextMenusCarryTheirFixedCommands) {
    const t_Menu menu(LoadMenuW(Program(), MAKEINTRESOURCEW(IDM_CONTEXT_MENUS)));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu.Get()), 6);

    const auto commandsOf = [&](int submenu) {
        std::vector<UINT> commands;
        HMENU popup = GetSubMenu(menu.Get(), submenu);
        for (int i = 0; popup && i < GetMenuItemCount(popup); ++i)
            if (const UINT id = GetMenuItemID(popup, i); id != 0 && id != static_cast<UINT>(-1)) commands.push_back(id);
        return commands;
    };
    // The power menu: actions 1 to 7, in this order.
    EXPECT_EQ(commandsOf(0), (std::vector<UINT>{40001, 40002, 40003, 40004, 40005, 40006, 40007}));
    EXPECT_EQ(commandsOf(1), (std::vector<UINT>{40008, 40009, 40010}));
    EXPECT_EQ(commandsOf(2), (std::vector<UINT>{40008, 40009, 40010, 40012, 40013}));
    EXPECT_EQ(commandsOf(3), (std::vector<UINT>{40008, 40011, 40012, 40013}));
    EXPECT_EQ(commandsOf(4), (std::vector<UINT>{40008, 40011, 40012, 40013}));
    EXPECT_EQ(commandsOf(5), (std::vector<UINT>{40008}));
}
