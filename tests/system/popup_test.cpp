// The popup as the user meets it: Ombrix.exe started with shortcuts in the user's Start Menu, shown by the show
// request, driven by real key presses and pointer clicks, its lists read through the accessibility interface.

#include "accessible_list.h"
#include "launch_record.h"
#include "ombrix_process.h"
#include "real_input.h"
#include "scratch_folder.h"
#include "shell_link.h"

#include "catalogue/link_properties.h"
#include "system/known_folders.h"

#include "resource_ids.h"

#include <gtest/gtest.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <thread>
#include <tuple>

using namespace n_ombrix_test;
using n_zql::n_system::n_windows::n_com::t_ComApartment;
using n_zql::n_system::n_windows::n_com::t_ComPtr;

namespace {

// A folder of shortcuts to launch_recorder.exe in the user's real Start Menu, removed at the end.
struct t_StartMenuFolder {
    explicit t_StartMenuFolder(std::initializer_list<const wchar_t*> names) {
        RemoveTree(path);
        CreateDirectoryW(path.c_str(), nullptr);
        for (const wchar_t* name : names)
            MakeShellLink(path + name + L".lnk",
                          {.target = t_LaunchRecord::RecorderPath(), .arguments = L"--" + std::wstring(name)});
    }
    t_StartMenuFolder(const t_StartMenuFolder&) = delete;
    ~t_StartMenuFolder() { RemoveTree(path); }

