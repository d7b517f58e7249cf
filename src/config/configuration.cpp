#include "config/configuration.h"

#include "system/dpi_scaling.h"
#include "system/upper_case.h"

#include <boost/lexical_cast.hpp>

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace n_ombrix {

using n_quillane::nullElement;
using n_quillane::t_Document;
using n_quillane::t_Element;

namespace {

constexpr wchar_t rootName[] = L"Ombrix";
constexpr wchar_t dpiName[] = L"DPI";
constexpr wchar_t widthName[] = L"width";
constexpr wchar_t appsListWidthName[] = L"appslist width";
constexpr wchar_t colorsName[] = L"colors";
constexpr wchar_t useWindowsThemeName[] = L"use windows theme";
constexpr wchar_t appsLocationsName[] = L"apps shortcuts locations";
constexpr wchar_t placesLocationsName[] = L"places shortcuts locations";
constexpr wchar_t filtersName[] = L"apps shortcuts filters";
constexpr wchar_t executorsName[] = L"custom executors";
constexpr wchar_t pathName[] = L"path";
constexpr wchar_t patternName[] = L"pattern";
constexpr std::wstring_view applicationShortcutsLocation = L"%LOCALAPPDATA%\\Microsoft\\Windows\\Application Shortcuts";

// The on/off options kept as attributes of the root, in the order they are read.
struct t_OptionKey {
    const wchar_t* name;
    bool t_Configuration::*field;
};
constexpr t_OptionKey rootOptions[] = {
    {L"extract content from folders with single item", &t_Configuration::extractSingleItemFolders},
    {L"show icons", &t_Configuration::showIcons},
    {L"handle jumplists", &t_Configuration::handleJumplists},
    {L"handle modern apps", &t_Configuration::handleModernApps},
    {L"compact mode", &t_Configuration::compactMode},
    {L"exclude folders from search results", &t_Configuration::excludeFoldersFromSearch},
};

// Text to value with Boost's rules: integers take an optional sign and decimal digits only; booleans take "0" or "1"
// with optional leading zeros and sign. Anything else throws boost::bad_lexical_cast.
template <typename T> T Convert(std::wstring_view text) { return boost::lexical_cast<T>(text.data(), text.size()); }

std::wstring NumberText(std::int64_t value) { return std::to_wstring(value); }

// A width saved at another DPI, at this one. Computed in 64 bits: a huge saved width must not wrap around into the
// allowed range; it is held at the 32-bit limits and the range check that follows every load replaces it.
std::int32_t RescaledWidth(std::int32_t width, std::int32_t dpi, std::int32_t savedDpi) {
    const std::int64_t rescaled = static_cast<std::int64_t>(width) * dpi / savedDpi;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(rescaled, INT32_MIN, INT32_MAX));
}

std::vector<std::wstring> ReadList(const t_Document& document, t_Element list, const wchar_t* attribute) {
    std::vector<std::wstring> entries;
    for (t_Element entry = document.FirstChild(list); entry != nullElement; entry = document.NextSibling(entry))
        if (const std::wstring_view value = document.AttributeByName(entry, attribute); !value.empty())
            entries.emplace_back(value);
    return entries;
}

void WriteList(t_Document& document, t_Element root, const wchar_t* name, const wchar_t* attribute,
               const std::vector<std::wstring>& entries) {
    const t_Element list = document.AppendChild(root, name);
    for (const std::wstring& entry : entries) document.AddAttribute(document.AppendChild(list, L""), attribute, entry);
}

void WriteColors(t_Document& document, t_Element colors, const std::array<t_Color, colorCount>& values) {
    for (std::size_t i = 0; i < colorCount; ++i) {
        const t_Element color = document.AppendChild(colors, colorTable[i].name);
        document.AddAttribute(color, L"r", NumberText(values[i] & 0xFF));
        document.AddAttribute(color, L"g", NumberText((values[i] >> 8) & 0xFF));
        document.AddAttribute(color, L"b", NumberText((values[i] >> 16) & 0xFF));
    }
}

std::array<t_Color, colorCount> DefaultColors() {
    std::array<t_Color, colorCount> colors{};
    std::transform(colorTable.begin(), colorTable.end(), colors.begin(),
                   [](const t_NamedColor& color) { return color.defaultValue; });
    return colors;
}

} // namespace

