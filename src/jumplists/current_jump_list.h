#pragma once
// The jump list of the item that is current in the item list: built when an item of another application
// becomes current, kept while items of the same application follow, dropped when the current item has none.
// Which items have a jump list at all is marked on the catalogue each time the popup shows its applications.

#include "jumplists/jump_list.h"

#include <memory>

namespace n_ombrix {

class t_Catalogue;
class t_CatalogueItem;

class t_CurrentJumpList {
public:
    enum class t_Change { none, dropped, built };

    explicit t_CurrentJumpList(t_DestinationsFolders folders) : folders_(std::move(folders)) {}

    // Follows the item list's current item (null for none). Built or dropped: the side pane shows something else.
    t_Change Follow(const t_CatalogueItem* item);
    // Lets the files go (the popup hides).
    void Drop() noexcept { jumpList_.reset(); }
    t_JumpList* Get() const noexcept { return jumpList_.get(); }

    // Tells every item whether it has a jump list: none when jump lists are not handled, else those whose
    // application has a file in either folder.
    void MarkAvailability(t_Catalogue& catalogue, bool handleJumplists) const;

private:
    t_DestinationsFolders folders_;
    std::unique_ptr<t_JumpList> jumpList_;
};

} // namespace n_ombrix
