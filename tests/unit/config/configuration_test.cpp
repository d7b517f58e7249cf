// The configuration's rules, over documents built in memory: which values are believed, in which order reading
// stops, and what every load does afterwards.

#include "config/configuration.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <utility>

using namespace n_ombrix;
using n_quillane::t_Document;
using n_quillane::t_Element;

namespace {

using t_Attributes = std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>;

const t_Attributes validRoot{{L"DPI", L"96"},
                             {L"width", L"700"},
                             {L"appslist width", L"320"},
                             {L"extract content from folders with single item", L"0"},
                             {L"show icons", L"0"},
                             {L"handle jumplists", L"0"},
                             {L"handle modern apps", L"0"},
                             {L"compact mode", L"1"},
                             {L"exclude folders from search results", L"1"}};

// A configuration document in the file's layout, with the root's attributes given.
class t_ConfigurationText {
public:
    explicit t_ConfigurationText(t_Attributes rootAttributes) : root_(document_.CreateRoot(L"Ombrix")) {
        for (const auto& [name, value] : rootAttributes) document_.AddAttribute(root_, name, value);
    }
    t_Element Child(const wchar_t* name) { return document_.AppendChild(root_, name); }
    t_Element Entry(t_Element list, t_Attributes attributes) {
        const t_Element entry = document_.AppendChild(list, L"");
        for (const auto& [name, value] : attributes) document_.AddAttribute(entry, name, value);
        return entry;
    }
    t_Element Color(t_Element colors, const wchar_t* name, const wchar_t* r, const wchar_t* g, const wchar_t* b) {
        const t_Element color = document_.AppendChild(colors, name);
        document_.AddAttribute(color, L"r", r);
        document_.AddAttribute(color, L"g", g);
        document_.AddAttribute(color, L"b", b);
        return color;
    }
    void Attribute(t_Element element, const wchar_t* name, const wchar_t* value) {
        document_.AddAttribute(element, name, value);
    }

    // Loads the document into a fresh configuration at the given DPI, as Load() does.
    t_Configuration LoadedAt(std::int32_t dpi) {
        t_Configuration configuration(L"C:\\data\\", dpi);
        try {
            configuration.ReadDocument(document_);
        } catch (...) {
        }
        configuration.Normalise();
        return configuration;
    }

private:
    t_Document document_;
    t_Element root_;
};

t_Configuration Defaults(std::int32_t dpi = 96) {
    t_Configuration configuration(L"C:\\data\\", dpi);
    configuration.Normalise();
    return configuration;
}

void ExpectSameSettings(const t_Configuration& a, const t_Configuration& b) {
    EXPECT_EQ(a.appsShortcutsLocations, b.appsShortcutsLocations);
    EXPECT_EQ(a.placesShortcutsLocations, b.placesShortcutsLocations);
    EXPECT_EQ(a.appsShortcutsFilters, b.appsShortcutsFilters);
    EXPECT_EQ(a.customExecutors, b.customExecutors);
    EXPECT_EQ(a.colors, b.colors);
    EXPECT_EQ(a.showIcons, b.showIcons);
    EXPECT_EQ(a.compactMode, b.compactMode);
    EXPECT_EQ(a.extractSingleItemFolders, b.extractSingleItemFolders);
    EXPECT_EQ(a.excludeFoldersFromSearch, b.excludeFoldersFromSearch);
    EXPECT_EQ(a.handleJumplists, b.handleJumplists);
    EXPECT_EQ(a.handleModernApps, b.handleModernApps);
    EXPECT_EQ(a.useWindowsTheme, b.useWindowsTheme);
    EXPECT_EQ(a.popupWidth, b.popupWidth);
    EXPECT_EQ(a.appsListWidth, b.appsListWidth);
}

} // namespace

