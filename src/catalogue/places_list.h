#pragma once
// The rows of the places list: the user's place shortcuts under their header, then the program's own commands in
// two groups. Rows are plain data so that the side pane can show them beside jump-list entries; none of them can
// be pinned or edited. Platform-neutral.

#include "catalogue/side_pane_kinds.h"

#include <cstddef>
#include <vector>

namespace n_ombrix {

// What choosing a row does.
enum class t_PlacesCommand {
    none, // headers
    launchPlace,
    openSystemSettings,
    openShellStartMenu,
    openSettingsWindow,
    reloadCatalogue,
    openHomePage,
    openHelp,
    showAbout,
    exitApplication,
};

struct t_PlacesRow {
    // The places' section gives way first when space runs out, the commands' last.
    t_PaneSection section = t_PaneSection::recent;
    t_PinKind kind = t_PinKind::notPinnable;
    bool editable = false;
    bool header = false;
    // String resource of the caption; 0 for a place, which shows its item's own name and image.
    int captionId = 0;
    // Icon-store slot of the image; -1 for headers and places.
    int imageSlot = -1;
    t_PlacesCommand command = t_PlacesCommand::none;
    // For launchPlace: the index of the item in the places root.
    std::size_t placeIndex = 0;
};

// The rows for a places root of this many items; the places header appears only when there are places.
std::vector<t_PlacesRow> BuildPlacesRows(std::size_t placeCount);

} // namespace n_ombrix
