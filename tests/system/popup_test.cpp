// The popup as the user meets it: Ombrix.exe started with shortcuts in the user's Start Menu, shown by the show
// request, placed on the work area with its seven panes, its list read through the accessibility interface.

#include "accessible_list.h"
#include "built_program.h"
#include "launch_record.h"
#include "link_property_writer.h"
#include "ombrix_process.h"
#include "scratch_folder.h"
#include "shell_link.h"

#include "catalogue/link_properties.h"
#include "system/com_ptr.h"
#include "system/known_folders.h"
#include "ui/window_messages.h"

#include "resource_ids.h"

#include <gtest/gtest.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <thread>
#include <tuple>

using namespace n_ombrix_test;
using n_zql::n_system::n_windows::n_com::t_ComApartment;
using n_zql::n_system::n_windows::n_com::t_ComPtr;

namespace {

// A folder of shortcuts in the user's real Start Menu, removed at the end.
class t_StartMenuFolder {
public:
    explicit t_StartMenuFolder(std::initializer_list<const wchar_t*> names)
        : path_(n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix popup test\\") {
        RemoveTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
        for (const wchar_t* name : names)
            MakeShellLink(path_ + name + L".lnk",
                          {.target = t_LaunchRecord::RecorderPath(), .arguments = L"--" + std::wstring(name)});
    }
    const std::wstring& Path() const noexcept { return path_; }
    t_StartMenuFolder(const t_StartMenuFolder&) = delete;
    t_StartMenuFolder& operator=(const t_StartMenuFolder&) = delete;
    ~t_StartMenuFolder() { RemoveTree(path_); }

private:
    std::wstring path_;
};

bool BecomesVisible(HWND window, bool visible) {
    for (int tries = 0; tries < 250; ++tries, Sleep(20))
        if ((IsWindowVisible(window) != FALSE) == visible) return true;
    return false;
}

// A pane's rectangle in the popup's client coordinates.
RECT PaneRect(HWND popup, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(popup, id), &rect);
    MapWindowPoints(HWND_DESKTOP, popup, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PressKey(std::initializer_list<WORD> chord);
void PressKeys(std::wstring_view text);

// A string of the program's table, as the program shows it.
std::wstring ProgramString(unsigned id) {
    const n_zql::n_system::n_windows::t_Module program = LoadBuiltProgramResources();
    const wchar_t* text = nullptr;
    const int length = LoadStringW(program.Get(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length) - 1) : std::wstring();
}

// The search box's text, with its selection as "|start-end" when asked. WM_GETTEXT itself: GetWindowTextW would give
// another process's edit control's caption, which is empty.
std::wstring BoxText(HWND popup, bool withSelection = false) {
    const HWND box = GetDlgItem(popup, 2);
    wchar_t text[512]{};
    SendMessageW(box, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    if (!withSelection) return text;
    const auto selection = static_cast<DWORD>(SendMessageW(box, EM_GETSEL, 0, 0));
    return std::wstring(text) + L"|" + std::to_wstring(LOWORD(selection)) + L"-" + std::to_wstring(HIWORD(selection));
}

// The pane that has the keyboard focus in the popup's process, by its control id.
int FocusedPane(HWND popup) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(popup, nullptr), &thread);
    return GetDlgCtrlID(thread.hwndFocus);
}

// A rectangle as its four edges, which the test framework compares and prints.
std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

} // namespace

