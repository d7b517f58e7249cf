// The settings window as the user meets it: opened with F12 from the popup, its standard controls clicked and typed
// into, the executor editor and the shell's file dialogs driven from this process, and what Ombrix makes of the edits
// seen in its catalogue and in the configuration it saves at exit.

#include "accessible_list.h"
#include "built_program.h"
#include "scratch_folder.h"
#include "settings_driver.h"
#include "shell_link.h"

#include "config/configuration.h"
#include "system/known_folders.h"
#include "system/text_file.h"

#include "resource_ids.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <knownfolders.h>

using namespace n_ombrix_test;
using n_zql::n_system::n_windows::n_com::t_ComApartment;
using n_zql::n_system::n_windows::n_com::t_ComPtr;

namespace {

std::wstring StartMenuFolder() {
    return n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix settings test\\";
}

// The configuration file as Ombrix wrote it, without the rules that every load applies (upper-case patterns among
// them).
n_ombrix::t_Configuration SavedConfiguration() {
    n_ombrix::t_Configuration configuration(DataFolder(), 96);
    n_quillane::t_Document document;
    document.Parse(n_zql::n_system::n_windows::ReadTextFile(configuration.filePath));
    configuration.ReadDocument(document);
    return configuration;
}

// Whether the popup lists the item when its name is typed, that is, whether the catalogue holds it.
bool Finds(const t_OmbrixProcess& ombrix, std::wstring_view name) {
    EXPECT_TRUE(ombrix.Show()) << ombrix.State();
    PressKeys(name);
    const t_ComPtr<IAccessible> list = WaitForAccessibleList(ombrix.Window(), 6);
    const bool found = list && RowId(*list.Get(), name) != 0;
    EXPECT_TRUE(ombrix.Hide());
    return found;
}

class Settings : public testing::Test {
protected:
    // Every test starts without a data folder and its Start Menu folder, and leaves neither.
    void SetUp() override { TearDown(); }
    void TearDown() override {
        RemoveTree(DataFolder());
        RemoveTree(StartMenuFolder());
    }
    const t_ComApartment apartment_;
};

} // namespace

