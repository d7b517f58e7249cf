#pragma once
// A folder of the shortcut tree. Its children are owned by the catalogue's item store, not by the folder.

#include "catalogue/catalogue_item.h"

namespace n_ombrix {

class t_FolderItem : public t_CatalogueItem {
public:
    t_FolderItem(HBITMAP icon, std::wstring displayName, std::vector<t_CatalogueItem*> children)
        : t_CatalogueItem(icon, std::move(displayName)), children_(std::move(children)) {}

    bool IsFolder() const override { return true; }
    const std::vector<t_CatalogueItem*>& GetChildren() const override { return children_; }
    std::vector<t_CatalogueItem*>& GetMutableChildren() override { return children_; }
    bool IsLaunchable() const override { return false; }
    // Folders open in place in the list; they are never launched.
    bool Launch(bool) const override { return false; }

private:
    std::vector<t_CatalogueItem*> children_; // not owned
};

} // namespace n_ombrix
