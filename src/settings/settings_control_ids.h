#pragma once
// The settings window's control identifiers: its handlers key on them, and tests find the controls by them.

namespace n_ombrix::n_settings_control {

// On the top-level window, beside the panel: the OK and Cancel buttons, and the panel itself.
inline constexpr int ok = 1, cancel = 2, panel = 100;

// On the panel, top to bottom. Headings are 1, 9, 15, 19, 23, 27 and 31.
inline constexpr int showIcons = 2, compactMode = 3, extractSingleItemFolders = 4, excludeFoldersFromSearch = 5,
                     handleJumplists = 6, handleModernApps = 7, autostart = 8;
inline constexpr int useWindowsTheme = 10, colorList = 11, colorSchemesLink = 12, importColors = 13, exportColors = 14;
inline constexpr int executorList = 16, addExecutor = 17, removeExecutor = 18;
inline constexpr int appsLocationList = 20, addAppsLocation = 21, removeAppsLocation = 22;
inline constexpr int filterList = 24, addFilter = 25, removeFilter = 26;
inline constexpr int placesLocationList = 28, addPlacesLocation = 29, removePlacesLocation = 30;
inline constexpr int resetToDefaults = 32;

// The executor editor, a top-level window of its own: the five fields in the order of a launch item, the two browse
// buttons, OK and Cancel.
inline constexpr int editorShortCaption = 101, editorDescription = 102, editorExecutablePath = 103,
                     editorCommandLineTemplate = 104, editorWorkDir = 105, editorBrowseExecutable = 113,
                     editorBrowseWorkDir = 115;

} // namespace n_ombrix::n_settings_control
