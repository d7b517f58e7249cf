// Ombrix.exe carries its icon and string table. The test loads them from the built program as a data file, as the
// shell and the program itself see them.

#include "resource_ids.h"
#include "system/unique_handle.h"

#include "built_program.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace n_zql::n_system::n_windows;

TEST(ProgramResources, TheIconHasEverySizeTheShellAsksForWithAlphaAndEveryStringItsTerminator) {
    const t_Module program = n_ombrix_test::LoadBuiltProgramResources();
    ASSERT_TRUE(program) << "cannot load the built program";
    for (const int size : {16, 20, 24, 32, 48, 256}) {
        const t_Icon icon(static_cast<HICON>(
            LoadImageW(program.Get(), MAKEINTRESOURCEW(IDI_OMBRIX), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ICONINFO info{};
        ASSERT_TRUE(icon && GetIconInfo(icon.Get(), &info)) << size;
        const n_graphics::n_gdi::t_Bitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bitmap{};
        ASSERT_TRUE(GetObjectW(colour.Get(), sizeof bitmap, &bitmap));
        EXPECT_TRUE(bitmap.bmWidth == size && bitmap.bmBitsPixel == 32) << "no per-pixel alpha at " << size;
    }
    // The program reads the strings in place and takes one without its terminator, which the length counts, as missing.
    for (UINT id = IDS_FIRST; id <= IDS_LAST; ++id) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(program.Get(), id, reinterpret_cast<LPWSTR>(&text), 0);
        EXPECT_TRUE(length >= 2 && text[length - 1] == L'\0') << "string " << id << " is missing, empty or unended";
    }
}
