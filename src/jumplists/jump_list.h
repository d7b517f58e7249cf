#pragma once
// The jump list of one application: its automatic file (recent and pinned documents) and its custom file (its own
// categories and tasks), both held open while the jump list lives, assembled into the rows of the side pane, and
// edited when the user pins, unpins, removes or clears.

#include "jumplists/automatic_destinations_file.h"
#include "jumplists/custom_destinations_file.h"
#include "jumplists/jump_list_entry.h"
#include "system/identity_hash.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace n_ombrix {

// The folders holding the shell's jump-list files, each ending in a backslash.
struct t_DestinationsFolders {
    std::wstring automatic;
    std::wstring custom;
};

// Header texts of the side pane's groups, from the string table.
struct t_JumpListHeaderTexts {
    std::wstring pinned;
    std::wstring recent;
    std::wstring frequent;
    std::wstring unnamedCategory;
    std::wstring tasks;
};

// The header texts of the module's string table.
t_JumpListHeaderTexts LoadJumpListHeaderTexts(HMODULE resources);

class t_JumpList {
public:
    // Opens both files of the application identity; a file that cannot be read contributes nothing.
    t_JumpList(const std::wstring& applicationIdentity, const t_DestinationsFolders& folders);
    t_JumpList(const t_JumpList&) = delete;
    t_JumpList& operator=(const t_JumpList&) = delete;

    n_zql::n_system::t_IdentityHash Hash() const noexcept { return hash_; }
    const std::wstring& Identity() const noexcept { return identity_; }
    const t_AutomaticDestinationsFile& Automatic() const noexcept { return automatic_; }
    const t_CustomDestinationsFile& Custom() const noexcept { return custom_; }

    // The rows: pinned, then recent (or frequent), the custom categories and the tasks, each under its header.
    // Entries refer to this jump list and its destinations: they must not outlive it or its next change.
    std::vector<std::unique_ptr<t_JumpListEntry>> Assemble(const t_JumpListHeaderTexts& texts);

    // The edits. A failure of the files closes both (the next Assemble shows headers only) and is not passed on.
    // The destination may be one the edit destroys: what is needed of it is taken first.
    void Pin(const t_ShellDestination& destination);
    void Unpin(const t_ShellDestination& destination);
    void Remove(const t_ShellDestination& destination);
    void Clear();

private:
    template <typename t_Edit> void Edit(t_Edit&& edit);
    void CollectPinnedKeys();
    void CollectCustomKeys();

    std::wstring identity_;
    n_zql::n_system::t_IdentityHash hash_;
    t_AutomaticDestinationsFile automatic_;
    t_CustomDestinationsFile custom_;
    std::set<std::uint64_t> pinnedKeys_;
    std::set<std::uint64_t> customKeys_;
};

} // namespace n_ombrix
