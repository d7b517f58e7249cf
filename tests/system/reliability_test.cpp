// Ombrix against what a long life on a real machine brings: killed while it saves, and every file it reads found
// truncated, emptied, overwritten with noise or made by someone who wants it to fail.

#include "accessible_list.h"
#include "quillwort_manifest.h"
#include "registered_package.h"
#include "scratch_folder.h"
#include "settings_driver.h"
#include "shell_link.h"

#include "catalogue/link_properties.h"
#include "quillane/document.h"
#include "system/known_folders.h"
#include "system/text_file.h"

#include <gtest/gtest.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <cstring>
#include <random>

using namespace n_ombrix_test;
using n_zql::n_system::n_windows::n_com::t_ComApartment;
using n_zql::n_system::n_windows::n_com::t_ComPtr;

namespace {

// The bytes of a text file as Ombrix writes one: UTF-16LE after its byte-order mark.
std::string TextFileBytes(std::wstring_view text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

// A document of Ombrix's format meant to hurt its reader: numbers beyond every range, 400 levels of nesting, a value
// of a million lone surrogates, a quote left open.
std::string HostileDocument(std::wstring_view root, std::wstring_view child) {
    std::wstring text = L"\"" + std::wstring(root) + L"\" \"version\"=\"99999999999999999999\"\n";
    for (int depth = 1; depth <= 400; ++depth)
        text += std::wstring(4 * depth, L' ') + L"\"" + std::wstring(child) + L"\" \"r\"=\"-4294967296\" \"\"=\"%\"\n";
    text += L"    \"" + std::wstring(child) + L"\" \"\"=\"" + std::wstring(1'000'000, L'\xD800') + L"\"\n    \"open";
    return TextFileBytes(text);
}

// A manifest that expands to a billion words if its entities are expanded, and nests 100,000 elements deep.
std::string HostileManifest() {
    std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE Package [<!ENTITY a0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        text += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) text += "&a" + std::to_string(i - 1) + ";";
        text += "\">";
    }
    text += "]>\n<Package><Applications><Application Id=\"&a9;\" Executable=\"&a9;\">";
    for (int i = 0; i < 100'000; ++i) text += "<a>";
    return text;
}

// A shell link whose header claims every part, the first of them as large as can be said.
std::string HostileLink() {
    std::string bytes(0x4C + 4098, '\xFF');
    return bytes.replace(0, 20, std::string("\x4C\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 20));
}

// The compound file with every sector chain of its allocation table made a loop onto itself.
std::string LoopedCompoundFile(std::string bytes) {
    std::uint32_t firstTableSector = 0;
    std::memcpy(&firstTableSector, bytes.data() + 0x4C, sizeof firstTableSector);
    const std::size_t table = (firstTableSector + 1) * 512u;
    for (std::uint32_t entry = 0; entry < 128 && table + 4 * entry + 4 <= bytes.size(); ++entry)
        std::memcpy(bytes.data() + table + 4 * entry, &entry, sizeof entry);
    return bytes;
}

// A list of jump-list categories, as many as can be counted, the first with a name 65,535 characters long.
std::string HostileCustomDestinations() {
    return std::string("\x02\0\0\0\xFF\xFF\xFF\xFF\0\0\0\0\xFF\xFF", 14) + std::string(64, 'A');
}

class Reliability : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        RemoveTree(DataFolder());
        RemoveTree(startMenu_);
    }
    const std::wstring startMenu_ =
        n_ombrix::KnownFolderPath(FOLDERID_StartMenu) + L"Programs\\Ombrix reliability test\\";
};

} // namespace

// Killed at 200 random moments of its save at close, Ombrix leaves both files whole every time: each reads back as the
// version from before the close or the one the close writes. The tool that does the killing says how the kills fell.
TEST_F(Reliability, KilledDuringItsSaveItLeavesEveryFileOldOrNew) {
    const auto tool = StartProcess(L"\"" + BuiltProgramPath(L"interrupted_saves.exe") + L"\" 200");
    ASSERT_TRUE(tool);
    DWORD code = 0;
    ASSERT_EQ(WaitForSingleObject(tool.Get(), 240'000), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeProcess(tool.Get(), &code));
    EXPECT_EQ(code, 0u) << "1: a file read back damaged; 2: Ombrix did not start or close";
}

// Every file Ombrix reads from outside, truncated, empty, random or hostile: Ombrix starts, shows its popup with the
// jump list's application current, takes a colour scheme in through the settings window, and ends with exit code 0.
// Its own files are whole again after the close; the shell's jump-list files, which it could not read, are left
// byte for byte as they were.
TEST_F(Reliability, DamagedInputsNeitherStopItNorGetRewritten) {
    const t_ComApartment apartment;
    const t_ScratchFolder scratch(L"damaged");
    CreateDirectoryW(startMenu_.c_str(), nullptr);
    MakeShellLink(startMenu_ + L"Explorer.lnk", {.target = BuiltProgramPath(L"launch_recorder.exe")});
    AddLinkProperties(startMenu_ + L"Explorer.lnk",
                      {{n_ombrix::appUserModelIdKey, std::wstring(L"Microsoft.Windows.Explorer")}});
    MakeShellLink(startMenu_ + L"Damaged.lnk", {.target = BuiltProgramPath(L"launch_recorder.exe")});
    const t_RegisteredPackage package(L"Quillwort.Notes_abc", L"Quillwort.Notes_1.0.0.0_x64__abc", scratch.Path(), 1);
    const std::wstring recent = n_ombrix::KnownFolderPath(FOLDERID_Recent);
    const std::wstring automatic = recent + L"AutomaticDestinations\\f01b4d95cf55d32a.automaticDestinations-ms",
                       custom = recent + L"CustomDestinations\\f01b4d95cf55d32a.customDestinations-ms";
    for (const wchar_t* folder : {L"AutomaticDestinations", L"CustomDestinations"})
        SHCreateDirectoryExW(nullptr, (recent + folder).c_str(), nullptr);
    const std::string scheme = ReadFileBytes(BuiltProgramPath(L"schemes\\Ombrix Dark.qln")),
                      jumpList = ReadFileBytes(OMBRIX_SHARED_TESTDATA_WINDOWS
                                               L"\\jumplists\\win10-f01b4d95cf55d32a.automaticDestinations-ms");

    struct t_Input {
        const char* name;
        std::wstring path;
        std::string sound, hostile;
        bool shellFile;
    };
    const t_Input inputs[] = {
        {"configuration", DataFolder() + L"Configuration.qln", scheme, HostileDocument(L"Ombrix", L"colors"), false},
        {"history", DataFolder() + L"History.qln",
         TextFileBytes(L"\"Ombrix History\"\n    \"default executor\" \"\"=\"notepad.exe\" \"\"=\"cmd /k dir\"\n"),
         HostileDocument(L"Ombrix History", L"default executor"), false},
        {"colour scheme", scratch / L"Imported.qln", scheme, HostileDocument(L"Ombrix", L"colors"), false},
        {"package manifest", scratch / L"AppxManifest.xml", quillwortManifest, HostileManifest(), false},
        {"shell link", startMenu_ + L"Damaged.lnk", ReadFileBytes(startMenu_ + L"Damaged.lnk"), HostileLink(), false},
        {"automatic destinations", automatic, jumpList, LoopedCompoundFile(jumpList), true},
        {"custom destinations", custom,
         ReadFileBytes(OMBRIX_SHARED_TESTDATA_WINDOWS L"\\jumplists\\win7-5afe4de1b92fc382.customDestinations-ms"),
         HostileCustomDestinations(), true},
    };
    std::mt19937 random(20261206);
    for (const t_Input& input : inputs) {
        for (const char* damage : {"truncated", "empty", "random", "hostile"}) {
            SCOPED_TRACE(std::string(input.name) + ", " + damage);
            std::string bytes = input.sound.substr(0, input.sound.size() / 2);
            if (damage[0] == 'e') bytes.clear();
            if (damage[0] == 'r')
                for (char& byte : bytes.append(input.sound.size() - bytes.size(), 0)) byte = static_cast<char>(random());
            if (damage[0] == 'h') bytes = input.hostile;
            RemoveTree(DataFolder());
            CreateDirectoryW(DataFolder().c_str(), nullptr);
            WriteFileBytes(input.path, bytes);

            const t_OmbrixProcess ombrix;
            ASSERT_TRUE(ombrix.Show()) << "Ombrix " << ombrix.State();
            // The application whose jump list the two shell files hold, found by its name typed and made current.
            PressKeys(L"explorer");
            const t_ComPtr<IAccessible> list = WaitForAccessibleList(ombrix.Window(), 6);
            ASSERT_TRUE(list);
            LONG row = 0;
            ASSERT_TRUE(Eventually([&] { return (row = RowId(*list.Get(), L"Explorer")) != 0; }));
            ASSERT_EQ(list->accSelect(SELFLAG_TAKESELECTION, Child(row)), S_OK);
            EXPECT_EQ(Number(&IAccessible::get_accState, *list.Get(), row) & STATE_SYSTEM_SELECTED,
                      STATE_SYSTEM_SELECTED);
            if (input.path == scratch / L"Imported.qln") {
                const HWND settings = OpenSettings(ombrix);
                ASSERT_NE(settings, nullptr) << "Ombrix " << ombrix.State();
                Toggle(settings, n_id::useWindowsTheme);
                Click(Control(settings, n_id::importColors));
                ChooseFile(settings, input.path);
                Click(GetDlgItem(settings, n_id::ok));
                EXPECT_TRUE(Gone(settings));
            }
            EXPECT_TRUE(ombrix.Close()) << ombrix.State();

            EXPECT_TRUE(!input.shellFile || ReadFileBytes(input.path) == bytes) << "a jump-list file was rewritten";
            for (const wchar_t* own : {L"Configuration.qln", L"History.qln"})
                EXPECT_NO_THROW(n_quillane::t_Document().Parse(
                    n_zql::n_system::n_windows::ReadTextFile(DataFolder() + own)));
            WriteFileBytes(input.path, input.sound);
        }
    }
    DeleteFileW(automatic.c_str());
    DeleteFileW(custom.c_str());
}
