#include "ui/places_side_list.h"

#include "catalogue/catalogue.h"
#include "ui/popup_owner.h"
#include "ui/widget_resources.h"

namespace n_ombrix {

std::size_t t_PlacesSideList::Count() const { return catalogue_.PlacesRows().size(); }

t_SideRowTraits t_PlacesSideList::Traits(std::size_t row) const {
    const t_PlacesRow& place = catalogue_.PlacesRows()[row];
    return {.section = place.section, .header = place.header, .titled = true};
}

t_PinKind t_PlacesSideList::Kind(std::size_t row) const { return catalogue_.PlacesRows()[row].kind; }

std::wstring t_PlacesSideList::Text(std::size_t row) const {
    const t_PlacesRow& place = catalogue_.PlacesRows()[row];
    if (place.command == t_PlacesCommand::launchPlace) return catalogue_.PlacesRoot()[place.placeIndex]->DisplayName();
    return resources_.String(static_cast<unsigned>(place.captionId));
}

HBITMAP t_PlacesSideList::Icon(std::size_t row) {
    const t_PlacesRow& place = catalogue_.PlacesRows()[row];
    if (place.command == t_PlacesCommand::launchPlace) return catalogue_.PlacesRoot()[place.placeIndex]->Icon();
    return place.imageSlot < 0 ? nullptr : resources_.IconStore().Slot(place.imageSlot);
}

void t_PlacesSideList::Open(std::size_t row) {
    const t_PlacesRow& place = catalogue_.PlacesRows()[row];
    const t_CatalogueItem* item =
        place.command == t_PlacesCommand::launchPlace ? catalogue_.PlacesRoot()[place.placeIndex] : nullptr;
    owner_.RunPlacesCommand(place.command, item);
}

} // namespace n_ombrix