std::vector<std::wstring> DefaultAppsShortcutsLocations() {
    return {L"%APPDATA%\\Microsoft\\Windows\\Start Menu", L"%ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu"};
}

std::vector<std::wstring> DefaultPlacesShortcutsLocations() { return {L"%USERPROFILE%\\Links"}; }

std::vector<std::wstring> FactoryFilters() {
    return {L"DESKTOP.LNK", L"*UNINSTALL*", L"*.URL",  L"*.HTM", L"*.HTML", L"*.TXT",
            L"*.RTF",       L"*.DOC",       L"*.DOCX", L"*.PDF", L"*.INI",  L"*.XML"};
}

std::vector<t_LaunchItem> FactoryExecutors() {
    return {
        {L"PwS", L"Windows PowerShell", L"powershell", L"-Command \"%typed_command%\"", L""},
        {L"cmd", L"Windows Command Processor", L"cmd", L"/K \"%typed_command%\"", L""},
        {L"mmc", L"Microsoft Management Console", L"mmc", L"%typed_command%", L""},
    };
}

t_Configuration::t_Configuration(const std::wstring& dataFolder, std::int32_t dpi)
    : appsShortcutsLocations(DefaultAppsShortcutsLocations()),
      placesShortcutsLocations(DefaultPlacesShortcutsLocations()), colors(DefaultColors()),
      popupWidth(t_ScaledRange::At(dpi, 320, 15360, 621)), appsListWidth(t_ScaledRange::At(dpi, 160, 15200, 300)),
      filePath(dataFolder + L"Configuration.qln"), dpi_(dpi) {}

void t_Configuration::ResetToDefaults() {
    appsShortcutsLocations = DefaultAppsShortcutsLocations();
    placesShortcutsLocations = DefaultPlacesShortcutsLocations();
    appsShortcutsFilters = FactoryFilters();
    customExecutors = FactoryExecutors();
    colors = DefaultColors();
    autostart = true;
    showIcons = true;
    compactMode = false;
    extractSingleItemFolders = true;
    excludeFoldersFromSearch = false;
    handleJumplists = true;
    handleModernApps = true;
    useWindowsTheme = true;
}

void t_Configuration::AssignEdited(const t_Configuration& other) {
    appsShortcutsLocations = other.appsShortcutsLocations;
    placesShortcutsLocations = other.placesShortcutsLocations;
    appsShortcutsFilters = other.appsShortcutsFilters;
    customExecutors = other.customExecutors;
    colors = other.colors;
    autostart = other.autostart;
    showIcons = other.showIcons;
    compactMode = other.compactMode;
    extractSingleItemFolders = other.extractSingleItemFolders;
    excludeFoldersFromSearch = other.excludeFoldersFromSearch;
    handleJumplists = other.handleJumplists;
    handleModernApps = other.handleModernApps;
    useWindowsTheme = other.useWindowsTheme;
}

void t_Configuration::ReadDocument(const t_Document& document) {
    const t_Element root = document.Root();
    popupWidth.current = Convert<std::int32_t>(document.AttributeByName(root, widthName));
    appsListWidth.current = Convert<std::int32_t>(document.AttributeByName(root, appsListWidthName));
    std::int32_t savedDpi = Convert<std::int32_t>(document.AttributeByName(root, dpiName));
    // A file from a screen of another DPI keeps the same physical widths; a DPI outside 24 to 1536 is not believed.
    if (static_cast<std::uint32_t>(savedDpi) - 24u > 1512u) savedDpi = 96;
    popupWidth.current = RescaledWidth(popupWidth.current, dpi_, savedDpi);
    appsListWidth.current = RescaledWidth(appsListWidth.current, dpi_, savedDpi);

    for (const t_OptionKey& option : rootOptions)
        this->*option.field = Convert<bool>(document.AttributeByName(root, option.name));

    if (const t_Element colorsElement = document.ChildByName(root, colorsName); colorsElement != nullElement) {
        useWindowsTheme = Convert<bool>(document.AttributeByName(colorsElement, useWindowsThemeName));
        ReadColors(document, colorsElement);
    }

    appsShortcutsLocations = ReadList(document, document.ChildByName(root, appsLocationsName), pathName);
    placesShortcutsLocations = ReadList(document, document.ChildByName(root, placesLocationsName), pathName);
    appsShortcutsFilters = ReadList(document, document.ChildByName(root, filtersName), patternName);

    customExecutors.clear();
    const t_Element executors = document.ChildByName(root, executorsName);
    for (t_Element item = document.FirstChild(executors); item != nullElement; item = document.NextSibling(item))
        customExecutors.push_back(ReadLaunchItem(document, item));
}