// F12 opens the window once: pressed again, it brings the same window, minimised meanwhile, back to the front. The
// accent-colour box turns the colour controls off and on. Only OK with a change is taken over, with a new catalogue;
// the title bar's close, Cancel and OK without a change leave all as it was; and Ombrix asked to end with the window
// open ends both, saving without the open edits. The new catalogue is seen by a shortcut added after the start in a
// subfolder of the Start Menu, which only a build lists: Wine reports changes in a watched folder's own entries alone
// (Windows, in its whole tree, so there the folder watcher would list it too).
TEST_F(Settings, F12OpensOneWindowWhoseOkAloneTakesAChangeOver) {
    const t_OmbrixProcess ombrix;
    // Shown once, the popup has its first catalogue: it is built before any request is answered.
    ASSERT_TRUE(ombrix.Show()) << ombrix.State();
    ASSERT_TRUE(CreateDirectoryW(StartMenuFolder().c_str(), nullptr));
    MakeShellLink(StartMenuFolder() + L"Quillwort probe.lnk", {.target = BuiltProgramPath(L"launch_recorder.exe")});

    HWND settings = OpenSettings(ombrix);
    ASSERT_NE(settings, nullptr) << "F12 opened no settings window; Ombrix " << ombrix.State();
    EXPECT_EQ(WindowText(settings), ProgramString(IDS_SETTINGS_TITLE));
    EXPECT_TRUE(IsZoomed(settings));
    ShowWindow(settings, SW_MINIMIZE);
    ASSERT_TRUE(ombrix.Show());
    PressKey({VK_F12});
    EXPECT_EQ(TopLevelWindows(L"Ombrix.Settings.Parent", ProcessOf(settings)), std::vector<HWND>{settings});
    EXPECT_TRUE(Eventually([settings] { return GetForegroundWindow() == settings && !IsIconic(settings); }))
        << "the minimised window is not brought back to the front";

    // The accent colour stands for the colour list and its schemes, which are off while it is on; its box, clicked,
    // turns it off and on again (the last click's edit goes with the title bar's close below).
    for (const bool accent : {true, false, true}) {
        EXPECT_EQ(Checked(settings, n_id::useWindowsTheme), accent);
        for (const int id : {n_id::colorList, n_id::importColors, n_id::exportColors})
            EXPECT_EQ(IsWindowEnabled(Control(settings, id)) != FALSE, !accent) << "control " << id;
        Toggle(settings, n_id::useWindowsTheme);
    }

    // Edits dropped by the title bar's close and by Cancel, then OK without an edit: nothing is taken over or rebuilt.
    Toggle(settings, n_id::showIcons);
    PostMessageW(settings, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Gone(settings));
    for (const int button : {n_id::cancel, n_id::ok}) {
        ASSERT_TRUE(settings = OpenSettings(ombrix));
        EXPECT_TRUE(Checked(settings, n_id::showIcons) && !Checked(settings, n_id::compactMode)) << "edits dropped";
        if (button == n_id::cancel) Toggle(settings, n_id::compactMode);
        Click(GetDlgItem(settings, button));
        ASSERT_TRUE(Gone(settings));
    }
    EXPECT_FALSE(Finds(ombrix, L"Quillwort probe")) << "the catalogue was built again";

    // OK with an edit: taken over, as the next window shows, and the catalogue built again.
    ASSERT_TRUE(settings = OpenSettings(ombrix));
    Toggle(settings, n_id::compactMode);
    Click(GetDlgItem(settings, n_id::ok));
    ASSERT_TRUE(Gone(settings));
    EXPECT_TRUE(Finds(ombrix, L"Quillwort probe"));
    ASSERT_TRUE(settings = OpenSettings(ombrix));
    EXPECT_TRUE(Checked(settings, n_id::compactMode));

    Toggle(settings, n_id::showIcons);
    EXPECT_TRUE(ombrix.Close()) << ombrix.State();
    EXPECT_FALSE(IsWindow(settings));
    const n_ombrix::t_Configuration saved = SavedConfiguration();
    EXPECT_TRUE(saved.compactMode && saved.useWindowsTheme);
    EXPECT_TRUE(saved.showIcons) << "the edit of the open window is not saved";
}

