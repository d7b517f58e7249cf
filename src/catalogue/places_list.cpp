#include "catalogue/places_list.h"

#include "resource_ids.h"

namespace n_ombrix {

namespace {

// The places give way first when the pane is short, the commands last.
constexpr t_PaneSection placesSection = t_PaneSection::recent;
constexpr t_PaneSection commandsSection = t_PaneSection::tasks;

t_PlacesRow Header(t_PaneSection section, int captionId) {
    return {.section = section, .header = true, .captionId = captionId};
}

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
    rows.push_back(
        Command(IDS_SYSTEM_SETTINGS, CommandGlyphSlot(IDB_GLYPH_SETTINGS), t_PlacesCommand::openSystemSettings));
    rows.push_back(
        Command(IDS_SHELL_START_MENU, CommandGlyphSlot(IDB_GLYPH_START), t_PlacesCommand::openShellStartMenu));
    rows.push_back(Header(commandsSection, IDS_OMBRIX_HEADER));
    rows.push_back(
        Command(IDS_SETTINGS_WINDOW, CommandGlyphSlot(IDB_GLYPH_SETTINGS), t_PlacesCommand::openSettingsWindow));
    rows.push_back(Command(IDS_RELOAD_CATALOGUE, CommandGlyphSlot(IDB_GLYPH_RELOAD), t_PlacesCommand::reloadCatalogue));
    rows.push_back(Command(IDS_HOME_PAGE, CommandGlyphSlot(IDB_GLYPH_HOME), t_PlacesCommand::openHomePage));
    rows.push_back(Command(IDS_HELP, CommandGlyphSlot(IDB_GLYPH_HELP), t_PlacesCommand::openHelp));
    rows.push_back(Command(IDS_ABOUT, CommandGlyphSlot(IDB_GLYPH_ABOUT), t_PlacesCommand::showAbout));
    rows.push_back(Command(IDS_EXIT, CommandGlyphSlot(IDB_GLYPH_EXIT), t_PlacesCommand::exitApplication));
    return rows;
}

} // namespace n_ombrix
