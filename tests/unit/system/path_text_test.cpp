#include "system/path_text.h"

#include <gtest/gtest.h>

using namespace n_zql::n_system;

TEST(PathText, FolderEndsAtTheLastSeparatorOfEitherKindAndOneBackslashIsAdded) {
    EXPECT_EQ(FolderOfPath(L"C:\\Tools/Ombrix/Ombrix.exe"), L"C:\\Tools/Ombrix/");
    EXPECT_EQ(FolderOfPath(L"C:/Tools\\Ombrix.exe"), L"C:/Tools\\");
    EXPECT_EQ(FolderOfPath(L"Ombrix.exe"), L"");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\Users\\me"), L"C:\\Users\\me\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(WithTrailingBackslash(L""), L"\\");
}