// A pattern typed in lower case into a new row of the hidden-shortcut list is kept in upper case. The executor editor
// opened by Add starts with the typed-command placeholder and, cancelled, adds nothing; an executor opened with F2
// and given an empty template gets the placeholder.
TEST_F(Settings, PatternsAreKeptInUpperCaseAndAnEmptyTemplateGetsThePlaceholder) {
    n_ombrix::t_Configuration configuration(DataFolder(), 96);
    configuration.customExecutors = {{L"qw", L"Quillwort", L"notepad.exe", L"/p %typed_command%", L"%TEMP%"}};
    configuration.Save();
    const t_OmbrixProcess ombrix;
    const HWND settings = OpenSettings(ombrix);
    ASSERT_NE(settings, nullptr) << "Ombrix " << ombrix.State();

    Click(Control(settings, n_id::addFilter));
    EXPECT_TRUE(
        Eventually([settings] { return SendMessageW(Control(settings, n_id::filterList), LVM_GETEDITCONTROL, 0, 0); }));
    PressKeys(L"*quillwort*");
    PressKey({VK_RETURN});

    Click(Control(settings, n_id::addExecutor));
    std::vector<HWND> editor = TopLevelWindows(L"Ombrix.Settings.Editor", ProcessOf(settings), settings);
    ASSERT_EQ(editor.size(), 1u);
    EXPECT_EQ(WindowText(editor[0]), L"Edit executor");
    EXPECT_EQ(WindowText(GetDlgItem(editor[0], n_id::editorCommandLineTemplate)), L"%typed_command%");
    Click(GetDlgItem(editor[0], IDCANCEL));
    ASSERT_TRUE(Gone(editor[0]));
    const HWND executors = Control(settings, n_id::executorList);
    EXPECT_EQ(SendMessageW(executors, LVM_GETITEMCOUNT, 0, 0), 1);

    // The first row clicked with the real pointer (the list has no header), then F2.
    POINT row{20, 8};
    ClientToScreen(executors, &row);
    Pointer(row, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    PressKey({VK_F2});
    editor = TopLevelWindows(L"Ombrix.Settings.Editor", ProcessOf(settings), settings);
    ASSERT_EQ(editor.size(), 1u) << "F2 on the executor list opened no editor";
    const HWND templateField = GetDlgItem(editor[0], n_id::editorCommandLineTemplate);
    EXPECT_EQ(WindowText(templateField), L"/p %typed_command%");
    SendMessageW(templateField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    Click(GetDlgItem(editor[0], IDOK));
    ASSERT_TRUE(Gone(editor[0]));
    Click(GetDlgItem(settings, n_id::ok));
    ASSERT_TRUE(Gone(settings));

    ASSERT_TRUE(ombrix.Close()) << ombrix.State();
    const n_ombrix::t_Configuration saved = SavedConfiguration();
    EXPECT_EQ(saved.appsShortcutsFilters, std::vector<std::wstring>{L"*QUILLWORT*"});
    ASSERT_EQ(saved.customExecutors.size(), 1u);
    EXPECT_TRUE(saved.customExecutors[0] ==
                n_ombrix::t_LaunchItem({L"qw", L"Quillwort", L"notepad.exe", L"%typed_command%", L"%TEMP%"}));
}

// A colour scheme imported through the shell's open dialog is taken over by OK; exported through the save dialog,
// which proposes "Ombrix colors" and adds the extension of the scheme files, it gives all 31 colours back.
TEST_F(Settings, AColorSchemeComesInAndGoesOutThroughTheFileDialogs) {
    const t_ScratchFolder folder(L"colors");
    n_ombrix::t_Configuration scheme(folder.Path(), 96);
    for (std::uint32_t i = 0; i < n_ombrix::colorCount; ++i)
        scheme.colors[i] = n_ombrix::Rgb(8 * i, 250 - 8 * i, 37 * i % 256);
    scheme.ExportColors(folder / L"Quillwort.qln");
    const t_OmbrixProcess ombrix;
    HWND settings = OpenSettings(ombrix);
    ASSERT_NE(settings, nullptr) << "Ombrix " << ombrix.State();
    EXPECT_FALSE(Toggle(settings, n_id::useWindowsTheme));
    Click(Control(settings, n_id::importColors));
    ChooseFile(settings, folder / L"Quillwort.qln");
    Click(GetDlgItem(settings, n_id::ok));
    ASSERT_TRUE(Gone(settings));

    ASSERT_TRUE(settings = OpenSettings(ombrix));
    Click(Control(settings, n_id::exportColors));
    EXPECT_EQ(ChooseFile(settings, folder / L"exported"), L"Ombrix colors");
    const std::wstring exportedPath = folder / L"exported.qln";
    EXPECT_TRUE(Eventually([&] { return GetFileAttributesW(exportedPath.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    n_ombrix::t_Configuration exported(folder.Path(), 96);
    exported.ImportColors(exportedPath);
    EXPECT_EQ(exported.colors, scheme.colors);
    Click(GetDlgItem(settings, n_id::cancel));
    ASSERT_TRUE(Gone(settings));

    ASSERT_TRUE(ombrix.Close()) << ombrix.State();
    const n_ombrix::t_Configuration saved = SavedConfiguration();
    EXPECT_FALSE(saved.useWindowsTheme);
    EXPECT_EQ(saved.colors, scheme.colors);
}
