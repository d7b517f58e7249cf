#pragma once
// One row of the side pane's jump list: a header, or a document or task of the jump list. Entries refer to the
// destination that the jump list's file object owns and to the jump list itself.

#include <windows.h>

#include <string>

namespace n_ombrix {

class t_IconStore;
class t_JumpList;
class t_ShellDestination;

class t_JumpListEntry {
public:
    // Side-pane sections and entry kinds.
    enum t_Section { recentSection = 0, customSection = 1, pinnedSection = 2, tasksSection = 3 };
    enum t_Kind { pinnable = 0, pinned = 1, notPinnable = 2 };

    // A header (also what a separator becomes: it is no entry and cannot be current).
    t_JumpListEntry(int section, std::wstring text)
        : section_(section), kind_(notPinnable), header_(true), text_(std::move(text)) {}
    t_JumpListEntry(int section, int kind, bool editable, t_JumpList& jumpList, const t_ShellDestination& destination);
    t_JumpListEntry(const t_JumpListEntry&) = delete;
    t_JumpListEntry& operator=(const t_JumpListEntry&) = delete;
    virtual ~t_JumpListEntry() = default;

    int Section() const noexcept { return section_; }
    int Kind() const noexcept { return kind_; }
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
    int section_;
    int kind_;
    bool editable_ = false;
    bool header_ = false;
    std::wstring text_;
    t_JumpList* jumpList_ = nullptr;                  // not owned
    const t_ShellDestination* destination_ = nullptr; // owned by the jump list's file object
};

} // namespace n_ombrix