    const std::wstring path = n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix popup test\\";
};

// The search box's text, with its selection as "|start-end" when asked.
std::wstring BoxText(HWND popup, bool withSelection = false) {
    const HWND box = GetDlgItem(popup, 2);
    const std::wstring text = WindowText(box);
    if (!withSelection) return text;
    const auto selection = static_cast<DWORD>(SendMessageW(box, EM_GETSEL, 0, 0));
    return text + L"|" + std::to_wstring(LOWORD(selection)) + L"-" + std::to_wstring(HIWORD(selection));
}

// A rectangle as its four edges, which the test framework compares and prints.
std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// A right click in the middle of the list's row of that name.
void RightClick(IAccessible& list, std::wstring_view name) {
    long left = 0, top = 0, width = 0, height = 0;
    list.accLocation(&left, &top, &width, &height, Child(RowId(list, name)));
    Pointer({left + width / 2, top + height / 2}, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
    Sleep(500);
}

} // namespace

// The show request places the popup on the work area with its seven panes, the Start Menu in its list and the places
// list beside it. Another window's activation hides it, F5 reloads the list, the About box opens from the places
// list, and a right click on a shortcut offers to copy its command (on a folder it opens nothing).
TEST(Popup, TheShowRequestPlacesItWithItsListsAndTheirCommands) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{L"Alpha", L"Beta"};
    RemoveTree(n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix"); // an empty history
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();

    // The work area's top-left corner, its height, the configured width (621 px at 96 DPI) unless it is narrower.
    RECT work{}, window{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(popup, &window);
    const LONG width = std::min<LONG>(621, work.right - work.left);
    EXPECT_EQ(Edges(window), Edges({work.left, work.top, work.left + width, work.bottom}));

    // At 96 DPI: U = 20, W1 = 50, the strip of U + 1 off the client area, the list 300 wide.
    const LONG cw = width - 21, ch = work.bottom - work.top;
    const RECT panes[] = {{0, 20, 50, 60},       {50, 20, cw - 250, 60}, {cw - 250, 20, cw - 50, 60},
                          {cw - 50, 20, cw, 60}, {0, 80, 50, ch - 20},   {50, 80, 350, ch - 20},
                          {350, 80, cw, ch - 20}};
    for (int id = 1; id <= 7; ++id) {
        RECT pane{};
        GetWindowRect(GetDlgItem(popup, id), &pane);
        MapWindowPoints(HWND_DESKTOP, popup, reinterpret_cast<POINT*>(&pane), 2);
        EXPECT_EQ(Edges(pane), Edges(panes[id - 1])) << "pane " << id;
    }

    // Nothing current has a jump list: the side pane shows the places list, its commands under their headers.
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(popup, 6), side = WaitForAccessibleList(popup, 7);
    ASSERT_TRUE(list && side);
    EXPECT_EQ(WaitForFirstRow(*side.Get(), ProgramString(IDS_WINDOWS_HEADER)).size(), 10u)
        << "two headers and eight commands, without places";

    // The request for the run box while shown switches without hiding.
    ombrix.Post(n_ombrix::MSG_SHOW_POPUP, 0, 1);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(RowNames(*list.Get()), std::vector<std::wstring>{}) << "the run box lists the history, empty here";

    // F5 reloads: a shortcut added since the start is listed after it.
    const std::wstring added = n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix reload probe.lnk";
    MakeShellLink(added, {.target = t_LaunchRecord::RecorderPath(), .arguments = L"--copied"});
    PressKey({VK_F5});
    EXPECT_TRUE(ombrix.Hides()) << "F5 hides the popup for the reload";
    ASSERT_TRUE(ombrix.Show());
    EXPECT_NE(RowId(*list.Get(), L"Ombrix reload probe"), 0);

    // The About box is modal to Ombrix's thread: a screen reader's default action on its row returns once it closes.
    const LONG about = RowId(*side.Get(), ProgramString(IDS_ABOUT));
    ASSERT_NE(about, 0);
    std::thread reader([popup, about] {
        const t_ComApartment readerApartment;
        if (const t_ComPtr<IAccessible> pane = WaitForAccessibleList(popup, 7)) pane->accDoDefaultAction(Child(about));
    });
    HWND dialog = nullptr;
    EXPECT_TRUE(Eventually([&] { return (dialog = FindWindowW(nullptr, L"About Ombrix")) != nullptr; }))
        << "no About box";
    EXPECT_FALSE(IsWindowVisible(popup)) << "the popup hides first";
    if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
    reader.join();

    // A right click on the folder opens no menu, so the Escape after it hides the popup; on the shortcut it opens the
    // menu whose "Copy to the search box" puts its command there.
    ASSERT_TRUE(ombrix.Show());
    Sleep(300);
    RightClick(*list.Get(), L"Ombrix popup test");
    PressKey({VK_ESCAPE});
    EXPECT_TRUE(ombrix.Hides()) << "no menu took the Escape";
    ASSERT_TRUE(ombrix.Show());
    Sleep(300);
    RightClick(*list.Get(), L"Ombrix reload probe");
    PressKeys(L"c");
    EXPECT_EQ(BoxText(popup), L"\"" + t_LaunchRecord::RecorderPath() + L"\" --copied");

    // Without F5: a shortcut added while Ombrix runs is listed, and gone once removed, when the changes have settled.
    // Wine reports changes in a watched folder's own files only (Windows, in its whole tree): the shortcut goes into
    // the Start Menu's own folder. Another window's activation hides the popup.
    const std::wstring watched = n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Ombrix watch probe.lnk";
    for (const bool listed : {true, false}) {
        ASSERT_TRUE(ombrix.Hide());
        if (listed)
            MakeShellLink(watched, {.target = t_LaunchRecord::RecorderPath()});
        else
            DeleteFileW(watched.c_str());
        // Two seconds of quiet, then the build; a build not done by the show comes right after the next hide.
        bool seen = !listed;
        for (int look = 0; look < 4 && seen != listed; ++look) {
            Sleep(look == 0 ? 3500 : 1000);
            ASSERT_TRUE(ombrix.Show());
            seen = RowId(*list.Get(), L"Ombrix watch probe") != 0;
            ASSERT_TRUE(ombrix.Hide());
        }
        EXPECT_EQ(seen, listed);
    }

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    DeleteFileW(added.c_str());
}

// The run box from the keyboard alone: a typed command runs and heads its executor's history at the next show, where
// Up brings it back and a first character completes it (but not after a Backspace); Ctrl+Space completes a path, Tab
// goes round the three panes, a digit is typed unless Alt is held, when it is a power action (1 locks: the popup hides
// first; under Wine locking does nothing). The launch button slid to the left far enough runs the typed command with
// administrator rights (under Wine a request for them runs the program as it is); released short of that it runs
// nothing. A command that cannot run comes back selected at the next show.
TEST(Popup, TheRunBoxFromRealKeysAndThePointer) {
    const t_ComApartment apartment;
    const t_ScratchFolder folder(L"keys");
    WriteFileBytes(folder / L"quillwort-complete.txt", "");
    const t_LaunchRecord record(folder.Path());
    RemoveTree(n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix"); // an empty history
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show(true)) << ombrix.State();
    const std::wstring command = L"\"" + t_LaunchRecord::RecorderPath() + L"\" --keyed";
    PressKeys(command);
    PressKey({VK_RETURN});
    EXPECT_EQ(record.Wait().parameters, L"--keyed");
    ASSERT_TRUE(ombrix.Hides()) << "the run hides the popup";

    ASSERT_TRUE(ombrix.Show(true));
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(popup, 6);
    ASSERT_TRUE(list);
    EXPECT_EQ(RowNames(*list.Get()), std::vector<std::wstring>{command});
    PressKey({VK_UP});
    EXPECT_EQ(BoxText(popup), command);

    PressKey({VK_ESCAPE});
    ASSERT_TRUE(ombrix.Hides());
    ASSERT_TRUE(ombrix.Show(true));
    PressKeys(L"\"");
    EXPECT_EQ(BoxText(popup, true), command + L"|1-" + std::to_wstring(command.size())) << "the rest, selected";
    PressKey({VK_BACK});
    EXPECT_EQ(BoxText(popup, true), L"\"|1-1") << "no completion again after a Backspace";
    PressKey({VK_BACK});
    PressKeys(folder.Path() + L"quillwort-c");
    PressKey({VK_CONTROL, VK_SPACE});
    EXPECT_EQ(BoxText(popup, true), folder / L"quillwort-complete.txt|" + std::to_wstring(folder.Path().size() + 11) +
                                        L"-" + std::to_wstring(folder.Path().size() + 22));

    // The pane that has the keyboard focus in the popup's process, by its control id, after each press.
    std::vector<int> focused;
    for (const auto chord : {std::initializer_list<WORD>{VK_TAB}, {VK_TAB}, {VK_TAB}, {VK_SHIFT, VK_TAB}}) {
        PressKey(chord);
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(popup, nullptr), &thread);
        focused.push_back(GetDlgCtrlID(thread.hwndFocus));
    }
    EXPECT_EQ(focused, (std::vector<int>{6, 7, 2, 7})) << "the list, the side pane, the box; Shift goes back";

    PressKey({VK_TAB});
    PressKeys(L"1");
    EXPECT_EQ(BoxText(popup).back(), L'1') << "without Alt, a digit is typed";
    PressKey({VK_MENU, '1'});
    EXPECT_TRUE(ombrix.Hides()) << "Alt+1: the first power action";

    ASSERT_TRUE(ombrix.Show(true));
    PressKeys(L"\"" + t_LaunchRecord::RecorderPath() + L"\" --slid");
    RECT button{};
    GetWindowRect(GetDlgItem(popup, 3), &button);
    const POINT start{button.left + (button.right - button.left) * 3 / 4, (button.top + button.bottom) / 2};
    const auto slide = [&](int steps) {
        Pointer(start, {MOUSEEVENTF_LEFTDOWN});
        for (int step = 1; step <= steps; ++step) Pointer({start.x - step * 10, start.y}, {MOUSEEVENTF_MOVE});
        Pointer({start.x - steps * 10, start.y}, {MOUSEEVENTF_LEFTUP});
        Sleep(300);
    };
    slide(3); // 30 px: a slide, short of the 58-px range at 96 DPI less the drag tolerance
    EXPECT_TRUE(IsWindowVisible(popup)) << "a short slide runs nothing (a click would have run and hidden it)";
    slide(10); // 100 px: past the range
    EXPECT_EQ(record.Wait().parameters, L"--slid");
    ASSERT_TRUE(ombrix.Hides());

    ASSERT_TRUE(ombrix.Show(true));
    const std::wstring missing = L"\"C:\\no such folder\\missing.exe\" /x";
    PressKeys(missing);
    PressKey({VK_RETURN});
    ASSERT_TRUE(ombrix.Hides()) << "the run hides the popup";
    ASSERT_TRUE(ombrix.Show(true));
    EXPECT_EQ(BoxText(popup, true), missing + L"|0-" + std::to_wstring(missing.size()));

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    RemoveTree(n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix");
}

// The list as a screen reader meets it: rows named by their captions, the current one selected, their places on the
// screen, and a row run through its default action, for real. The current row's application has its jump list beside
// the list (from a file Windows 10 wrote for Explorer, on a shortcut that carries Explorer's application identity),
// where Delete removes an entry. A shortcut's name typed and Enter run it too.
TEST(Popup, AScreenReaderReadsAndRunsTheListWithTheJumpListOfTheCurrentApplicationBesideIt) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{L"Alpha", L"Beta", L"Explorer", L"Gamma"};
    AddLinkProperties(startMenu.path + L"Explorer.lnk",
                      {{n_ombrix::appUserModelIdKey, std::wstring(L"Microsoft.Windows.Explorer")}});
    const std::wstring recent = n_ombrix::KnownFolderPath(FOLDERID_Recent) + L"AutomaticDestinations\\";
    SHCreateDirectoryExW(nullptr, recent.c_str(), nullptr);
    const std::wstring jumpList = recent + L"f01b4d95cf55d32a.automaticDestinations-ms";
    ASSERT_TRUE(
        CopyFileW(OMBRIX_SHARED_TESTDATA_WINDOWS L"\\jumplists\\win10-f01b4d95cf55d32a.automaticDestinations-ms",
                  jumpList.c_str(), FALSE));
    const t_LaunchRecord record(startMenu.path); // before the start: launched programs inherit where to record
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();
    const t_ComPtr<IAccessible> accessible = WaitForAccessibleList(popup, 6), side = WaitForAccessibleList(popup, 7);
    ASSERT_TRUE(accessible && side);
    IAccessible& list = *accessible.Get();

    // The folder opens in place, current, its shortcuts under it.
    const LONG folder = RowId(list, L"Ombrix popup test");
    ASSERT_EQ(list.accDoDefaultAction(Child(folder)), S_OK);
    LONG row = folder;
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Explorer", L"Gamma"}) EXPECT_EQ(RowId(list, name), ++row) << name;
    EXPECT_EQ(Number(&IAccessible::get_accRole, list, folder + 1), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, list, folder), L"Collapse");
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, list, folder + 1), L"Open");
    EXPECT_EQ(Number(&IAccessible::get_accState, list, folder) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);

    // Selecting moves the current row; a row's place is on the screen, one row height below the one before.
    ASSERT_EQ(list.accSelect(SELFLAG_TAKESELECTION, Child(folder + 3)), S_OK);
    EXPECT_EQ(Number(&IAccessible::get_accState, list, folder) & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(Number(&IAccessible::get_accState, list, folder + 3) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);
    long left[2]{}, top[2]{}, width[2]{}, height[2]{};
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(list.accLocation(&left[i], &top[i], &width[i], &height[i], Child(folder + 1 + i)), S_OK);
    RECT pane{};
    GetWindowRect(GetDlgItem(popup, 6), &pane);
    EXPECT_EQ(std::tuple(left[0], width[0], top[1]), std::tuple(pane.left, pane.right - pane.left, top[0] + height[0]));

    // Explorer, now current, has its jump list beside the list, the pinned entries first. Delete on an entry removes
    // it from the shell's own file: the jump list read again has one entry less.
    const std::vector<std::wstring> rows = WaitForFirstRow(*side.Get(), ProgramString(IDS_PINNED_HEADER));
    ASSERT_GT(rows.size(), 5u);
    ASSERT_EQ(side->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(static_cast<LONG>(rows.size()))), S_OK);
    Sleep(200);
    PressKey({VK_DELETE});
    EXPECT_TRUE(Eventually([&] { return RowNames(*side.Get()).size() == rows.size() - 1; }));
    // Back to a shortcut without a jump list: the places list again.
    ASSERT_EQ(list.accSelect(SELFLAG_TAKESELECTION, Child(folder + 1)), S_OK);
    EXPECT_FALSE(WaitForFirstRow(*side.Get(), ProgramString(IDS_WINDOWS_HEADER)).empty());

    // The default action runs the row's shortcut; so does its name typed and Enter. A launch hides the popup.
    ASSERT_EQ(list.accDoDefaultAction(Child(folder + 2)), S_OK);
    EXPECT_EQ(record.Wait().parameters, L"--Beta");
    ASSERT_TRUE(ombrix.Hides());
    ASSERT_TRUE(ombrix.Show());
    PressKeys(L"gamm");
    PressKey({VK_RETURN});
    EXPECT_EQ(record.Wait().parameters, L"--Gamma");
    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    DeleteFileW(jumpList.c_str());
}
