// The configuration's rules over documents given as text: which values are believed, in which order reading stops,
// and what every load does afterwards.

#include "config/configuration.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace n_ombrix;

namespace {

// The root with widths 700 and 320 at 96 DPI and every option off its default.
std::wstring Root(const std::wstring& showIcons = L"0") {
    return LR"("Ombrix" "DPI"="96" "width"="700" "appslist width"="320" "show icons"=")" + showIcons +
           LR"(" "extract content from folders with single item"="0" "handle jumplists"="0" "handle modern apps"="0")"
           LR"( "compact mode"="1" "exclude folders from search results"="1")";
}

// Every setting off its default; reading stops at the broken executor.
const std::wstring handWritten = Root() + L"\n" + LR"(    "colors" "use windows theme"="0"
        "frame" "r"="256" "g"="0" "b"="0"
        "app icon fallback background" "r"="10" "g"="20" "b"="30"
    "apps shortcuts locations"
        "" "path"="D:\\Apps"
        "" "path"=""
        "" "path"="%LOCALAPPDATA%\\Microsoft\\Windows\\Application Shortcuts"
        "" "path"="%localappdata%\\Microsoft\\Windows\\Application Shortcuts"
    "places shortcuts locations"
        "" "path"="D:\\Places"
    "apps shortcuts filters"
        "" "pattern"="Read Me.Txt"
    "custom executors"
        "" "short caption"="cmd" "executable path"="cmd" "command line template"="/K %typed_command%"
        "" "short caption"="broken" "executable path"="x.exe"
        "" "short caption"="later" "executable path"="y.exe" "command line template"="%typed_command%"
)";

// Loads the text into a new configuration at the given DPI, as Load() does.
t_Configuration Loaded(const std::wstring& text, std::int32_t dpi = 96) {
    n_quillane::t_Document document;
    document.Parse(text);
    t_Configuration configuration(L"C:\\data\\", dpi);
    try {
        configuration.ReadDocument(document);
    } catch (...) {
    }
    configuration.Normalise();
    return configuration;
}

// Everything but the widths and the file path.
auto Settings(const t_Configuration& c) {
    return std::tie(c.appsShortcutsLocations, c.placesShortcutsLocations, c.appsShortcutsFilters, c.customExecutors,
                    c.colors, c.autostart, c.showIcons, c.compactMode, c.extractSingleItemFolders,
                    c.excludeFoldersFromSearch, c.handleJumplists, c.handleModernApps, c.useWindowsTheme);
}

} // namespace

TEST(Configuration, WidthsFollowTheSavedDpiAndLeaveTheListRoomAndReadingStopsAtTheFirstBadValue) {
    for (const auto& [attributes, dpi, popup, list] : std::initializer_list<std::tuple<const wchar_t*, int, int, int>>{
             {LR"("DPI"="24" "width"="621" "appslist width"="300")", 96, 2484, 1200}, // DPI believed: 24 to 1536
             {LR"("DPI"="1536" "width"="15360" "appslist width"="300")", 96, 960, 300},
             // Others count as 96, giving the same physical widths.
             {LR"("DPI"="23" "width"="621" "appslist width"="300")", 144, 931, 450},
             {LR"("DPI"="96" "width"="319" "appslist width"="300")", 144, 931, 450}, // too narrow: default (931.5)
             {LR"("DPI"="96" "width"="15361" "appslist width"="300")", 96, 621, 300},
             {LR"("DPI"="96" "width"="400" "appslist width"="380")", 96, 400, 200}, // 400 < 380 + 1 + 50 + 20
             {LR"("DPI"="96" "width"="451" "appslist width"="380")", 96, 451, 380},
             {LR"("DPI"="96" "width"="320" "appslist width"="300")", 96, 320, 160},
             {LR"("DPI"="96" "width"="15360" "appslist width"="15201")", 96, 15360, 300},
             {LR"("DPI"="24" "width"="2000000000" "appslist width"="300")", 1536, 9936, 4968}, // no wrap-around
             {LR"("DPI"="96" "width"="+700" "appslist width"=" 310")", 96, 700, 300},          // a sign, but no blank
         }) {
        const t_Configuration c = Loaded(L"\"Ombrix\" " + std::wstring(attributes), dpi);
        EXPECT_EQ(std::pair(c.popupWidth.current, c.appsListWidth.current), std::pair(popup, list)) << attributes;
    }
    // A bad width comes first: nothing after it is read, not even the valid options.
    EXPECT_TRUE(Loaded(LR"("Ombrix" "width"="wide" "appslist width"="300" "DPI"="96" "show icons"="0")").showIcons);
    // compact mode is read after show icons: it is set only when show icons converts.
    for (const auto& [text, showIcons] : std::initializer_list<std::pair<const wchar_t*, int>>{
             {L"1", 1}, {L"001", 1}, {L"+1", 1}, {L"-0", 0}, {L"2", -1}, {L"true", -1}, {L" 1", -1}, {L"", -1}}) {
        const t_Configuration loaded = Loaded(Root(text));
        EXPECT_EQ(loaded.compactMode ? int{loaded.showIcons} : -1, showIcons) << text;
    }
}

