#pragma once
// Any other file of a shortcut folder that no filter removed (a .url or .pif file, for example).

#include "catalogue/catalogue_item.h"

namespace n_ombrix {

class t_FileItem : public t_CatalogueItem {
public:
    t_FileItem(HBITMAP icon, std::wstring displayName, std::wstring path)
        : t_CatalogueItem(icon, std::move(displayName)), path_(std::move(path)) {}

    bool Launch(bool elevated) const override;

    const std::wstring& Path() const noexcept { return path_; }

private:
    std::wstring path_;
};

} // namespace n_ombrix