TEST(Popup, TheShowRequestPlacesItOnTheWorkAreaWithItsPanesAndTheStartMenu) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{L"Alpha", L"Beta"};
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
    for (int id = 1; id <= 7; ++id) EXPECT_EQ(Edges(PaneRect(popup, id)), Edges(panes[id - 1])) << "pane " << id;

    // The list shows the Start Menu's shortcuts, read as a screen reader reads them.
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(popup, 6);
    ASSERT_TRUE(list);
    const std::vector<std::wstring> names = RowNames(*list.Get());
    EXPECT_TRUE(std::ranges::find(names, L"Ombrix popup test") != names.end()) << names.size() << " rows";
    // Nothing current has a jump list: the side pane shows the places list, its commands under their headers.
    const t_ComPtr<IAccessible> side = WaitForAccessibleList(popup, 7);
    ASSERT_TRUE(side);
    const std::vector<std::wstring> places = RowNames(*side.Get());
    ASSERT_EQ(places.size(), 10u) << "two headers and eight commands, without places";
    EXPECT_EQ(places.front(), ProgramString(IDS_WINDOWS_HEADER));
    EXPECT_EQ(places.back(), ProgramString(IDS_EXIT));

    // Another window's activation hides it; the request for the run box while shown switches without hiding.
    ombrix.Post(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_TRUE(BecomesVisible(popup, false));
    ASSERT_TRUE(ombrix.Show());
    PostMessageW(popup, n_ombrix::MSG_SHOW_POPUP, 0, 1);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(RowNames(*list.Get()), std::vector<std::wstring>{}) << "the run box lists the history, empty here";

    // F5 reloads: a shortcut added since the start is listed after it.
    const std::wstring added = n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix reload probe.lnk";
    MakeShellLink(added, {.target = t_LaunchRecord::RecorderPath()});
    PressKey({VK_F5});
    EXPECT_TRUE(BecomesVisible(popup, false)) << "F5 hides the popup for the reload";
    ASSERT_TRUE(ombrix.Show());
    const std::vector<std::wstring> reloaded = RowNames(*list.Get());
    EXPECT_TRUE(std::ranges::find(reloaded, L"Ombrix reload probe") != reloaded.end());
    DeleteFileW(added.c_str());

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}

TEST(Popup, ACommandThatCannotRunComesBackSelectedAtTheNextShow) {
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show(true)) << ombrix.State();
    const HWND box = GetDlgItem(popup, 2);
    const std::wstring typed = L"\"C:\\no such folder\\missing.exe\" /x";
    for (const wchar_t unit : typed) PostMessageW(box, WM_CHAR, unit, 0);
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(BecomesVisible(popup, false)) << "the run hides the popup";

    ASSERT_TRUE(ombrix.Show(true));
    EXPECT_EQ(BoxText(popup, true), typed + L"|0-" + std::to_wstring(typed.size()));

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}

// The shell's jump list of an application, from a file Windows 10 wrote for Explorer, beside the item of a Start Menu
// shortcut that carries Explorer's application identity.
TEST(Popup, TheSidePaneShowsTheJumpListOfTheCurrentApplication) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{L"Alpha", L"Explorer"};
    AddLinkProperties(startMenu.Path() + L"Explorer.lnk",
                      {{n_ombrix::appUserModelIdKey, std::wstring(L"Microsoft.Windows.Explorer")}});
    const std::wstring jumpList = n_ombrix::KnownFolderPath(FOLDERID_Recent) +
                                  L"AutomaticDestinations\\f01b4d95cf55d32a.automaticDestinations-ms";
    SHCreateDirectoryExW(nullptr, (n_ombrix::KnownFolderPath(FOLDERID_Recent) + L"AutomaticDestinations").c_str(),
                         nullptr);
    ASSERT_TRUE(
        CopyFileW(OMBRIX_SHARED_TESTDATA_WINDOWS L"\\jumplists\\win10-f01b4d95cf55d32a.automaticDestinations-ms",
                  jumpList.c_str(), FALSE));
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();

    // The folder opens in place; choosing Explorer in it puts its jump list beside it.
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(popup, 6);
    ASSERT_TRUE(list);
    const auto rowOf = [&](const wchar_t* name) {
        const std::vector<std::wstring> names = RowNames(*list.Get());
        return static_cast<LONG>(std::ranges::find(names, name) - names.begin()) + 1;
    };
    ASSERT_EQ(list->accDoDefaultAction(Child(rowOf(L"Ombrix popup test"))), S_OK);
    ASSERT_EQ(list->accSelect(SELFLAG_TAKESELECTION, Child(rowOf(L"Explorer"))), S_OK);
    const t_ComPtr<IAccessible> side = WaitForAccessibleList(popup, 7);
    ASSERT_TRUE(side);
    std::vector<std::wstring> rows;
    for (int tries = 0; tries < 100 && (rows.empty() || rows.front() != ProgramString(207)); ++tries, Sleep(50))
        rows = RowNames(*side.Get());
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), ProgramString(207)) << "the pinned entries' header first";
    EXPECT_GT(rows.size(), 5u);

    // Delete on an entry removes it from the shell's own file: the jump list read again has one entry less.
    ASSERT_EQ(side->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(static_cast<LONG>(rows.size()))), S_OK);
    Sleep(200);
    PressKey({VK_DELETE});
    std::vector<std::wstring> after;
    for (int tries = 0; tries < 100 && (after = RowNames(*side.Get())).size() == rows.size(); ++tries) Sleep(50);
    EXPECT_EQ(after.size(), rows.size() - 1);

    // Back to a shortcut without a jump list: the places list again.
    ASSERT_EQ(list->accSelect(SELFLAG_TAKESELECTION, Child(rowOf(L"Alpha"))), S_OK);
    for (int tries = 0; tries < 100 && rows.front() != ProgramString(IDS_WINDOWS_HEADER); ++tries, Sleep(50))
        rows = RowNames(*side.Get());
    EXPECT_EQ(rows.front(), ProgramString(IDS_WINDOWS_HEADER));

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    DeleteFileW(jumpList.c_str());
}

