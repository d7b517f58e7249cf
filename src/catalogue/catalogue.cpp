#include "catalogue/catalogue.h"

namespace n_ombrix {

t_CatalogueItem& t_Catalogue::Adopt(std::unique_ptr<t_CatalogueItem> item) {
    items_.push_back(std::move(item));
    return *items_.back();
}

void t_Catalogue::Clear() noexcept {
    search_.Reset();
    appsRoot_.clear();
    placesRows_.clear();
    placesRoot_.clear();
    items_.clear();
}

} // namespace n_ombrix
