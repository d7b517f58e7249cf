#pragma once
// A finished catalogue: the item store that owns every item of both trees, and the two root lists that refer into it.
// Built by the scan, replaced whole by the next one.

#include "catalogue/catalogue_item.h"
#include "catalogue/places_list.h"
#include "search/item_search.h"

#include <memory>
#include <vector>

namespace n_ombrix {

class t_Catalogue {
public:
    // Hands an item to the store, which owns it from now on; the reference stays valid until Clear().
    t_CatalogueItem& Adopt(std::unique_ptr<t_CatalogueItem> item);

    // Every item, folders included, in the order they were adopted.
    const std::vector<std::unique_ptr<t_CatalogueItem>>& Items() const noexcept { return items_; }
    // Top level of the applications tree (sorted by the scan) and of the places list.
    std::vector<t_CatalogueItem*>& AppsRoot() noexcept { return appsRoot_; }
    const std::vector<t_CatalogueItem*>& AppsRoot() const noexcept { return appsRoot_; }
    std::vector<t_CatalogueItem*>& PlacesRoot() noexcept { return placesRoot_; }
    const std::vector<t_CatalogueItem*>& PlacesRoot() const noexcept { return placesRoot_; }
    // The places list as the side pane shows it: the places root's items, then the program's commands.
    std::vector<t_PlacesRow>& PlacesRows() noexcept { return placesRows_; }
    const std::vector<t_PlacesRow>& PlacesRows() const noexcept { return placesRows_; }
    // The query filter over every item of the applications tree; the scan fills it.
    t_ItemSearch<t_CatalogueItem>& Search() noexcept { return search_; }

    // Forgets the search and the lists that refer to items first, then destroys the items.
    void Clear() noexcept;

private:
    std::vector<std::unique_ptr<t_CatalogueItem>> items_;
    std::vector<t_CatalogueItem*> appsRoot_;   // not owned
    std::vector<t_CatalogueItem*> placesRoot_; // not owned
    std::vector<t_PlacesRow> placesRows_;
    t_ItemSearch<t_CatalogueItem> search_;
};

} // namespace n_ombrix