// The About box is modal to Ombrix's thread: a screen reader's default action on its row returns once it closes.
TEST(Popup, TheAboutBoxOpensFromThePlacesList) {
    const t_ComApartment apartment;
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();
    const t_ComPtr<IAccessible> side = WaitForAccessibleList(popup, 7);
    ASSERT_TRUE(side);
    const std::vector<std::wstring> names = RowNames(*side.Get());
    const auto about = std::ranges::find(names, ProgramString(IDS_ABOUT));
    ASSERT_NE(about, names.end());
    const LONG id = static_cast<LONG>(about - names.begin()) + 1;
    std::thread reader([popup, id] {
        const t_ComApartment readerApartment;
        if (const t_ComPtr<IAccessible> pane = WaitForAccessibleList(popup, 7)) pane->accDoDefaultAction(Child(id));
    });
    HWND dialog = nullptr;
    for (int tries = 0; tries < 250 && !dialog; ++tries, Sleep(20)) dialog = FindWindowW(nullptr, L"About Ombrix");
    EXPECT_TRUE(dialog) << "no About box";
    EXPECT_FALSE(IsWindowVisible(popup)) << "the popup hides first";
    if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
    reader.join();

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}

// Characters as the run box's user types them: completion from the history as they come, none after a Backspace,
// the history's candidates on Up, Escape to hide.
TEST(Popup, TheRunBoxCompletesFromTheHistoryAndTheKeysMoveAndHide) {
    const std::wstring data = n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix\\";
    RemoveTree(data);
    CreateDirectoryW(data.c_str(), nullptr);
    const std::wstring history = L"\"Ombrix History\"\n    \"default executor\" \"\"=\"notepad\" \"\"=\"winemine\"\n";
    WriteFileBytes(data + L"History.qln",
                   "\xFF\xFE" + std::string(reinterpret_cast<const char*>(history.data()), history.size() * 2));
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show(true)) << ombrix.State();
    const HWND box = GetDlgItem(popup, 2);
    const auto text = [&] { return BoxText(popup, true); };
    const auto type = [&](std::wstring_view units) {
        for (const wchar_t unit : units) SendMessageW(box, WM_CHAR, unit, 0);
    };

    type(L"no");
    EXPECT_EQ(text(), L"notepad|2-7") << "the rest of the history's entry, selected";
    type(L"\b");
    EXPECT_EQ(text(), L"no|2-2") << "no completion again after a Backspace";
    type(L"\b");
    SendMessageW(box, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(text(), L"winemine|8-8") << "Up: the last of the entries that hold an n";
    SendMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(popup));

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    RemoveTree(data);
}