TEST(Configuration, DefaultsAtTheScreensDpi) {
    const t_Configuration at96 = Defaults(96);
    EXPECT_EQ(at96.popupWidth, (t_ScaledRange{320, 15360, 621, 621}));
    EXPECT_EQ(at96.appsListWidth, (t_ScaledRange{160, 15200, 300, 300}));
    EXPECT_EQ(at96.appsShortcutsLocations, DefaultAppsShortcutsLocations());
    EXPECT_TRUE(at96.appsShortcutsFilters.empty()); // the factory filters come only with a reset
    EXPECT_TRUE(at96.customExecutors.empty());
    EXPECT_EQ(at96.colors[29], Rgb(206, 229, 247));
    EXPECT_EQ(at96.filePath, L"C:\\data\\Configuration.qln");

    const t_Configuration at144 = Defaults(144);
    EXPECT_EQ(at144.popupWidth, (t_ScaledRange{480, 23040, 931, 931})); // 621 x 1.5, truncated
}

TEST(Configuration, WidthsFollowTheDpiTheyWereSavedAt) {
    const auto loaded = [](const wchar_t* savedDpi, const wchar_t* width, std::int32_t dpi) {
        t_ConfigurationText text({{L"DPI", savedDpi}, {L"width", width}, {L"appslist width", L"300"}});
        return text.LoadedAt(dpi);
    };
    EXPECT_EQ(loaded(L"96", L"621", 144).popupWidth.current, 931);
    EXPECT_EQ(loaded(L"96", L"621", 144).appsListWidth.current, 450);
    EXPECT_EQ(loaded(L"144", L"621", 96).popupWidth.current, 414);
    // A saved DPI outside 24 to 1536 is not believed and counts as 96.
    for (const wchar_t* unbelievable : {L"0", L"23", L"1537", L"-96", L"-2147483648"})
        EXPECT_EQ(loaded(unbelievable, L"621", 144).popupWidth.current, 931) << unbelievable;
    EXPECT_EQ(loaded(L"24", L"621", 96).popupWidth.current, 2484);
    EXPECT_EQ(loaded(L"1536", L"15360", 96).popupWidth.current, 960);
}

TEST(Configuration, WidthLimitsAndTheRoomTheListNeeds) {
    const auto loaded = [](const wchar_t* width, const wchar_t* listWidth) {
        t_ConfigurationText text({{L"DPI", L"96"}, {L"width", width}, {L"appslist width", listWidth}});
        return text.LoadedAt(96);
    };
    EXPECT_EQ(loaded(L"319", L"150").popupWidth.current, 621); // below the minimum: the default
    EXPECT_EQ(loaded(L"15361", L"300").popupWidth.current, 621);
    // 400 < 380 + 1 + 50 + 20: the list gets half the popup.
    EXPECT_EQ(loaded(L"400", L"380").appsListWidth.current, 200);
    EXPECT_EQ(loaded(L"451", L"380").appsListWidth.current, 380);
    EXPECT_EQ(loaded(L"320", L"300").appsListWidth.current, 160);
    EXPECT_EQ(loaded(L"15360", L"15201").appsListWidth.current, 300); // above its maximum: the default
    // Huge saved widths do not wrap around into the allowed range.
    t_ConfigurationText huge({{L"DPI", L"24"}, {L"width", L"2000000000"}, {L"appslist width", L"300"}});
    EXPECT_EQ(huge.LoadedAt(1536).popupWidth.current, Defaults(1536).popupWidth.defaultValue);
}

