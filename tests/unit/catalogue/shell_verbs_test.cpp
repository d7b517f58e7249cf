// Opening shell objects. Only what Wine can show without opening windows: objects that cannot be opened give false.

#include "catalogue/shell_verbs.h"

#include "system/com_ptr.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using namespace n_ombrix;
using namespace n_zql::n_system::n_windows;

TEST(ShellVerbs, NothingToOpenGivesFalse) {
    const n_com::t_ComApartment apartment;
    EXPECT_FALSE(InvokeDefaultVerb(nullptr));
    EXPECT_FALSE(OpenWithApplication(nullptr, L"Notepad"));

    // A shell item is not a context menu itself: no default verb to run.
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(folder, MAX_PATH), 0u);
    n_com::t_ComPtr<IShellItem> item;
    ASSERT_TRUE(SUCCEEDED(SHCreateItemFromParsingName(folder, nullptr, IID_PPV_ARGS(item.Put()))));
    EXPECT_FALSE(InvokeDefaultVerb(item.Get()));
}
