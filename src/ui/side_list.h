#pragma once
// What the side pane shows, row by row: an application's jump list or the places list. Rows are headers or entries;
// an entry opens, and a jump list's entries are pinned, unpinned, removed or cleared.

#include "ui/side_pane_rows.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace n_ombrix {

class t_SideList {
public:
    virtual std::size_t Count() const = 0;
    virtual t_SideRowTraits Traits(std::size_t row) const = 0;
    virtual t_PinKind Kind(std::size_t row) const = 0;
    // Chooses the entry's context menu: only a jump list's entries can be edited.
    virtual bool Editable(std::size_t row) const = 0;
    virtual std::wstring Text(std::size_t row) const = 0;
    // The icon store's image; null for none.
    virtual HBITMAP Icon(std::size_t row) = 0;
    // The entry's own action; the popup hides where it should.
    virtual void Open(std::size_t row) = 0;
    // Edits of a jump list, after which its rows are assembled anew; nothing for the places list.
    virtual void TogglePin(std::size_t row) = 0;
    virtual void Remove(std::size_t row) = 0;
    virtual void Clear() = 0;

    virtual ~t_SideList() = default;

protected:
    t_SideList() = default;
    t_SideList(const t_SideList&) = default;
    t_SideList& operator=(const t_SideList&) = default;
};

} // namespace n_ombrix
