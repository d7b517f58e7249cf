#include "ui/jump_list_side_list.h"

#include "ui/popup_owner.h"

namespace n_ombrix {

t_JumpListSideList::t_JumpListSideList(t_JumpList& jumpList, t_JumpListHeaderTexts texts, t_IconStore& iconStore,
                                       t_PopupOwner& owner)
    : jumpList_(jumpList), texts_(std::move(texts)), iconStore_(iconStore), owner_(owner),
      entries_(jumpList.Assemble(texts_)) {}

t_SideRowTraits t_JumpListSideList::Traits(std::size_t row) const {
    const t_JumpListEntry& entry = *entries_[row];
    return {.section = entry.Section(), .header = entry.IsHeader(), .titled = !entry.GetText().empty()};
}

void t_JumpListSideList::Open(std::size_t row) {
    if (entries_[row]->Open()) owner_.HidePopup();
}

void t_JumpListSideList::TogglePin(std::size_t row) {
    entries_[row]->TogglePin();
    entries_ = jumpList_.Assemble(texts_);
}

void t_JumpListSideList::Remove(std::size_t row) {
    entries_[row]->Remove();
    entries_ = jumpList_.Assemble(texts_);
}

void t_JumpListSideList::Clear() {
    jumpList_.Clear();
    entries_ = jumpList_.Assemble(texts_);
}

} // namespace n_ombrix
