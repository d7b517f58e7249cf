#include "jumplists/jump_list_entry.h"

#include "jumplists/jump_list.h"

namespace n_ombrix {

t_JumpListEntry::t_JumpListEntry(t_PaneSection section, t_PinKind kind, bool editable, t_JumpList& jumpList,
                                 const t_ShellDestination& destination)
    : section_(section), kind_(kind), editable_(editable), header_(destination.IsSeparator()), jumpList_(&jumpList),
      destination_(&destination) {}

const std::wstring& t_JumpListEntry::GetText() const { return destination_ ? destination_->DisplayText() : text_; }

HBITMAP t_JumpListEntry::GetIcon(t_IconStore& iconStore) { return destination_->GetIcon(iconStore); }

bool t_JumpListEntry::Open() {
    // Copies: opening may pump messages long enough for the jump list, and this entry with it, to be rebuilt or
    // dropped meanwhile.
    const t_ShellDestination copy = destination_->Copy();
    const std::wstring identity = jumpList_->Identity();
    return copy.Open(identity);
}

void t_JumpListEntry::TogglePin() {
    if (kind_ == t_PinKind::pinned)
        jumpList_->Unpin(*destination_);
    else
        jumpList_->Pin(*destination_);
}

void t_JumpListEntry::Remove() { jumpList_->Remove(*destination_); }

} // namespace n_ombrix
