#pragma once
// The places list in the side pane: the user's place shortcuts under their header, then the program's commands,
// read from the catalogue as it is now (a rebuild changes them).

#include "ui/side_list.h"

namespace n_ombrix {

class t_Catalogue;
class t_PopupOwner;
class t_WidgetResources;

class t_PlacesSideList final : public t_SideList {
public:
    // Everything given outlives the list.
    t_PlacesSideList(const t_Catalogue& catalogue, t_WidgetResources& resources, t_PopupOwner& owner) noexcept
        : catalogue_(catalogue), resources_(resources), owner_(owner) {}

    std::size_t Count() const override;
    t_SideRowTraits Traits(std::size_t row) const override;
    t_PinKind Kind(std::size_t row) const override;
    bool Editable(std::size_t) const override { return false; }
    std::wstring Text(std::size_t row) const override;
    HBITMAP Icon(std::size_t row) override;
    void Open(std::size_t row) override;
    void TogglePin(std::size_t) override {}
    void Remove(std::size_t) override {}
    void Clear() override {}

private:
    const t_Catalogue& catalogue_;
    t_WidgetResources& resources_;
    t_PopupOwner& owner_;
};

} // namespace n_ombrix