TEST(Configuration, AHandWrittenFileIsCleanedUpAfterLoadingAndEditedSettingsAreWrittenResetAndAssigned) {
    t_Configuration loaded = Loaded(handWritten);
    // A channel above 255 leaves that colour alone; missing colours keep theirs.
    EXPECT_EQ(std::tuple(loaded.colors[0], loaded.colors[2], loaded.colors[30], loaded.useWindowsTheme),
              std::tuple(colorTable[0].defaultValue, colorTable[2].defaultValue, 0x1E140Au, false));
    // Empty entries are skipped; the removal is exact and case-sensitive.
    EXPECT_EQ(loaded.appsShortcutsLocations,
              (std::vector<std::wstring>{L"D:\\Apps", L"%localappdata%\\Microsoft\\Windows\\Application Shortcuts"}));
    EXPECT_EQ(loaded.appsShortcutsFilters, std::vector<std::wstring>{L"READ ME.TXT"});
    // The executors before the first one without what it needs to run (a template, a caption, a program) are kept.
    EXPECT_EQ(loaded.customExecutors, (std::vector<t_LaunchItem>{{L"cmd", L"", L"cmd", L"/K %typed_command%", L""}}));
    for (const wchar_t* broken : {LR"("short caption"="" "executable path"="mmc" "command line template"="%x")",
                                  LR"("short caption"="mmc" "command line template"="%x")"}) {
        const std::wstring text = handWritten.substr(0, handWritten.find(L"        \"\" \"short caption\"=\"broken"));
        EXPECT_EQ(Loaded(text + L"        \"\" " + broken + L"\n").customExecutors, loaded.customExecutors) << broken;
    }
    // A list that held only the removed entry stays empty: the defaults are applied before the removal.
    const t_Configuration lone = Loaded(Root() + L"\n" + LR"(    "apps shortcuts locations"
        "" "path"="%LOCALAPPDATA%\\Microsoft\\Windows\\Application Shortcuts")");
    EXPECT_TRUE(lone.appsShortcutsLocations.empty() &&
                lone.placesShortcutsLocations == DefaultPlacesShortcutsLocations());

    // Written and read on another screen: the same settings, the widths rescaled.
    t_Configuration other(L"D:\\elsewhere\\", 240);
    other.ReadDocument(loaded.WriteDocument());
    EXPECT_EQ(Settings(other), Settings(loaded));
    // Resetting and assigning take every setting but leave the widths and the file path alone.
    t_Configuration factory(L"", 96);
    factory.ResetToDefaults();
    loaded.autostart = other.autostart = false; // autostart is kept apart, in the registry
    loaded.ResetToDefaults();
    EXPECT_EQ(Settings(loaded), Settings(factory));
    other.AssignEdited(loaded);
    EXPECT_EQ(Settings(other), Settings(factory));
    EXPECT_EQ(
        std::tuple(loaded.popupWidth.current, other.popupWidth.current, other.appsListWidth.current, other.filePath),
        std::tuple(700, 1750, 800, std::wstring(L"D:\\elsewhere\\Configuration.qln")));
}
