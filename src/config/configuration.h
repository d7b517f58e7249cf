#pragma once
// Every user setting of Ombrix, with its default and limits, and its persistence in "Configuration.qln" in the data
// folder (autostart lives in the registry's Run key instead). Loading and saving never report failures: whatever
// cannot be read keeps its default, and a failed save leaves the old file as it was.
//
// The document and the rules are platform-neutral (configuration.cpp); the file and the registry are the Windows
// part (configuration_storage.cpp).

#include "config/color_table.h"
#include "config/scaled_range.h"
#include "launch/launch_item.h"
#include "quillane/document.h"

#include <array>
#include <string>
#include <vector>

namespace n_ombrix {

class t_Configuration {
public:
    std::vector<std::wstring> appsShortcutsLocations;
    std::vector<std::wstring> placesShortcutsLocations;
    std::vector<std::wstring> appsShortcutsFilters; // wildcard patterns, always upper case
    std::vector<t_LaunchItem> customExecutors;
    std::array<t_Color, colorCount> colors;
    bool autostart = true;
    bool showIcons = true;
    bool compactMode = false;
    bool extractSingleItemFolders = true;
    bool excludeFoldersFromSearch = false;
    bool handleJumplists = true;
    bool handleModernApps = true;
    bool useWindowsTheme = true;
    t_ScaledRange popupWidth;
    t_ScaledRange appsListWidth;
    std::wstring filePath;

    // The defaults, for a screen of the given horizontal DPI, with the file in the data folder. Nothing is read yet.
    t_Configuration(const std::wstring& dataFolder, std::int32_t dpi);

    // Reads the file and the registry. Never fails.
    void Load();
    // Writes the file and the registry. Never fails.
    void Save() const;

    // The factory settings (lists, colours, the eight options); the widths and the file path stay.
    void ResetToDefaults();
    // Takes the lists, colours and options of an edited copy; the widths and the file path stay.
    void AssignEdited(const t_Configuration& other);

    // Colour schemes as files of their own. Failures are dropped; an import that fails changes no colour.
    void ExportColors(const std::wstring& path) const;
    void ImportColors(const std::wstring& path);

    // The document parts, apart from any file. ReadDocument assigns in a fixed order and stops at the first value
    // that cannot be read (throwing); what was assigned before stays. Normalise applies the rules that follow every
    // load (defaults for empty lists, clean-up, upper-case filters, width limits).
    void ReadDocument(const n_quillane::t_Document& document);
    void Normalise();
    n_quillane::t_Document WriteDocument() const;
    n_quillane::t_Document WriteColorsDocument() const;
    void ReadColors(const n_quillane::t_Document& document, n_quillane::t_Element colorsElement);

    std::int32_t Dpi() const noexcept { return dpi_; }

private:
    void ReadAutostart();
    void WriteAutostart() const;

    std::int32_t dpi_;
};

// The locations and factory lists of a new or reset configuration.
std::vector<std::wstring> DefaultAppsShortcutsLocations();
std::vector<std::wstring> DefaultPlacesShortcutsLocations();
std::vector<std::wstring> FactoryFilters();
std::vector<t_LaunchItem> FactoryExecutors();

} // namespace n_ombrix