void t_Configuration::ReadColors(const t_Document& document, t_Element colorsElement) {
    for (std::size_t i = 0; i < colorCount; ++i) {
        const t_Element color = document.ChildByName(colorsElement, colorTable[i].name);
        if (color == nullElement) continue;
        const auto r = Convert<std::uint64_t>(document.AttributeByName(color, L"r"));
        const auto g = Convert<std::uint64_t>(document.AttributeByName(color, L"g"));
        const auto b = Convert<std::uint64_t>(document.AttributeByName(color, L"b"));
        // A channel above 255 is ignored for that colour alone; reading goes on.
        if (r <= 255 && g <= 255 && b <= 255)
            colors[i] =
                Rgb(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(g), static_cast<std::uint32_t>(b));
    }
}

void t_Configuration::Normalise() {
    // Emptiness is tested before the clean-up, so a list that held only the removed entry stays empty.
    if (appsShortcutsLocations.empty())
        appsShortcutsLocations = DefaultAppsShortcutsLocations();
    else
        std::erase(appsShortcutsLocations, applicationShortcutsLocation);
    if (placesShortcutsLocations.empty()) placesShortcutsLocations = DefaultPlacesShortcutsLocations();

    for (std::wstring& filter : appsShortcutsFilters) filter = n_zql::n_system::UpperCased(filter);

    if (!popupWidth.Contains(popupWidth.current)) popupWidth.current = popupWidth.defaultValue;
    // The list must leave room for the index pane and the resize strip.
    using n_zql::n_system::ScaleForDpi;
    const std::int64_t needed =
        static_cast<std::int64_t>(appsListWidth.current) + 1 + ScaleForDpi(50, dpi_) + ScaleForDpi(20, dpi_);
    if (popupWidth.current < needed) appsListWidth.current = popupWidth.current / 2;
    if (!appsListWidth.Contains(appsListWidth.current)) appsListWidth.current = appsListWidth.defaultValue;
}

t_Document t_Configuration::WriteDocument() const {
    t_Document document;
    const t_Element root = document.CreateRoot(rootName);
    document.AddAttribute(root, dpiName, NumberText(dpi_));
    document.AddAttribute(root, widthName, NumberText(popupWidth.current));
    document.AddAttribute(root, appsListWidthName, NumberText(appsListWidth.current));
    for (const t_OptionKey& option : rootOptions)
        document.AddAttribute(root, option.name, NumberText(this->*option.field ? 1 : 0));

    const t_Element colorsElement = document.AppendChild(root, colorsName);
    document.AddAttribute(colorsElement, useWindowsThemeName, NumberText(useWindowsTheme ? 1 : 0));
    WriteColors(document, colorsElement, colors);

    WriteList(document, root, appsLocationsName, pathName, appsShortcutsLocations);
    WriteList(document, root, placesLocationsName, pathName, placesShortcutsLocations);
    WriteList(document, root, filtersName, patternName, appsShortcutsFilters);
    const t_Element executors = document.AppendChild(root, executorsName);
    for (const t_LaunchItem& item : customExecutors)
        WriteLaunchItem(item, document, document.AppendChild(executors, L""));
    document.Finish();
    return document;
}

t_Document t_Configuration::WriteColorsDocument() const {
    t_Document document;
    const t_Element root = document.CreateRoot(rootName);
    WriteColors(document, document.AppendChild(root, colorsName), colors);
    document.Finish();
    return document;
}

} // namespace n_ombrix