namespace {

// Real key presses, as the keyboard gives them, to whatever window has the focus.
void PressKeys(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t unit : text) {
        INPUT press{};
        press.type = INPUT_KEYBOARD;
        press.ki.wScan = unit;
        press.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(press);
        press.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(press);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(300);
}

// The keys of a chord pressed in order and released in the reverse order.
void PressKey(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs(chord.size() * 2);
    std::size_t i = 0;
    for (const WORD key : chord) {
        inputs[i].type = inputs[inputs.size() - 1 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[inputs.size() - 1 - i].ki.wVk = key;
        inputs[inputs.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        ++i;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(200);
}

} // namespace

TEST(Popup, TypingANameAndEnterLaunchesTheShortcut) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{};
    MakeShellLink(startMenu.Path() + L"Quillwort Recorder.lnk",
                  {.target = t_LaunchRecord::RecorderPath(), .arguments = L"--typed"});
    const t_LaunchRecord record(startMenu.Path());
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();
    Sleep(300);
    PressKeys(L"quillw");
    PressKey({VK_RETURN});
    EXPECT_EQ(record.Wait().parameters, L"--typed");
    EXPECT_TRUE(BecomesVisible(popup, false)) << "a launch hides the popup";
    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}

// The run box from the keyboard alone: a typed command runs and heads its executor's history at the next show, Up
// brings it back, Ctrl+Space completes a path, Tab goes round the three panes, a digit is typed unless Alt is held,
// when it is a power action (1 locks: the popup hides first; under Wine locking does nothing).
TEST(Popup, TheKeyboardAloneRunsRecallsCompletesCyclesAndLocks) {
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
    ASSERT_TRUE(BecomesVisible(popup, false)) << "the run hides the popup";

    ASSERT_TRUE(ombrix.Show(true));
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(popup, 6);
    ASSERT_TRUE(list);
    EXPECT_EQ(RowNames(*list.Get()), std::vector<std::wstring>{command});
    PressKey({VK_UP});
    EXPECT_EQ(BoxText(popup), command);

    PressKey({VK_ESCAPE});
    ASSERT_TRUE(BecomesVisible(popup, false));
    ASSERT_TRUE(ombrix.Show(true));
    PressKeys(folder.Path() + L"quillwort-c");
    PressKey({VK_CONTROL, VK_SPACE});
    EXPECT_EQ(BoxText(popup, true), folder / L"quillwort-complete.txt|" + std::to_wstring(folder.Path().size() + 11) +
                                        L"-" + std::to_wstring(folder.Path().size() + 22));

    std::vector<int> focused;
    for (const auto chord : {std::initializer_list<WORD>{VK_TAB}, {VK_TAB}, {VK_TAB}, {VK_SHIFT, VK_TAB}}) {
        PressKey(chord);
        focused.push_back(FocusedPane(popup));
    }
    EXPECT_EQ(focused, (std::vector<int>{6, 7, 2, 7})) << "the list, the side pane, the box; Shift goes back";

    PressKey({VK_TAB});
    PressKeys(L"1");
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(BoxText(popup).back(), L'1');
    PressKey({VK_MENU, '1'});
    EXPECT_TRUE(BecomesVisible(popup, false)) << "Alt+1: the first power action";

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    RemoveTree(n_ombrix::KnownFolderPath(FOLDERID_RoamingAppData) + L"Ombrix");
}

namespace {

// The real pointer: moved to a point on the screen, then a button pressed and released there.
void ClickAt(POINT point, bool right) {
    SetCursorPos(point.x, point.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

} // namespace

// A right click on a shortcut opens its menu, whose "copy" puts its command into the search box; on a folder it opens
// nothing.
TEST(Popup, ARightClickOnAShortcutOffersToCopyItsCommand) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{L"Alpha", L"Beta"};
    const std::wstring link = n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Aardvark Recorder.lnk";
    MakeShellLink(link, {.target = t_LaunchRecord::RecorderPath(), .arguments = L"--copied"});
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(popup, 6);
    ASSERT_TRUE(list);
    const std::vector<std::wstring> names = RowNames(*list.Get());
    const auto middleOf = [&](const wchar_t* name) {
        long left = 0, top = 0, width = 0, height = 0;
        const LONG id = static_cast<LONG>(std::ranges::find(names, name) - names.begin()) + 1;
        list->accLocation(&left, &top, &width, &height, Child(id));
        return POINT{left + width / 2, top + height / 2};
    };

    ClickAt(middleOf(L"Ombrix popup test"), true);
    Sleep(500);
    PressKey({VK_ESCAPE}); // were a menu open, this closes it; none should be
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(popup) == FALSE) << "no menu took the Escape, so the popup hid";
    ASSERT_TRUE(ombrix.Show());
    Sleep(300);

    ClickAt(middleOf(L"Aardvark Recorder"), true);
    Sleep(500);
    PressKeys(L"c"); // the menu's "Copy to the search box"
    EXPECT_EQ(BoxText(popup), L"\"" + t_LaunchRecord::RecorderPath() + L"\" --copied");

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    DeleteFileW(link.c_str());
}

// The launch button slid to the left far enough runs the typed command with administrator rights (under Wine a
// request for them runs the program as it is); released short of that, or clicked, it does not slide.
TEST(Popup, TheLaunchButtonSlidToTheLeftRunsTheTypedCommand) {
    const t_ScratchFolder folder(L"launch-slide");
    const t_LaunchRecord record(folder.Path());
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show(true)) << ombrix.State();
    Sleep(300);
    PressKeys(L"\"" + t_LaunchRecord::RecorderPath() + L"\" --slid");
    RECT button{};
    GetWindowRect(GetDlgItem(popup, 3), &button);
    const POINT start{button.left + (button.right - button.left) * 3 / 4, (button.top + button.bottom) / 2};
    SetCursorPos(start.x, start.y);
    const auto mouse = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        Sleep(30);
    };
    const auto slide = [&](int steps) {
        SetCursorPos(start.x, start.y);
        mouse(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= steps; ++step) {
            SetCursorPos(start.x - step * 10, start.y);
            mouse(MOUSEEVENTF_MOVE);
        }
        mouse(MOUSEEVENTF_LEFTUP);
        Sleep(300);
    };
    slide(3); // 30 px: a slide, short of the 58-px range at 96 DPI less the drag tolerance
    EXPECT_TRUE(IsWindowVisible(popup)) << "a short slide runs nothing (a click would have run and hidden it)";
    slide(10); // 100 px: past the range
    EXPECT_EQ(record.Wait().parameters, L"--slid");
    EXPECT_FALSE(IsWindowVisible(popup));

    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}