TEST(Configuration, ReadingStopsAtTheFirstBadValue) {
    // A bad width comes first: nothing after it is read, not even the valid options.
    t_ConfigurationText badWidth({{L"width", L"wide"}, {L"appslist width", L"300"}, {L"DPI", L"96"},
                                  {L"show icons", L"0"}, {L"compact mode", L"1"}});
    ExpectSameSettings(badWidth.LoadedAt(96), Defaults());

    // A bad executor keeps everything before it, the executors before it included.
    t_ConfigurationText badExecutor(validRoot);
    const t_Element places = badExecutor.Child(L"places shortcuts locations");
    badExecutor.Entry(places, {{L"path", L"D:\\Places"}});
    const t_Element executors = badExecutor.Child(L"custom executors");
    badExecutor.Entry(executors, {{L"short caption", L"cmd"}, {L"executable path", L"cmd"},
                                  {L"command line template", L"/K %typed_command%"}});
    badExecutor.Entry(executors, {{L"short caption", L"broken"}, {L"executable path", L"x.exe"}});
    badExecutor.Entry(executors, {{L"short caption", L"later"}, {L"executable path", L"y.exe"},
                                  {L"command line template", L"%typed_command%"}});
    const t_Configuration loaded = badExecutor.LoadedAt(96);
    EXPECT_EQ(loaded.popupWidth.current, 700);
    EXPECT_TRUE(loaded.compactMode);
    EXPECT_FALSE(loaded.showIcons);
    EXPECT_EQ(loaded.placesShortcutsLocations, std::vector<std::wstring>{L"D:\\Places"});
    ASSERT_EQ(loaded.customExecutors.size(), 1u);
    EXPECT_EQ(loaded.customExecutors[0].shortCaption, L"cmd");
}

TEST(Configuration, BooleansAndNumbersFollowStrictConversionRules) {
    const auto showIcons = [](const wchar_t* value) {
        t_ConfigurationText text({{L"DPI", L"96"}, {L"width", L"621"}, {L"appslist width", L"300"},
                                  {L"extract content from folders with single item", L"1"}, {L"show icons", value},
                                  {L"handle jumplists", L"1"}, {L"handle modern apps", L"1"}, {L"compact mode", L"1"},
                                  {L"exclude folders from search results", L"0"}});
        const t_Configuration loaded = text.LoadedAt(96);
        // compact mode is read after show icons: it is only set if show icons converted.
        return loaded.compactMode ? std::optional<bool>(loaded.showIcons) : std::nullopt;
    };
    EXPECT_EQ(showIcons(L"0"), false);
    EXPECT_EQ(showIcons(L"1"), true);
    EXPECT_EQ(showIcons(L"001"), true);
    EXPECT_EQ(showIcons(L"+1"), true);
    EXPECT_EQ(showIcons(L"-0"), false);
    for (const wchar_t* bad : {L"2", L"true", L" 1", L"1 ", L"", L"-1", L"0x1"})
        EXPECT_EQ(showIcons(bad), std::nullopt) << bad;

    t_ConfigurationText signedWidth({{L"width", L"+700"}, {L"appslist width", L" 310"}});
    EXPECT_EQ(signedWidth.LoadedAt(96).popupWidth.current, 700); // read before the failing value
    EXPECT_EQ(signedWidth.LoadedAt(96).appsListWidth.current, 300);
}

TEST(Configuration, ColoursAboveAByteKeepTheirValueAlone) {
    t_ConfigurationText text(validRoot);
    const t_Element colors = text.Child(L"colors");
    text.Attribute(colors, L"use windows theme", L"0");
    text.Color(colors, L"frame", L"256", L"0", L"0");
    text.Color(colors, L"area", L"1", L"2", L"3");
    text.Color(colors, L"app icon fallback background", L"10", L"20", L"30");
    text.Color(colors, L"not a colour", L"5", L"5", L"5");
    const t_Configuration loaded = text.LoadedAt(96);
    EXPECT_FALSE(loaded.useWindowsTheme);
    EXPECT_EQ(loaded.colors[0], colorTable[0].defaultValue);
    EXPECT_EQ(loaded.colors[1], Rgb(1, 2, 3));
    EXPECT_EQ(loaded.colors[30], Rgb(10, 20, 30));
    EXPECT_EQ(loaded.colors[2], colorTable[2].defaultValue); // missing: kept
}

