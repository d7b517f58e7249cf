// The item list as a screen reader meets it, from another process: its rows, their names, states and places
// through AccessibleObjectFromWindow, and a row run through its default action, for real.

#include "accessible_list.h"
#include "launch_record.h"
#include "ombrix_process.h"
#include "scratch_folder.h"
#include "shell_link.h"

#include "system/com_ptr.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>

using namespace n_ombrix_test;
using n_zql::n_system::n_windows::n_com::t_ComApartment;
using n_zql::n_system::n_windows::n_com::t_ComPtr;

TEST(ItemListAccessibility, AScreenReaderReadsTheRowsAndRunsOne) {
    const t_ComApartment apartment;
    const t_ScratchFolder folder(L"accessible-list");
    std::wstring links;
    for (const std::wstring name : {L"Alpha", L"Beta", L"Gamma"}) {
        const std::wstring link = folder / (name + L".lnk");
        MakeShellLink(link, {.target = t_LaunchRecord::RecorderPath(), .arguments = L"--" + name});
        links += L"\"" + link + L"\" ";
    }
    const t_LaunchRecord record(folder.Path()); // before the start: launched programs inherit where to record
    const t_OmbrixProcess host(L"item_list_host.exe", links, L"Ombrix.ItemListHost");
    ASSERT_TRUE(host.Window()) << host.State();
    // The host's window shows before its panes are made: wait for the list to answer as ours.
    const t_ComPtr<IAccessible> accessible = WaitForAccessibleList(host.Window(), 6);
    ASSERT_TRUE(accessible) << "the list never answered";
    const HWND list = GetDlgItem(host.Window(), 6);
    IAccessible& object = *accessible.Get();

    // A list of three items named by their captions; the first is current since the list took the focus.
    EXPECT_EQ(RowNames(object), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    for (LONG id = 1; id <= 3; ++id) {
        EXPECT_EQ(Number(&IAccessible::get_accRole, object, id), ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, object, id), L"Open");
    }
    EXPECT_EQ(Number(&IAccessible::get_accState, object, 1) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);
    EXPECT_EQ(Number(&IAccessible::get_accState, object, 4), -1) << "no fourth row";

    // Selecting moves the current row; a row's place is on the screen, one row height below the one before.
    ASSERT_EQ(object.accSelect(SELFLAG_TAKESELECTION, Child(3)), S_OK);
    EXPECT_EQ(Number(&IAccessible::get_accState, object, 1) & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(Number(&IAccessible::get_accState, object, 3) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);
    long left[3]{}, top[3]{}, width[3]{}, height[3]{};
    for (LONG id = 1; id <= 2; ++id)
        ASSERT_EQ(object.accLocation(&left[id], &top[id], &width[id], &height[id], Child(id)), S_OK);
    RECT listRect{};
    GetWindowRect(list, &listRect);
    EXPECT_EQ(std::pair(left[1], top[1]), std::pair(listRect.left, listRect.top));
    EXPECT_EQ(top[2], top[1] + height[1]);
    EXPECT_EQ(width[1], listRect.right - listRect.left);

    // The default action runs the row's shortcut.
    ASSERT_EQ(object.accDoDefaultAction(Child(2)), S_OK);
    EXPECT_EQ(record.Wait().parameters, L"--Beta");

    host.Post(WM_CLOSE);
    EXPECT_EQ(host.WaitForExit(), 0u) << host.State();
}