// The list as a screen reader meets it: rows named by their captions, the current one selected, their places on the
// screen, and a row run through its default action, for real.
TEST(Popup, AScreenReaderReadsTheListAndRunsARow) {
    const t_ComApartment apartment;
    const t_StartMenuFolder startMenu{L"Alpha", L"Beta", L"Gamma"};
    const t_LaunchRecord record(startMenu.Path()); // before the start: launched programs inherit where to record
    const t_OmbrixProcess ombrix;
    const HWND popup = ombrix.Window();
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();
    const t_ComPtr<IAccessible> accessible = WaitForAccessibleList(popup, 6);
    ASSERT_TRUE(accessible);
    IAccessible& list = *accessible.Get();

    // The folder opens in place, current, its three shortcuts under it.
    std::vector<std::wstring> names = RowNames(list);
    const auto folder = static_cast<LONG>(std::ranges::find(names, L"Ombrix popup test") - names.begin()) + 1;
    ASSERT_EQ(list.accDoDefaultAction(Child(folder)), S_OK);
    names = RowNames(list);
    ASSERT_GE(names.size(), static_cast<std::size_t>(folder + 3));
    EXPECT_EQ(std::vector<std::wstring>(names.begin() + folder, names.begin() + folder + 3),
              (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    EXPECT_EQ(Number(&IAccessible::get_accRole, list, CHILDID_SELF), ROLE_SYSTEM_LIST);
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

    // The default action runs the row's shortcut.
    ASSERT_EQ(list.accDoDefaultAction(Child(folder + 2)), S_OK);
    EXPECT_EQ(record.Wait().parameters, L"--Beta");
    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
}
