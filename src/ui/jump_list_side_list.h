#pragma once
// An application's jump list in the side pane: its entries as the jump list assembles them, assembled anew after
// every edit.

#include "jumplists/jump_list.h"
#include "jumplists/jump_list_entry.h"
#include "ui/side_list.h"

#include <memory>
#include <vector>

namespace n_ombrix {

class t_IconStore;
class t_PopupOwner;

class t_JumpListSideList final : public t_SideList {
public:
    // Everything given outlives the list; the jump list's next change goes through this list.
    t_JumpListSideList(t_JumpList& jumpList, t_JumpListHeaderTexts texts, t_IconStore& iconStore, t_PopupOwner& owner);

    std::size_t Count() const override { return entries_.size(); }
    t_SideRowTraits Traits(std::size_t row) const override;
    t_PinKind Kind(std::size_t row) const override { return entries_[row]->Kind(); }
    bool Editable(std::size_t row) const override { return entries_[row]->Editable(); }
    std::wstring Text(std::size_t row) const override { return entries_[row]->GetText(); }
    HBITMAP Icon(std::size_t row) override { return entries_[row]->GetIcon(iconStore_); }
    void Open(std::size_t row) override;
    void TogglePin(std::size_t row) override;
    void Remove(std::size_t row) override;
    void Clear() override;

private:
    t_JumpList& jumpList_;
    const t_JumpListHeaderTexts texts_;
    t_IconStore& iconStore_;
    t_PopupOwner& owner_;
    std::vector<std::unique_ptr<t_JumpListEntry>> entries_;
};

} // namespace n_ombrix
