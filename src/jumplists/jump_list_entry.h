#pragma once
// One row of the side pane's jump list: a header, or a document or task of the jump list. Entries refer to the
// destination that the jump list's file object owns and to the jump list itself.

#include "catalogue/side_pane_kinds.h"

#include <windows.h>

#include <string>

namespace n_ombrix {

class t_IconStore;
class t_JumpList;
class t_ShellDestination;

class t_JumpListEntry {
public:
    // A header (also what a separator becomes: it is no entry and cannot be current).
    t_JumpListEntry(t_PaneSection section, std::wstring text)
        : section_(section), kind_(t_PinKind::notPinnable), header_(true), text_(std::move(text)) {}
    t_JumpListEntry(t_PaneSection section, t_PinKind kind, bool editable, t_JumpList& jumpList,
                    const t_ShellDestination& destination);
    t_JumpListEntry(const t_JumpListEntry&) = delete;
    t_JumpListEntry& operator=(const t_JumpListEntry&) = delete;
    virtual ~t_JumpListEntry() = default;

    t_PaneSection Section() const noexcept { return section_; }
    t_PinKind Kind() const noexcept { return kind_; }
    bool Editable() const noexcept { return editable_; }
    bool IsHeader() const noexcept { return header_; }
    const t_ShellDestination* Destination() const noexcept { return destination_; }

    // The operations below are never asked of headers.
    virtual const std::wstring& GetText() const;
    virtual HBITMAP GetIcon(t_IconStore& iconStore);
    // Opens a copy of the destination with the jump list's application; the caller hides the popup.
    virtual bool Open();
    // Pins what may be pinned, unpins what is pinned. The caller assembles the list anew afterwards.
    virtual void TogglePin();
    virtual void Remove();

private:
    t_PaneSection section_;
    t_PinKind kind_;
    bool editable_ = false;
    bool header_ = false;
    std::wstring text_;
    t_JumpList* jumpList_ = nullptr;                  // not owned
    const t_ShellDestination* destination_ = nullptr; // owned by the jump list's file object
};

} // namespace n_ombrix