TEST(Configuration, LocationsAndFiltersAreCleanedAfterEveryLoad) {
    const std::wstring applicationShortcuts = L"%LOCALAPPDATA%\\Microsoft\\Windows\\Application Shortcuts";
    t_ConfigurationText text(validRoot);
    const t_Element apps = text.Child(L"apps shortcuts locations");
    text.Entry(apps, {{L"path", L"D:\\Apps"}});
    text.Entry(apps, {{L"path", L""}});
    text.Entry(apps, {{L"path", applicationShortcuts.c_str()}});
    text.Entry(apps, {{L"path", L"%localappdata%\\Microsoft\\Windows\\Application Shortcuts"}});
    const t_Element filters = text.Child(L"apps shortcuts filters");
    text.Entry(filters, {{L"pattern", L"*uninstall*"}});
    text.Entry(filters, {{L"pattern", L"Read Me.Txt"}});
    const t_Configuration loaded = text.LoadedAt(96);
    // Empty entries are skipped; the removal is exact and case-sensitive.
    EXPECT_EQ(loaded.appsShortcutsLocations,
              (std::vector<std::wstring>{L"D:\\Apps", L"%localappdata%\\Microsoft\\Windows\\Application Shortcuts"}));
    EXPECT_EQ(loaded.placesShortcutsLocations, DefaultPlacesShortcutsLocations()); // missing list: default
    EXPECT_EQ(loaded.appsShortcutsFilters, (std::vector<std::wstring>{L"*UNINSTALL*", L"READ ME.TXT"}));

    // A list that held only the removed entry stays empty: the defaults are applied before the removal.
    t_ConfigurationText onlyRemoved(validRoot);
    onlyRemoved.Entry(onlyRemoved.Child(L"apps shortcuts locations"), {{L"path", applicationShortcuts.c_str()}});
    EXPECT_TRUE(onlyRemoved.LoadedAt(96).appsShortcutsLocations.empty());
}

TEST(Configuration, WrittenDocumentReadsBackTheSame) {
    t_Configuration edited = Defaults(120);
    edited.ResetToDefaults();
    edited.appsShortcutsLocations.push_back(L"E:\\Portable Apps \"quoted\"");
    edited.colors[11] = Rgb(1, 2, 3);
    edited.showIcons = false;
    edited.useWindowsTheme = false;
    edited.popupWidth.current = 900;
    edited.appsListWidth.current = 400;

    const t_Document document = edited.WriteDocument();
    EXPECT_EQ(document.AttributeByName(document.Root(), L"DPI"), L"120");
    t_Configuration reread(L"C:\\data\\", 120);
    reread.ReadDocument(document);
    reread.Normalise();
    ExpectSameSettings(reread, edited);

    // Another screen: same settings, widths rescaled.
    t_Configuration elsewhere(L"C:\\data\\", 240);
    elsewhere.ReadDocument(document);
    EXPECT_EQ(elsewhere.popupWidth.current, 1800);
}

TEST(Configuration, ResetAndAssignLeaveWidthsAndPathAlone) {
    t_Configuration configuration = Defaults();
    configuration.popupWidth.current = 800;
    configuration.autostart = false;
    configuration.ResetToDefaults();
    EXPECT_EQ(configuration.popupWidth.current, 800);
    EXPECT_TRUE(configuration.autostart);
    EXPECT_EQ(configuration.appsShortcutsFilters.size(), 12u);
    ASSERT_EQ(configuration.customExecutors.size(), 3u);
    EXPECT_EQ(configuration.customExecutors[0].commandLineTemplate, L"-Command \"%typed_command%\"");

    t_Configuration edited(L"D:\\elsewhere\\", 96);
    edited.compactMode = true;
    edited.popupWidth.current = 1000;
    configuration.AssignEdited(edited);
    EXPECT_TRUE(configuration.compactMode);
    EXPECT_TRUE(configuration.appsShortcutsFilters.empty());
    EXPECT_EQ(configuration.popupWidth.current, 800);
    EXPECT_EQ(configuration.filePath, L"C:\\data\\Configuration.qln");
}
