#include "catalogue/places_list.h"

#include "resource_ids.h"

namespace n_ombrix {

namespace {

// The icon store keeps its four default images in slots 0 to 3 and the glyphs after them, in the order of their
// bitmap numbers.
constexpr int GlyphSlot(int glyphBitmap) { return 4 + (glyphBitmap - IDB_GLYPH_FIRST) / IDB_GLYPH_SCALES; }

constexpr int placesSection = 0;
constexpr int commandsSection = 3;

t_PlacesRow Header(int section, int captionId) { return {.section = section, .header = true, .captionId = captionId}; }

t_PlacesRow Command(int captionId, int imageSlot, t_PlacesCommand command) {
    return {.section = commandsSection, .captionId = captionId, .imageSlot = imageSlot, .command = command};
}

} // namespace

std::vector<t_PlacesRow> BuildPlacesRows(std::size_t placeCount) {
    std::vector<t_PlacesRow> rows;
    rows.reserve(placeCount + 11);
    if (placeCount != 0) {
        rows.push_back(Header(placesSection, IDS_PLACES_HEADER));
        for (std::size_t index = 0; index < placeCount; ++index)
            rows.push_back({.section = placesSection, .command = t_PlacesCommand::launchPlace, .placeIndex = index});
    }
    rows.push_back(Header(commandsSection, IDS_WINDOWS_HEADER));
    rows.push_back(Command(IDS_SYSTEM_SETTINGS, GlyphSlot(IDB_GLYPH_SETTINGS), t_PlacesCommand::openSystemSettings));
    rows.push_back(Command(IDS_SHELL_START_MENU, GlyphSlot(IDB_GLYPH_START), t_PlacesCommand::openShellStartMenu));
    rows.push_back(Header(commandsSection, IDS_OMBRIX_HEADER));
    rows.push_back(Command(IDS_SETTINGS_WINDOW, GlyphSlot(IDB_GLYPH_SETTINGS), t_PlacesCommand::openSettingsWindow));
    rows.push_back(Command(IDS_RELOAD_CATALOGUE, GlyphSlot(IDB_GLYPH_RELOAD), t_PlacesCommand::reloadCatalogue));
    rows.push_back(Command(IDS_HOME_PAGE, GlyphSlot(IDB_GLYPH_HOME), t_PlacesCommand::openHomePage));
    rows.push_back(Command(IDS_HELP, GlyphSlot(IDB_GLYPH_HELP), t_PlacesCommand::openHelp));
    rows.push_back(Command(IDS_ABOUT, GlyphSlot(IDB_GLYPH_ABOUT), t_PlacesCommand::showAbout));
    rows.push_back(Command(IDS_EXIT, GlyphSlot(IDB_GLYPH_EXIT), t_PlacesCommand::exitApplication));
    return rows;
}

} // namespace n_ombrix
