// Ombrix.exe carries its icon and string table. The tests load them from the built program as a data file, as the
// shell and the program itself see them.

#include "resource_ids.h"
#include "system/unique_handle.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace n_zql::n_system::n_windows;

TEST(ProgramResources, IconGroupHasEverySizeTheShellAsksForWithAlpha) {
    const t_Module program = n_ombrix_test::LoadBuiltProgramResources();
    ASSERT_TRUE(program) << "cannot load the built program";
    for (int size : {16, 20, 24, 32, 48, 256}) {
        const t_Icon icon(static_cast<HICON>(
            LoadImageW(program.Get(), MAKEINTRESOURCEW(IDI_OMBRIX), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
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

TEST(ProgramResources, EveryStringIsPresentAndStoredWithItsTerminator) {
    const t_Module program = n_ombrix_test::LoadBuiltProgramResources();
    ASSERT_TRUE(program) << "cannot load the built program";
    for (UINT id = IDS_FIRST; id <= IDS_LAST; ++id) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(program.Get(), id, reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GE(length, 2) << "string " << id << " is missing or empty";
        EXPECT_EQ(text[length - 1], L'\0') << "string " << id << " has no terminator";
    }
}
