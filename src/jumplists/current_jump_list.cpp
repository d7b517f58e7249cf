#include "jumplists/current_jump_list.h"

#include "catalogue/catalogue.h"
#include "jumplists/destinations_file_name.h"
#include "jumplists/destinations_files.h"

namespace n_ombrix {

t_CurrentJumpList::t_Change t_CurrentJumpList::Follow(const t_CatalogueItem* item) {
    if (!item || !item->HasJumpList() || item->GetAppIdHash() == n_zql::n_system::identityHashStart) {
        if (!jumpList_) return t_Change::none;
        jumpList_.reset();
        return t_Change::dropped;
    }
    if (jumpList_ && jumpList_->Hash() == item->GetAppIdHash()) return t_Change::none;
    const bool had = static_cast<bool>(jumpList_);
    jumpList_.reset();
    try {
        jumpList_ = std::make_unique<t_JumpList>(item->GetAppId(), folders_);
    } catch (...) {
        // Opening never fails for the files' sake; what is left (running out of memory) costs the jump list only.
        return had ? t_Change::dropped : t_Change::none;
    }
    return t_Change::built;
}

void t_CurrentJumpList::MarkAvailability(t_Catalogue& catalogue, bool handleJumplists) const {
    std::set<std::uint64_t> hashes;
    if (handleJumplists) {
        hashes = DestinationsFileHashes(folders_.automatic, automaticDestinationsSuffix);
        hashes.merge(DestinationsFileHashes(folders_.custom, customDestinationsSuffix));
    }
    for (const std::unique_ptr<t_CatalogueItem>& item : catalogue.Items())
        item->SetHasJumpList(hashes.contains(item->GetAppIdHash()));
}

} // namespace n_ombrix
